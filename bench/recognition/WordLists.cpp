// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri::words {

namespace {

QStringList splitWords(QStringView text)
{
    QStringList list;
    for (const auto word : text.split(u' ', Qt::SkipEmptyParts))
        list.append(word.toString());
    return list;
}

} // namespace

const QStringList &common()
{
    static const QStringList list = splitWords(
        u"the of and to in is you that it he was for on are as with his they at be this have from or one had by "
        u"word but not what all were we when your can said there use an each which she do how their if will up "
        u"other about out many then them these so some her would make like him into time has look two more write "
        u"go see number no way could people my than first water been call who oil its now find long down day did "
        u"get come made may part over new sound take only little work know place year live me back give most very "
        u"after thing our just name good sentence man think say great where help through much before line right "
        u"too mean old any same tell boy follow came want show also around form three small set put end does "
        u"another well large must big even such because turn here why ask went men read need land different home "
        u"us move try kind hand picture again change off play spell air away animal house point page letter "
        u"mother answer found study still learn should world high every near add food between own below country "
        u"plant last school father keep tree never start city earth eye light thought head under story saw left "
        u"few while along might close something seem next hard open example begin life always those both paper "
        u"together got group often run important until children side feet car mile night walk white sea began "
        u"grow took river four carry state once book hear stop without second later miss idea enough eat face "
        u"watch far really almost let above girl sometimes mountain cut young talk soon list song being leave "
        u"family report meeting budget project schedule review customer order invoice delivery account update "
        u"message server network browser window screen button folder document session payment request version "
        u"weekly monthly team office morning afternoon evening summary draft final total balance notice"_s);
    return list;
}

const QStringList &uiLabels()
{
    static const QStringList list = {
        u"Save"_s,
        u"Cancel"_s,
        u"Open"_s,
        u"Close"_s,
        u"Apply"_s,
        u"OK"_s,
        u"Delete"_s,
        u"Rename"_s,
        u"Save As..."_s,
        u"Open Recent"_s,
        u"Export to PDF"_s,
        u"Print Preview"_s,
        u"Preferences"_s,
        u"Settings"_s,
        u"Sign in"_s,
        u"Sign out"_s,
        u"Create account"_s,
        u"Forgot password?"_s,
        u"Next"_s,
        u"Back"_s,
        u"Finish"_s,
        u"Download"_s,
        u"Upload files"_s,
        u"Share"_s,
        u"Copy link"_s,
        u"Paste"_s,
        u"Undo"_s,
        u"Redo"_s,
        u"Select All"_s,
        u"Find and Replace"_s,
        u"Zoom In"_s,
        u"Zoom Out"_s,
        u"Full Screen"_s,
        u"New Window"_s,
        u"New Tab"_s,
        u"Reload"_s,
        u"View Source"_s,
        u"Add to cart"_s,
        u"Checkout"_s,
        u"Subscribe"_s,
        u"Learn more"_s,
        u"Get started"_s,
        u"Try again"_s,
        u"Continue"_s,
        u"Show details"_s,
        u"Hide details"_s,
        u"Mark as read"_s,
        u"Archive"_s,
        u"Move to folder"_s,
        u"Reply"_s,
        u"Reply all"_s,
        u"Forward"_s,
        u"Attach file"_s,
        u"Send"_s,
        u"Discard draft"_s,
        u"Edit profile"_s,
        u"Change password"_s,
        u"Privacy settings"_s,
        u"Notifications"_s,
        u"Help Center"_s,
        u"About"_s,
        u"Check for updates"_s,
        u"Quit"_s,
        u"Insert Table"_s,
        u"Format Cells"_s,
        u"Sort Ascending"_s,
        u"Sort Descending"_s,
        u"Filter"_s,
        u"Refresh"_s,
        u"Import"_s,
        u"Export"_s,
        u"Run"_s,
        u"Debug"_s,
        u"Stop"_s,
        u"Build Project"_s,
        u"Clean Build"_s,
        u"Open Terminal"_s,
        u"Go to Line..."_s,
        u"Toggle Comment"_s,
        u"Keyboard Shortcuts"_s,
        u"Report a problem"_s,
        u"Accept all cookies"_s,
        u"Manage options"_s,
        u"Remember me"_s,
        u"Show password"_s,
    };
    return list;
}

const QStringList &shortcuts()
{
    static const QStringList list = {
        u"Ctrl+S"_s,
        u"Ctrl+O"_s,
        u"Ctrl+Shift+S"_s,
        u"Ctrl+N"_s,
        u"Ctrl+W"_s,
        u"Ctrl+Q"_s,
        u"Ctrl+Z"_s,
        u"Ctrl+Y"_s,
        u"Ctrl+F"_s,
        u"Ctrl+H"_s,
        u"Ctrl+P"_s,
        u"Alt+F4"_s,
        u"F5"_s,
        u"F11"_s,
        u"Ctrl+Shift+T"_s,
        u"Ctrl+Alt+L"_s,
        u"Shift+F10"_s,
        u"Ctrl+,"_s,
    };
    return list;
}

const QStringList &firstNames()
{
    static const QStringList list = splitWords(
        u"Anna James Maria David Laura Michael Sarah Thomas Emma Daniel Olivia Peter Julia Robert Sophie Mark "
        u"Helen Lucas Grace Oliver Chloe Samuel Nina Henry Alice Victor Clara Martin Ruth Simon Elena Frank"_s);
    return list;
}

const QStringList &lastNames()
{
    static const QStringList list = splitWords(
        u"Smith Johnson Miller Brown Walker Turner Hughes Carter Bennett Foster Palmer Reed Fischer Becker "
        u"Wagner Hoffmann Morgan Price Lawson Barnes Hayes Porter Fletcher Holland Keller Lambert Russo Novak"_s);
    return list;
}

const QStringList &domains()
{
    static const QStringList list
        = splitWords(u"example northfield bluepeak harborlight maplegrove quietriver brightpath stonebridge greenleaf "
                     u"redfern silverline oakmont clearwater sunvale ironwood lakeside pinecrest westbrook cloudnine "
                     u"fastmail mailbox openhub docsite travelnest shopwise newsdesk"_s);
    return list;
}

const QStringList &topLevelDomains()
{
    static const QStringList list = splitWords(u"com com com org net io de co.uk dev app eu"_s);
    return list;
}

const QStringList &identifiers()
{
    static const QStringList list = splitWords(
        u"count index buffer config user session result items path value request response cache timeout handler "
        u"parser widget window name offset length size data file stream reader writer token queue node parent "
        u"child key entry record status error message total limit retry delay width height color label"_s);
    return list;
}

const QStringList &months()
{
    static const QStringList list
        = splitWords(u"January February March April May June July August September October November December"_s);
    return list;
}

const QStringList &statuses()
{
    static const QStringList list
        = splitWords(u"Active Pending Closed Shipped Overdue Paid Draft Approved Rejected Open Done Blocked"_s);
    return list;
}

const QStringList &cities()
{
    static const QStringList list = splitWords(
        u"London Berlin Paris Madrid Vienna Dublin Boston Chicago Denver Seattle Toronto Sydney Oslo Prague"_s);
    return list;
}

const QStringList &accentedWords()
{
    static const QStringList list = splitWords(u"Café Zürich München naïve Gruß déjà résumé Señor Fußball Crème"_s);
    return list;
}

const QStringList &germanWords()
{
    static const QStringList list = splitWords(
        u"der die das und ist nicht mit für auf dem den von sich des ein eine einer wir ihr sie über nach bei "
        u"auch noch wird wurde werden können müssen dürfen möchten würde hätte schön größer später früher "
        u"Straße Grüße Größe Mäuse Bäume Häuser Brücke Küche Übersicht Änderung Prüfung Gebühr Bestätigung "
        u"Rechnung Lieferung Bestellung Kunde Konto Zahlung Datei Ordner Fenster Ansicht Einstellung Überweisung "
        u"heute morgen gestern Woche Monat Jahr Uhr Zeit Stadt Dorf Wasser Straßenbahn Fußweg Rückfahrt "
        u"fährt läuft schläft öffnet schließt prüft bestätigt übernimmt erhält gehört gefällt zählt "
        u"groß klein neu alt schnell langsam günstig teuer müde fröhlich ähnlich gemütlich natürlich"_s);
    return list;
}

const QStringList &frenchWords()
{
    static const QStringList list
        = splitWords(u"le la les un une des et est pas pour sur dans avec par mais plus très où été être avoir fait "
                     u"déjà après près même aussi encore toujours jamais peut doit veut sont était sera serait "
                     u"élève école été fenêtre hôtel forêt château garçon français leçon reçu façon déçu naïf Noël "
                     u"facture livraison commande client compte paiement fichier dossier aperçu paramètre réglage "
                     u"aujourd’hui demain hier semaine mois année heure ville rue théâtre musée bibliothèque "
                     u"arrive ouvre ferme vérifie confirme reçoit préfère achète répète crée "
                     u"grand petit nouveau vieux rapide lent cher gratuit fatigué content prêt complète légère"_s);
    return list;
}

const QStringList &germanLabels()
{
    static const QStringList list = { u"Speichern"_s, u"Öffnen"_s, u"Schließen"_s, u"Abbrechen"_s, u"Übernehmen"_s,
        u"Einstellungen"_s, u"Rückgängig"_s, u"Wiederholen"_s, u"Löschen"_s, u"Einfügen"_s, u"Drucken …"_s, u"Hilfe"_s,
        u"Über dieses Programm"_s, u"Größe ändern"_s, u"Schriftart wählen"_s, u"Zurück"_s, u"Weiter"_s,
        u"Fertigstellen"_s, u"Ansicht"_s, u"Bearbeiten"_s, u"Datei"_s, u"Nach Updates suchen"_s, u"Verlauf löschen"_s,
        u"Konto verknüpfen"_s };
    return list;
}

const QStringList &frenchLabels()
{
    static const QStringList list = { u"Enregistrer"_s, u"Ouvrir"_s, u"Fermer"_s, u"Annuler"_s, u"Appliquer"_s,
        u"Préférences"_s, u"Rétablir"_s, u"Supprimer"_s, u"Coller"_s, u"Imprimer…"_s, u"Aide"_s, u"À propos"_s,
        u"Édition"_s, u"Fichier"_s, u"Affichage"_s, u"Précédent"_s, u"Suivant"_s, u"Terminer"_s,
        u"Paramètres avancés"_s, u"Sélectionner tout"_s, u"Rechercher et remplacer"_s, u"Vérifier les mises à jour"_s,
        u"Effacer l’historique"_s, u"Créer un compte"_s };
    return list;
}

const QString &pick(QRandomGenerator &random, const QStringList &list)
{
    return list.at(random.bounded(int(list.size())));
}

int between(QRandomGenerator &random, int low, int high)
{
    return low + random.bounded(high - low + 1);
}

QString capitalized(const QString &word)
{
    return word.isEmpty() ? word : word.first(1).toUpper() + word.sliced(1);
}

} // namespace kavri::words
