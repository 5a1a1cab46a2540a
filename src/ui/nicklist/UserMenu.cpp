#include "nicklist/UserMenu.h"

#include <QFileDialog>

#include "app/AppIcons.h"
#include "app/CommandIds.h"
#include "config/AddressBook.h"
#include "dialogs/TextInputDialog.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

namespace {

struct ItemText
{
    UserMenu::Item item;
    int command; // of the main window's "&Užívateľ" menu
    StrText text;
    bool separatorAfter;
};

const ItemText kItems[] = {
    {UserMenu::OpenQuery, CommandId::UserQuery, Str::CommandUserQuery, false},
    {UserMenu::WhoIs, CommandId::UserWhois, Str::CommandUserWhois, false},
    {UserMenu::Properties, CommandId::UserProperties, Str::CommandProperties, true},
    {UserMenu::AddContact, CommandId::UserAddContact, Str::CommandUserAddContact, true},
    {UserMenu::DccChat, CommandId::UserDccChat, Str::CommandUserDccChat, false},
    {UserMenu::SendFile, CommandId::UserDccSend, Str::CommandUserDccSend, true},
    {UserMenu::GiveOp, CommandId::UserOp, Str::CommandUserOp, false},
    {UserMenu::TakeOp, CommandId::UserDeop, Str::CommandUserDeop, false},
    {UserMenu::GiveVoice, CommandId::UserVoice, Str::CommandUserVoice, false},
    {UserMenu::TakeVoice, CommandId::UserDevoice, Str::CommandUserDevoice, true},
    {UserMenu::Kick, CommandId::UserKick, Str::CommandUserKick, false},
    {UserMenu::KickWithReason, CommandId::UserKickReason, Str::CommandUserKickReason, true},
    {UserMenu::Ban, CommandId::UserBan, Str::CommandUserBan, false},
    {UserMenu::BanKick, CommandId::UserBanKick, Str::CommandUserBanKick, false},
    {UserMenu::BanKickWithReason, CommandId::UserBanKickReason, Str::CommandUserBanKickReason, true},
    {UserMenu::Ignore, CommandId::UserIgnore, Str::CommandUserIgnore, false},
};

// An argument that would end the command line early or start a new one.
bool BreaksLine(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0));
}

// Command lines are split into words at blanks, so a name must be one word.
bool IsOneWord(const QString &text)
{
    return !text.isEmpty() && !BreaksLine(text) && !text.contains(QLatin1Char(' '));
}

// A reason is free text: a pasted line break becomes a blank rather than
// a second line or a lost command.
QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QChar(0), QLatin1Char(' '));
    return text;
}

QString ChooseFileWithDialog(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QStringLiteral("*.*"));
}

bool AskReasonWithDialog(QWidget *parent, const QString &title, const QString &prompt, QString &reason)
{
    reason.clear();
    return TextInputDialog::Ask(parent, title, prompt, reason);
}

} // namespace

UserMenu::UserMenu(QWidget *parent) : QMenu(FromStr(Str::MenuUser), parent)
{
    m_chooseFile = [this] { return ChooseFileWithDialog(parentWidget()); };
    m_askReason = [this](const QString &title, const QString &prompt, QString &reason) {
        return AskReasonWithDialog(parentWidget(), title, prompt, reason);
    };
    CreateActions();
    connect(this, &QMenu::aboutToShow, this, &UserMenu::RefreshContext);
    UpdateEnabling();
}

void UserMenu::CreateActions()
{
    for (const ItemText &entry : kItems) {
        QAction *action = addAction(AppIcons::Command(entry.command), FromStr(entry.text));
        const Item item = entry.item;
        connect(action, &QAction::triggered, this, [this, item] { Run(item); });
        m_actions[item] = action;
        if (entry.separatorAfter)
            addSeparator();
    }
}

bool UserMenu::ItemOfCommand(int id, Item &item)
{
    for (const ItemText &entry : kItems) {
        if (entry.command == id) {
            item = entry.item;
            return true;
        }
    }
    return false;
}

void UserMenu::SetContext(const UserMenuContext &context)
{
    m_context = context;
    UpdateEnabling();
}

void UserMenu::SetContextProvider(std::function<UserMenuContext()> provider)
{
    m_provider = std::move(provider);
    RefreshContext();
}

void UserMenu::RefreshContext()
{
    if (m_provider)
        m_context = m_provider();
    UpdateEnabling();
}

void UserMenu::UpdateEnabling()
{
    for (int item = 0; item < ItemCount; ++item)
        m_actions[item]->setEnabled(IsEnabled(static_cast<Item>(item), m_context));
}

bool UserMenu::IsEnabled(Item item, const UserMenuContext &context)
{
    if ((item == WhoIs || item == Properties) && !context.propertySheets)
        return false;
    if ((item == DccChat || item == SendFile) && !context.dcc)
        return false;
    return IsEnabled(item, context.windowType, !context.currentUser.isEmpty());
}

bool UserMenu::IsEnabled(Item item, Conversation::WindowType windowType, bool hasUser)
{
    if (!hasUser)
        return false;
    if (item == Properties)
        return true;
    switch (windowType) {
    case Conversation::TypeChannel:
        return true;
    case Conversation::TypePrivate:
        return item == WhoIs || item == DccChat || item == SendFile || item == Ignore;
    case Conversation::TypeStatus:
        break;
    }
    return false;
}

QString UserMenu::CommandLine(Item item, const QString &channel, const QString &nick, const QString &extra)
{
    if (!IsOneWord(nick) || BreaksLine(extra))
        return {};
    const bool needsChannel = item >= GiveOp && item <= BanKickWithReason;
    if (needsChannel && !IsOneWord(channel))
        return {};

    switch (item) {
    case OpenQuery:
        return QStringLiteral("/query %1").arg(nick);
    case DccChat:
        return QStringLiteral("/dcc chat connect %1").arg(nick);
    case SendFile:
        return extra.isEmpty() ? QString() : QStringLiteral("/dcc send send %1 %2").arg(nick, extra);
    case GiveOp:
        return QStringLiteral("/servermsg MODE %1 +o %2").arg(channel, nick);
    case TakeOp:
        return QStringLiteral("/servermsg MODE %1 -o %2").arg(channel, nick);
    case GiveVoice:
        return QStringLiteral("/servermsg MODE %1 +v %2").arg(channel, nick);
    case TakeVoice:
        return QStringLiteral("/servermsg MODE %1 -v %2").arg(channel, nick);
    case Kick:
        return QStringLiteral("/servermsg KICK %1 %2").arg(channel, nick);
    case KickWithReason:
        return QStringLiteral("/servermsg KICK %1 %2 :%3").arg(channel, nick, extra);
    case Ban:
        return QStringLiteral("/who %1 -ban %2").arg(nick, channel);
    case BanKick:
        return QStringLiteral("/who %1 -bankick %2").arg(nick, channel);
    case BanKickWithReason:
        return QStringLiteral("/who %1 -bankick %2 %3").arg(nick, channel, extra);
    case Ignore:
        return QStringLiteral("/ignore add %1").arg(nick);
    default:
        return {};
    }
}

bool UserMenu::AddToAddressBook(const QString &nick)
{
    if (!IsOneWord(nick))
        return false;
    return AddressBook::Add({nick.toStdString(), Contact::PrivateQuiet, "*", "*"});
}

void UserMenu::PopupWithDefault(const QPoint &globalPos)
{
    setDefaultAction(m_actions[OpenQuery]);
    // The default item belongs to this pop-up only, not to the menu bar's menu.
    connect(
        this, &QMenu::aboutToHide, this, [this] { setDefaultAction(nullptr); }, Qt::SingleShotConnection);
    popup(globalPos);
}

void UserMenu::Run(Item item)
{
    const UserMenuContext &context = m_context;
    if (!IsEnabled(item, context))
        return;
    switch (item) {
    case WhoIs:
    case Properties:
        if (IsOneWord(context.currentUser))
            emit propertiesRequested(context.currentUser);
        return;
    case AddContact:
        // A contact already there is opened for editing, never overwritten.
        if (IsOneWord(context.currentUser) && AddressBook::Contains(context.currentUser.toStdString()))
            emit contactEditRequested(context.currentUser);
        else if (AddToAddressBook(context.currentUser))
            emit contactsChanged();
        return;
    case SendFile: {
        const QString path = m_chooseFile ? m_chooseFile() : QString();
        if (!path.isEmpty())
            Emit(item, path);
        return;
    }
    case KickWithReason:
    case BanKickWithReason: {
        QString reason;
        if (m_askReason && m_askReason(FromStr(Str::KickTitle), FromStr(Str::KickPrompt), reason))
            Emit(item, OneLine(reason));
        return;
    }
    default:
        Emit(item);
        return;
    }
}

void UserMenu::Emit(Item item, const QString &extra)
{
    const QString line = CommandLine(item, m_context.windowName, m_context.currentUser, extra);
    if (!line.isEmpty())
        emit commandRequested(line);
}
