// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldOutPhrases.h"

using namespace Qt::StringLiterals;

namespace kavri::heldout {

const QStringList &germanSentences()
{
    static const QStringList list = {
        u"Die Rechnung für März liegt diesem Schreiben bei."_s,
        u"Bitte überweisen Sie den Betrag innerhalb von 14 Tagen."_s,
        u"Der Zug nach Köln fährt heute von Gleis 7 ab."_s,
        u"Wir haben Ihre Bestellung erhalten und bearbeiten sie gerade."_s,
        u"Öffnungszeiten: Montag bis Freitag von 9 bis 18 Uhr."_s,
        u"Die Straße bleibt wegen Bauarbeiten bis Ende Mai gesperrt."_s,
        u"Könnten Sie mir die Unterlagen bis Donnerstag schicken?"_s,
        u"Im Anhang finden Sie das Protokoll der letzten Sitzung."_s,
        u"Das Passwort muss mindestens zwölf Zeichen enthalten."_s,
        u"Für Rückfragen stehe ich Ihnen gern zur Verfügung."_s,
        u"Mit freundlichen Grüßen aus München"_s,
        u"Die Größe der Datei überschreitet das zulässige Maximum."_s,
        u"Änderungen werden erst nach einem Neustart wirksam."_s,
        u"Der Schlüssel liegt beim Hausmeister im Erdgeschoß."_s,
        u"Unsere Preise verstehen sich inklusive Mehrwertsteuer."_s,
        u"Die Lieferung verzögert sich leider um drei Werktage."_s,
        u"Wählen Sie einen Ordner, in dem die Sicherung gespeichert wird."_s,
        u"Am Wochenende ist das Büro nicht besetzt."_s,
        u"Herzlichen Glückwunsch zum bestandenen Führerschein!"_s,
        u"Die Übersetzung ist noch nicht vollständig geprüft."_s,
        u"Bei Fragen zur Abrechnung wenden Sie sich an die Buchhaltung."_s,
        u"Der Vortrag beginnt pünktlich um halb acht im großen Saal."_s,
        u"Es gibt zu viele Einträge, um sie alle anzuzeigen."_s,
        u"Sie haben drei ungelesene Nachrichten."_s,
        u"Das Gerät schaltet sich nach fünf Minuten automatisch aus."_s,
        u"Die Brötchen vom Bäcker an der Ecke schmecken am besten."_s,
        u"Vergessen Sie nicht, die Heizung herunterzudrehen."_s,
        u"Der Flug wurde auf übermorgen verschoben."_s,
        u"„Wer rastet, der rostet“, sagte meine Großmutter immer."_s,
        u"Die Verbindung zum Server wurde unerwartet getrennt."_s,
        u"Bitte prüfen Sie Ihre Eingaben und versuchen Sie es erneut."_s,
        u"Ein Gewitter zieht über den Süden Bayerns hinweg."_s,
        u"Die Äpfel aus dem Alten Land sind dieses Jahr früh reif."_s,
    };
    return list;
}

const QStringList &frenchSentences()
{
    static const QStringList list = {
        u"Votre commande a bien été expédiée ce matin."_s,
        u"Le musée est fermé le mardi et les jours fériés."_s,
        u"Merci de répondre avant la fin de la semaine prochaine."_s,
        u"La réunion est reportée à jeudi, même heure."_s,
        u"Vous trouverez ci-joint le devis que vous avez demandé."_s,
        u"Le train à destination de Lyon partira avec dix minutes de retard."_s,
        u"Ce fichier est trop volumineux pour être envoyé par courriel."_s,
        u"Les modifications seront prises en compte au prochain démarrage."_s,
        u"Où avez-vous rangé les clés de la voiture ?"_s,
        u"Il fait déjà très chaud à Marseille en ce début d’été."_s,
        u"Le mot de passe doit contenir au moins douze caractères."_s,
        u"Nous avons reçu votre paiement, merci beaucoup."_s,
        u"La boulangerie du coin ouvre à sept heures précises."_s,
        u"Veuillez vérifier l’adresse saisie puis réessayer."_s,
        u"Les élèves ont présenté leur projet devant toute l’école."_s,
        u"« Rien ne sert de courir ; il faut partir à point. »"_s,
        u"Bien à vous, et à très bientôt."_s,
        u"Le colis sera livré entre 14 h et 18 h."_s,
        u"Cette opération est irréversible : êtes-vous sûr ?"_s,
        u"La conférence aura lieu dans l’amphithéâtre principal."_s,
        u"Une mise à jour de sécurité est disponible."_s,
        u"Nous vous remercions de votre fidélité depuis dix ans."_s,
        u"Le château se visite d’avril à octobre."_s,
        u"Il reste trois places pour l’atelier de samedi."_s,
        u"La connexion au serveur a été interrompue."_s,
        u"Ma sœur préfère le café noir, sans sucre."_s,
        u"Les prix indiqués comprennent la TVA."_s,
        u"Pensez à éteindre la lumière en sortant."_s,
        u"L’hôtel se trouve à deux pas de la gare."_s,
        u"Ce document n’a pas encore été relu."_s,
        u"Noël approche et les vitrines sont déjà décorées."_s,
        u"Le garçon a reçu une lettre de son grand-père."_s,
    };
    return list;
}

const QStringList &germanInterface()
{
    static const QStringList list = { u"Möchten Sie die Änderungen speichern?"_s, u"Nicht speichern"_s,
        u"Datei öffnen …"_s, u"Zuletzt verwendet"_s, u"Schriftgröße: 12 pt"_s, u"Überall suchen"_s,
        u"Benachrichtigungen ausschalten"_s, u"Lesezeichen hinzufügen"_s, u"Herunterladen abgeschlossen"_s,
        u"Zugriff verweigert"_s, u"Ausgewählte Elemente löschen"_s, u"Seite 3 von 12"_s };
    return list;
}

const QStringList &frenchInterface()
{
    static const QStringList list = { u"Voulez-vous enregistrer les modifications ?"_s, u"Ne pas enregistrer"_s,
        u"Ouvrir un fichier…"_s, u"Récemment utilisés"_s, u"Taille de police : 12 pt"_s, u"Rechercher partout"_s,
        u"Désactiver les notifications"_s, u"Ajouter aux favoris"_s, u"Téléchargement terminé"_s, u"Accès refusé"_s,
        u"Supprimer les éléments sélectionnés"_s, u"Page 3 sur 12"_s };
    return list;
}

const QStringList &buttonCaptions()
{
    static const QStringList list = { u"Don't Save"_s, u"Install Now"_s, u"Buy now"_s, u"Retry"_s, u"Dismiss"_s,
        u"Allow"_s, u"Block"_s, u"Keep"_s, u"Skip"_s, u"Got it"_s, u"Remind me later"_s, u"Log in"_s, u"Register"_s,
        u"Proceed"_s, u"Confirm"_s, u"Yes"_s, u"No"_s, u"Done"_s, u"Edit"_s, u"Remove"_s, u"Restart"_s, u"Accept all"_s,
        u"Reject"_s, u"Details"_s, u"Back to top"_s, u"Load more"_s, u"Unsubscribe"_s, u"Open in new window"_s,
        u"Run"_s, u"Debug"_s, u"Commit"_s, u"Push"_s, u"Merge"_s };
    return list;
}

const QStringList &menuEntries()
{
    static const QStringList list = { u"New Private Window"_s, u"Reopen Closed Tab"_s, u"Bookmark This Page"_s,
        u"Duplicate"_s, u"Move to Trash"_s, u"Show Hidden Files"_s, u"Sort by Date Modified"_s, u"Word Wrap"_s,
        u"Toggle Line Comment"_s, u"Go to Definition"_s, u"Format Document"_s, u"Split Editor Right"_s,
        u"Command Palette..."_s, u"Page Setup..."_s, u"Properties"_s, u"Compress..."_s,
        u"Open With Other Application"_s, u"Restore Previous Session"_s, u"Developer Tools"_s,
        u"Clear Recent History..."_s, u"Insert Table"_s, u"Track Changes"_s };
    return list;
}

const QStringList &menuShortcuts()
{
    static const QStringList list = { u"Ctrl+Shift+N"_s, u"Ctrl+Shift+T"_s, u"Ctrl+D"_s, u"Delete"_s, u"Ctrl+H"_s,
        u"Alt+Z"_s, u"Ctrl+/"_s, u"F12"_s, u"Ctrl+Shift+I"_s, u"Ctrl+\\"_s, u"Ctrl+Shift+P"_s, u"Alt+Enter"_s,
        u"Ctrl+Shift+Del"_s, u"F2"_s };
    return list;
}

const QStringList &sidebarEntries()
{
    static const QStringList list = { u"Recent"_s, u"Starred"_s, u"Home"_s, u"Desktop"_s, u"Downloads"_s, u"Music"_s,
        u"Pictures"_s, u"Videos"_s, u"Trash"_s, u"Other Locations"_s, u"Inbox"_s, u"Sent"_s, u"Drafts"_s, u"Spam"_s,
        u"Projects"_s, u"Explorer"_s, u"Extensions"_s, u"Outline"_s, u"Timeline"_s };
    return list;
}

const QStringList &applicationNames()
{
    static const QStringList list = { u"Text Editor"_s, u"Files"_s, u"Mail"_s, u"Terminal"_s, u"Image Viewer"_s,
        u"Document Scanner"_s, u"Calendar"_s, u"System Monitor"_s, u"Package Updater"_s, u"Notes"_s };
    return list;
}

const QStringList &statusTexts()
{
    static const QStringList list = { u"Connected"_s, u"Indexing..."_s, u"Up to date"_s, u"Offline"_s,
        u"Synced 2 minutes ago"_s, u"12 items selected"_s, u"Spaces: 4"_s, u"UTF-8"_s, u"LF"_s,
        u"Free space: 41.7 GB"_s, u"All changes saved"_s };
    return list;
}

} // namespace kavri::heldout
