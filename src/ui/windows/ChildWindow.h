// A child window of the main window: placement, closing, stored position.
#pragma once

#include "app/ShellChild.h"

#include <QRect>
#include <QSize>
#include <QWidget>

#include <string>

class QMdiArea;
class QMdiSubWindow;

// The base of every child window of the main window's multiple-document
// area (conversation windows, and any other window that wants the same
// handling): it remembers the session name and the window name, tracks the
// window's normal placement, asks before closing and stores its placement in
// section "Window Data" of the configuration file.
class ChildWindow : public QWidget, public ShellChild
{
    Q_OBJECT

public:
    static constexpr const char *kRecordSection = "Window Data";
    static constexpr int kAutoNickListWidth = 0; // the nick list follows its longest nick
    // The smallest window in which every pane of a conversation window fits.
    static constexpr QSize kUsableSize{400, 250};

    // The saved record of a window: "%s %d %d %d %d %d %s %s %s %s" with
    // maximized, left, top, width, height, nick list width and the toggles
    // time stamps, full address, smileys, show away.
    struct Record
    {
        bool m_maximize = false;    // word 1 is "1" (a saved "True" alone does not maximize)
        bool m_hasPosition = false; // words 2 to 5 are present
        QRect m_normal;
        int m_nickListWidth = kAutoNickListWidth;
        bool m_timeStamps = true;
        bool m_fullAddress = false;
        bool m_smileys = true;
        bool m_showAway = true;

        // Reads a value; fewer than 10 words give the defaults for words 6 to 10.
        static Record Parse(const std::string &value);
        // The value to store, word 1 "True" or "False".
        std::string Format(bool maximized) const;
    };

    ChildWindow(const std::string &sessionName, const std::string &windowName, QWidget *parent = nullptr);
    ~ChildWindow() override;

    const std::string &SessionNameText() const { return m_sessionName; }
    const std::string &WindowNameText() const { return m_windowName; }
    void SetWindowNameText(const std::string &name) { m_windowName = name; }

    // ShellChild
    QString SessionName() const override;
    QString WindowName() const override;
    QString ButtonToolTip() const override;

    // Puts the frame into the area as a child window placed by the record:
    // at the saved position when it has one, maximized when the area's
    // active child window is maximized or the record says "1".
    QMdiSubWindow *PlaceIn(QMdiArea *area, const Record &record);
    QMdiSubWindow *SubWindow() const;
    // Moves a child window that is neither maximised nor minimised, and
    // shrinks it when it is larger than its area, so that it lies wholly
    // inside the area.
    static void KeepInsideArea(QMdiSubWindow *child);
    // The window's placement when neither maximized nor minimized, and
    // whether it is maximized now.
    QRect NormalGeometry() const;
    bool IsMaximized() const;
    // Whether this is the active child window of its area.
    bool IsActiveChild() const;

    // The key of the saved record ("Wnd_" and the window name).
    virtual std::string RecordKey() const;
    // The saved record of this window; windows other than conversation
    // windows store a width of 0, no time stamps nor full address, and
    // smileys and show away on.
    virtual std::string SavedRecord() const;
    static Record ReadSavedRecord(const std::string &key);

    // Closes the window for good, without asking CloseRequested again.
    void CloseNow();

protected:
    // Called each time the window is about to become the active child window
    // of its area, the first time while it is being placed and shown.
    virtual void Activated() {}

    // Called when the user or the system asks to close the window; return
    // true to let it close now, false when closing goes another way (the
    // window is then closed later with CloseNow). By default it closes.
    virtual bool CloseRequested() { return true; }

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TrackPlacement();

    std::string m_sessionName;
    std::string m_windowName;
    QRect m_normal;
    bool m_maximized = false;
    bool m_closingNow = false;
};
