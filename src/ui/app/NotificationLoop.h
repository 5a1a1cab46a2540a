#pragma once

#include "shell/TrayBlinker.h"

#include <QObject>

class BrimoApp;
class QTimer;

// The notification loop: every 100 ms it shows the next paced tray balloon,
// every sixth cycle it lets the window bar's buttons blink, and it blinks the
// tray icon while there is unseen activity. Runs on the interface thread.
class NotificationLoop : public QObject
{
    Q_OBJECT

public:
    static constexpr int kCycleMs = 100;
    static constexpr int kBlinkPassEvery = 6;

    explicit NotificationLoop(BrimoApp &app);

    void Start();
    void Stop();
    bool IsRunning() const;
    // One cycle of the loop (the timer calls it; tests may too).
    void Cycle();

    int BalloonsShown() const { return m_balloonsShown; }
    bool Activity() const { return m_activity; }
    const TrayBlinker &Blinker() const { return m_blinker; }

private:
    void ShowNextBalloon();

    BrimoApp &m_app;
    QTimer *m_timer;
    TrayBlinker m_blinker;
    int m_cycle = 0;
    bool m_activity = false;
    int m_balloonsShown = 0;
};
