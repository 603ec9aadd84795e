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

class KeyReporter : public QWidget
{
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        std::printf("%s\n", qPrintable(QKeySequence(event->key()).toString(QKeySequence::PortableText)));
        std::fflush(stdout);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    KeyReporter window;
    window.setWindowTitle(QString::fromLocal8Bit(argv[1]));
    window.setGeometry(60, 60, 320, 200);
    window.show();
    return QApplication::exec();
}
