#pragma once

#include <QPointer>
#include <QToolBar>
#include <QVector>

class QMdiArea;
class QMdiSubWindow;
class QToolButton;

// The window bar: one checkable button per child window of the main window,
// in the order the windows were created, the active one checked. A click
// activates the window, a right click opens the window's system menu, the
// tool tip names the window and its session. Buttons of windows with unseen
// activity blink.
class WindowBar : public QToolBar
{
    Q_OBJECT

public:
    static constexpr int kButtonWidth = 100;
    static constexpr int kButtonHeight = 23;
    static constexpr int kFirstButtonId = 12200;

    WindowBar(const QString &title, QMdiArea *area, QWidget *parent = nullptr);

    // Buttons follow the area's windows; the active window's button is checked.
    void Refresh();
    // One blink pass of the notification loop: buttons of windows with the
    // activity flag switch between their two pictures, the others show the
    // first. Returns whether any window had activity.
    bool BlinkPass();

    int ButtonCount() const { return m_buttons.size(); }
    QToolButton *Button(int index) const;
    QToolButton *ButtonOf(QMdiSubWindow *child) const;

signals:
    // A button was clicked (its window is already active).
    void childActivated(QMdiSubWindow *child);

private:
    struct Entry
    {
        QPointer<QMdiSubWindow> child;
        QToolButton *button = nullptr;
        QAction *action = nullptr;
        bool blinkOn = false;
    };

    void SyncButtons();
    QToolButton *CreateButton(QMdiSubWindow *child);
    void UpdateButton(Entry &entry, bool active);
    void OnButtonClicked(QToolButton *button);
    void OnContextMenu(QToolButton *button, const QPoint &pos);
    static QString ToolTipOf(QMdiSubWindow *child);
    static int ImageOf(QMdiSubWindow *child);

    QMdiArea *m_area;
    QVector<Entry> m_buttons;
};
