// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Another application for the desktop tests: one window, titled by the first argument, that
// prints every key it receives on standard output, one key name ("Esc", "A") per line.
#include <cstdio>

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace {

class KeyReporter : public QWidget
{
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString name = QKeySequence(event->key()).toString(QKeySequence::PortableText);
        std::printf("%s\n", qPrintable(name));
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    KeyReporter window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Key Reporter"));
    window.setGeometry(60, 60, 320, 200);
    window.show();
    return QApplication::exec();
}
