// The user menu ("&Užívateľ"): what can be done to a member or the other party.
#pragma once

#include <QMenu>

#include <array>
#include <functional>

#include "conversation/Conversation.h"

// What the "&Užívateľ" menu acts on: the conversation window it was opened
// for (type 1 status, 2 channel, 4 private), its name and the current user
// (the member selected in a channel, the other party of a private window).
struct UserMenuContext
{
    Conversation::WindowType windowType = Conversation::TypeStatus;
    QString windowName;
    QString currentUser;
    // Whether the application has property sheets ("Kto to je" and
    // "Vlastnosti" open them; without them the two are disabled).
    bool propertySheets = true;
    // Whether the application has direct chats and file transfers
    // ("Otvoriť Súkromnú Linku" and "Poslať Súbor" are disabled without).
    bool dcc = true;
};

// The "&Užívateľ" menu: the commands on one user. Each command becomes a
// command line, emitted through commandRequested for the conversation window
// to run; "Kto to je" and "Vlastnosti" ask for the user's properties instead,
// and "Pridať do kontaktov" writes the address book itself.
class UserMenu : public QMenu
{
    Q_OBJECT

public:
    enum Item {
        OpenQuery,
        WhoIs,
        Properties,
        AddContact,
        DccChat,
        SendFile,
        GiveOp,
        TakeOp,
        GiveVoice,
        TakeVoice,
        Kick,
        KickWithReason,
        Ban,
        BanKick,
        BanKickWithReason,
        Ignore,
        ItemCount
    };

    explicit UserMenu(QWidget *parent = nullptr);

    // The item of a command of the main window's "&Užívateľ" menu; false for
    // any other command.
    static bool ItemOfCommand(int id, Item &item);

    // The context is asked for from the provider, when one is set, each time
    // the menu is about to show; otherwise the one given to SetContext holds.
    void SetContext(const UserMenuContext &context);
    void SetContextProvider(std::function<UserMenuContext()> provider);

    QAction *Action(Item item) const { return m_actions[item]; }

    // Pops the menu up at a point of the screen with "&Otvoriť Súkromné
    // Písanie" as its default item while it is shown.
    void PopupWithDefault(const QPoint &globalPos);

    // Whether an item is enabled in a window of the given type, with or
    // without a current user.
    static bool IsEnabled(Item item, Conversation::WindowType windowType, bool hasUser);
    // The same for a context, whose application may lack property sheets.
    static bool IsEnabled(Item item, const UserMenuContext &context);

    // The command line of an item that issues one directly (empty for the
    // others). `extra` is the chosen file or the reason where an item asks
    // for one. Empty when an argument could break the line (a line break,
    // NUL, or a blank inside the nick).
    static QString CommandLine(Item item, const QString &channel, const QString &nick, const QString &extra = {});

    // Writes the address-book entry of a new contact; false when it could not
    // or the nick is a contact already.
    static bool AddToAddressBook(const QString &nick);

    // The dialogs the menu needs, replaceable (tests answer them). The file
    // chooser returns an empty path when cancelled; the reason prompt
    // returns false when cancelled.
    using FileChooser = std::function<QString()>;
    using ReasonPrompt = std::function<bool(const QString &title, const QString &prompt, QString &reason)>;
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void SetReasonPrompt(ReasonPrompt prompt) { m_askReason = std::move(prompt); }

signals:
    void commandRequested(const QString &line);
    void propertiesRequested(const QString &nick);
    // The address book changed: contact lists want reloading, windows repainting.
    void contactsChanged();
    // "Add to contacts" on a nick that is a contact already: its entry wants
    // opening for editing.
    void contactEditRequested(const QString &nick);

private:
    void CreateActions();
    void RefreshContext();
    void UpdateEnabling();
    void Run(Item item);
    void Emit(Item item, const QString &extra = {});

    std::array<QAction *, ItemCount> m_actions{};
    UserMenuContext m_context;
    std::function<UserMenuContext()> m_provider;
    FileChooser m_chooseFile;
    ReasonPrompt m_askReason;
};
