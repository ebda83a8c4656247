// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/answer_within.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

bool WaitWithEventsRunning(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() >= limit.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
