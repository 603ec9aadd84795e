// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The desktop's windows for the content actions, the save dialog and the failure alert, driven
// on a real X server as a user would.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/actions/ActionAlert.h"
#include "app/actions/DesktopActionEnvironment.h"

using namespace Qt::StringLiterals;
using namespace kavri;

class TestActionEnvironment : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    DesktopActionEnvironment m_environment;
    QList<std::optional<QString>> m_answers;

    QPointer<QFileDialog> ask(const QString &fileName)
    {
        m_answers.clear();
        m_environment.chooseSaveLocation(fileName, [this](std::optional<QString> path) { m_answers.append(path); });
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QFileDialog *>(widget); dialog && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(u".config"_s)));
        QVERIFY(QDir(m_home.path()).mkpath(u"Documents"_s));
    }

    void init() { QTest::failOnWarning(QRegularExpression(u".*"_s)); }

    // Each dialog answers exactly once, and is gone afterwards.
    void saveDialogAnswersWithTheTypedNameOrNone()
    {
        QPointer<QFileDialog> dialog = ask(u"A-B- C.vcf"_s);
        QVERIFY(dialog);
        QVERIFY(m_answers.isEmpty());
        QCOMPARE(dialog->nameFilters(), QStringList { u"vCard (*.vcf *.vcard)"_s });
        QCOMPARE(dialog->selectedFiles(), QStringList { m_home.filePath(u"Documents/A-B- C.vcf"_s) });
        // The user types a name without extension and presses Save.
        auto *name = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        QVERIFY(name);
        name->clear();
        QTest::keyClicks(name, u"Zoe"_s);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save), Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(m_answers, (QList<std::optional<QString>> { m_home.filePath(u"Documents/Zoe.vcf"_s) }));

        dialog = ask(u"contact.vcf"_s);
        QVERIFY(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(m_answers, (QList<std::optional<QString>> { std::nullopt }));
    }

    void alertShowsTheFailure()
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList shown;
        // The alert is modal: look at it from inside its own event loop, then press OK.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                poll.stop();
                icon = box->icon();
                shown = QStringList { box->text(), box->informativeText() };
                for (QAbstractButton *button : box->buttons())
                    shown.append(button->text());
                QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
            }
        });
        poll.start(10);
        showActionFailure({ u"Could Not Open URL"_s, u"The URL is invalid."_s });
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(shown, QStringList({ u"Could Not Open URL"_s, u"The URL is invalid."_s, u"OK"_s }));
    }
};

QTEST_MAIN(TestActionEnvironment)
#include "tst_actionenvironment.moc"
