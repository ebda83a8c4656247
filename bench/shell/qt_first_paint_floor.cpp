// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the clock's start: an empty Qt Widgets window of the clock's
// size, shown as soon as the application exists. bench/compare.d/clock_idle.sh
// starts it with the clock's libraries loaded and times it to its first paint
// as it times the clock; it ends on its own a few seconds after that paint.

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class EmptyWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!painted_)
            QTimer::singleShot(5000, qApp, &QCoreApplication::quit);
        painted_ = true;
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    EmptyWindow window;
    window.setWindowTitle(QStringLiteral("QtFirstPaintFloor"));
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.resize(173, 39);
    window.show();
    return app.exec();
}
