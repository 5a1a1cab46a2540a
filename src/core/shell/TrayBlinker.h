#pragma once

// The tray icon's blinking while there is unseen activity: a counter that
// advances every 100 ms cycle; at 0 the normal icon shows, at 5 the blink
// icon, and past 10 it starts again at 0. Without activity the normal icon
// stays and the counter rests at 0.
class TrayBlinker
{
public:
    enum class Icon { Normal, Blink };

    // One cycle; returns the icon the tray shows after it.
    Icon Cycle(bool activity);
    Icon Current() const { return m_icon; }
    int Counter() const { return m_counter; }

private:
    int m_counter = 0;
    Icon m_icon = Icon::Normal;
};
