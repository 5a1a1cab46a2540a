#include "WaitFor.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace {

// Wakes a waiting event loop this often, so that conditions on things
// outside the loop are seen promptly.
constexpr int kWakeIntervalMs = 5;

void ProcessUntilWoken()
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher)
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    else
        QCoreApplication::processEvents(QEventLoop::AllEvents, kWakeIntervalMs);
}

} // namespace

bool WaitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.start(kWakeIntervalMs);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        ProcessUntilWoken();
    }
}

void PumpEvents(int ms)
{
    WaitFor([] { return false; }, ms);
}

bool WaitForNewLine(const std::vector<std::string> &lines, size_t &scanFrom,
                    const std::function<bool(const std::string &)> &match, int timeoutMs, std::string *found)
{
    return WaitFor(
        [&] {
            for (size_t i = scanFrom; i < lines.size(); ++i) {
                if (!match(lines[i]))
                    continue;
                if (found)
                    *found = lines[i];
                scanFrom = i + 1;
                return true;
            }
            return false;
        },
        timeoutMs);
}
