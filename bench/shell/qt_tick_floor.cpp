// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the clock's idle cost: a Qt window whose only work is an
// empty 450 ms timer. bench/compare.d/clock_idle.sh runs it beside the clock.

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("floor"));
    label.setWindowTitle(QStringLiteral("QtTickFloor"));
    label.show();
    QTimer timer;
    timer.setInterval(450);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start();
    return app.exec();
}
