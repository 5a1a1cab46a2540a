// The nick list of a channel window.
#pragma once

#include <QListView>

#include <cstdint>
#include <functional>
#include <string>

class NickList;
struct AppSettings;
class NickListModel;
class NickListDelegate;
class NickListToolTip;
class UserMenu;

// The nick list of a channel window: a view over the conversation's core
// NickList, which stays the one keeper of the members and of the selection.
// A click selects a member and hands the focus back to the conversation, a
// double click asks for a private conversation, a right click pops up the
// "&Užívateľ" menu, and a tip tells the role and presence of the member under
// the mouse.
class NickListView : public QListView
{
    Q_OBJECT

public:
    explicit NickListView(QWidget *parent = nullptr);
    ~NickListView() override;

    // The members to show; null shows nothing. The list must outlive this
    // view or be replaced first.
    void SetNickList(NickList *list);
    NickList *GetNickList() const;

    // "Color List" for the background and the "Font" face at 9 points.
    void ApplySettings(const AppSettings &settings);
    void SetListColor(uint32_t rgb);
    void SetFontFace(const std::string &face);

    // Tells whether a nick is in the address book (the default reads
    // "Address Book" of the configuration).
    void SetContactTest(std::function<bool(const std::string &nick)> test);
    // The address book changed: redraw the contact icons.
    void ContactsChanged();

    // The menu popped up by a right click; without one only
    // userMenuRequested is emitted.
    void SetUserMenu(UserMenu *menu) { m_userMenu = menu; }

    NickListModel *Model() const { return m_model; }
    NickListToolTip *Tip() const { return m_tip; }

    // The row under a point of the viewport, -1 outside the items.
    int RowAt(const QPoint &pos) const;

    // Widths of the list in average characters of its font beside the
    // status icon: a list never narrower than MinimumWidth, and one that
    // fits its nicks up to MaximumFittedWidth (longer nicks are elided and
    // shown in full by the tip). height is the list's height, which decides
    // whether a scroll bar takes room.
    int MinimumWidth(int height) const;
    int MaximumFittedWidth(int height) const;
    // Wide enough for the longest nick, between the two. Measures every nick.
    int FittedWidth(int height) const;

signals:
    // A command line for the conversation window to run ("/query nick").
    void commandRequested(const QString &line);
    // A click in the list is done: the conversation takes the focus back.
    void focusToConversation();
    // A right click with a member selected, at a point of the screen.
    void userMenuRequested(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FollowSelection(int row);
    void SelectRowAt(const QPoint &pos);
    void UpdateTip(const QPoint &pos, const QPoint &globalPos);
    int WidthForText(int textWidth, int height) const;
    int LongestNickWidth() const;

    NickListModel *m_model;
    NickListDelegate *m_delegate;
    NickListToolTip *m_tip;
    UserMenu *m_userMenu = nullptr;
};
