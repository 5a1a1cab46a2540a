#include "app/NotificationLoop.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "app/WindowBar.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>

NotificationLoop::NotificationLoop(BrimoApp &app) : m_app(app), m_timer(new QTimer(this))
{
    m_timer->setInterval(kCycleMs);
    connect(m_timer, &QTimer::timeout, this, &NotificationLoop::Cycle);
}

void NotificationLoop::Start()
{
    m_timer->start();
}

void NotificationLoop::Stop()
{
    m_timer->stop();
}

bool NotificationLoop::IsRunning() const
{
    return m_timer->isActive();
}

void NotificationLoop::Cycle()
{
    MainWindow *frame = m_app.MainFrame();
    if (m_cycle % kBlinkPassEvery == 0) {
        m_activity = false;
        if (frame)
            m_activity = frame->ChannelsBar()->BlinkPass();
    }
    ++m_cycle;
    ShowNextBalloon();
    const TrayBlinker::Icon icon = m_blinker.Cycle(m_activity);
    if (frame)
        frame->ShowTrayPicture(icon);
}

void NotificationLoop::ShowNextBalloon()
{
    std::optional<Balloon> balloon = m_app.Balloons().Next();
    if (!balloon)
        return;
    ++m_balloonsShown;
    m_activity = true;
    MainWindow *frame = m_app.MainFrame();
    if (frame && frame->TrayIcon())
        frame->TrayIcon()->showMessage(QString::fromStdString(balloon->title), QString::fromStdString(balloon->text),
                                       QSystemTrayIcon::NoIcon, 3000);
    if (balloon->sound != 0)
        QApplication::beep();
}
