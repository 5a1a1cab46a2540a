#include "windows/ConversationMenu.h"

#include "app/AppIcons.h"
#include "app/CommandIds.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/Shell.h"
#include "dialogs/TextInputDialog.h"
#include "session/Session.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <cstdlib>

namespace {

struct ModeItem
{
    int id;
    char flag;
    StrText text;
};

constexpr ModeItem kModeItems[] = {
    {CommandId::ModeTopicOps, 't', Str::CommandModeTopicOps},
    {CommandId::ModeNoExternal, 'n', Str::CommandModeNoExternal},
    {CommandId::ModeInviteOnly, 'i', Str::CommandModeInviteOnly},
    {CommandId::ModeModerated, 'm', Str::CommandModeModerated},
    {CommandId::ModePrivate, 'p', Str::CommandModePrivate},
    {CommandId::ModeSecret, 's', Str::CommandModeSecret},
    {CommandId::ModeKey, 'k', Str::CommandModeKey},
    {CommandId::ModeLimit, 'l', Str::CommandModeLimit},
};

const ModeItem *FindModeItem(int id)
{
    for (const ModeItem &item : kModeItems)
        if (item.id == id)
            return &item;
    return nullptr;
}

// A line break or NUL typed into a dialog would end the command early.
bool IsOneLine(const std::string &text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool DefaultPrompt(const QString &title, const QString &prompt, QString &text)
{
    return TextInputDialog::Ask(nullptr, title, prompt, text);
}

} // namespace

ConversationMenu::ConversationMenu(QWidget *parent) : QMenu(FromStr(Str::MenuChannel), parent), m_prompt(DefaultPrompt)
{
    // The items are made when the menu first shows: the states of the commands
    // need none of them, and most windows never show their menu.
    connect(this, &QMenu::aboutToShow, this, [this] {
        if (actions().isEmpty())
            CreateItems();
        UpdateStates();
    });
}

ConversationMenu::~ConversationMenu() = default;

void ConversationMenu::CreateItems()
{
    const auto add = [this](int id, const QString &text, bool checkable = false) {
        QAction *action = addAction(AppIcons::Command(id), text);
        action->setData(id);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    };
    add(CommandId::ChannelTopic, FromStr(Str::CommandChannelTopic));
    addSeparator();
    for (const ModeItem &item : kModeItems)
        add(item.id, FromStr(item.text), true);
    addSeparator();
    add(CommandId::ChannelBans, FromStr(Str::CommandChannelBans));
    add(CommandId::ChannelRefresh, FromStr(Str::CommandChannelRefresh));
    add(CommandId::ChannelAddFavourite, FromStr(Str::CommandChannelAddFavourite));
    add(CommandId::ChannelProperties, FromStr(Str::CommandProperties));
    addSeparator();
    add(CommandId::ChannelSearchHere, FromStr(Str::CommandChannelSearchHere));
    addSeparator();
    QMenu *advanced = addMenu(FromStr(Str::MenuAdvanced));
    QAction *load = advanced->addAction(AppIcons::Command(CommandId::LoadScript), FromStr(Str::CommandLoadScript));
    load->setData(int(CommandId::LoadScript));
    connect(load, &QAction::triggered, this, [this] { Run(CommandId::LoadScript); });
    m_removeScriptMenu = advanced->addMenu(FromStr(Str::MenuRemoveScript));
    connect(m_removeScriptMenu, &QMenu::aboutToShow, this, &ConversationMenu::FillRemoveScriptMenu);
}

QAction *ConversationMenu::Action(int id)
{
    if (actions().isEmpty())
        CreateItems();
    const QList<QAction *> all = findChildren<QAction *>();
    for (QAction *action : all)
        if (!action->isSeparator() && !action->menu() && action->data().toInt() == id)
            return action;
    return nullptr;
}

void ConversationMenu::FillRemoveScriptMenu()
{
    m_removeScriptMenu->clear();
    int index = 0;
    if (m_conversation) {
        for (const auto &script : m_conversation->Scripts()) {
            QAction *action = m_removeScriptMenu->addAction(QString::fromStdString(script.first));
            action->setData(CommandId::RemoveScriptFirst + index);
            connect(action, &QAction::triggered, this, [this, index] { RemoveScript(index); });
            ++index;
        }
    }
    if (index == 0)
        m_removeScriptMenu->addAction(FromUtf8(Strings::Get(Str::NoScripts)))->setEnabled(false);
}

void ConversationMenu::UpdateStates()
{
    for (QAction *action : findChildren<QAction *>()) {
        if (action->isSeparator() || action->menu())
            continue;
        bool enabled = false;
        bool checked = false;
        if (!UpdateCommand(action->data().toInt(), enabled, checked))
            continue;
        action->setEnabled(enabled);
        if (action->isCheckable())
            action->setChecked(checked);
    }
}

bool ConversationMenu::IsChannel() const
{
    return m_conversation && m_conversation->IsChannel();
}

bool ConversationMenu::HasFlag(char flag) const
{
    return m_conversation && m_conversation->Channel().HasMode(flag);
}

std::string ConversationMenu::Channel() const
{
    return m_conversation ? m_conversation->Name() : std::string();
}

bool ConversationMenu::UpdateCommand(int id, bool &enabled, bool &checked) const
{
    checked = false;
    if (const ModeItem *item = FindModeItem(id)) {
        enabled = IsChannel();
        checked = enabled && HasFlag(item->flag);
        return true;
    }
    if (id >= CommandId::UserMessageFirst && id < CommandId::UserMessageFirst + 5) {
        enabled = IsChannel() && !m_userMessages[static_cast<size_t>(id - CommandId::UserMessageFirst)].empty();
        return true;
    }
    if (id >= CommandId::RemoveScriptFirst && id <= CommandId::RemoveScriptNone) {
        enabled = m_conversation && id - CommandId::RemoveScriptFirst < int(m_conversation->Scripts().size());
        return true;
    }
    switch (id) {
    case CommandId::ChannelTopic:
    case CommandId::ChannelBans:
    case CommandId::ChannelRefresh:
    case CommandId::ChannelAddFavourite:
        enabled = IsChannel() && HasFeature(m_shell, id);
        return true;
    case CommandId::ChannelProperties:
    case CommandId::LoadScript:
        enabled = m_conversation != nullptr && HasFeature(m_shell, id);
        return true;
    case CommandId::ChannelSearch:
    case CommandId::ChannelSearchHere: {
        Session *session = m_conversation ? Session::Of(*m_conversation) : nullptr;
        enabled = session && session->IsConnected();
        return true;
    }
    default:
        return false;
    }
}

bool ConversationMenu::HasFeature(const Shell *shell, int id)
{
    switch (id) {
    case CommandId::ChannelBans:
        return shell && shell->HasBanList();
    case CommandId::ChannelProperties:
        return shell && shell->HasPropertySheets();
    default:
        return true;
    }
}

bool ConversationMenu::Run(int id)
{
    bool enabled = false;
    bool checked = false;
    if (!UpdateCommand(id, enabled, checked))
        return false;
    if (!enabled)
        return true;
    if (const ModeItem *item = FindModeItem(id)) {
        if (item->flag == 'k')
            ToggleKey();
        else if (item->flag == 'l')
            ToggleLimit();
        else
            ToggleMode(item->flag);
        return true;
    }
    if (id >= CommandId::UserMessageFirst && id < CommandId::UserMessageFirst + 5) {
        SendUserMessage(id - CommandId::UserMessageFirst);
        return true;
    }
    if (id >= CommandId::RemoveScriptFirst && id < CommandId::RemoveScriptNone) {
        RemoveScript(id - CommandId::RemoveScriptFirst);
        return true;
    }
    switch (id) {
    case CommandId::ChannelTopic:
        AskTopic();
        break;
    case CommandId::ChannelBans:
        emit banListRequested();
        break;
    case CommandId::ChannelRefresh:
        Refresh();
        break;
    case CommandId::ChannelAddFavourite:
        RunLine(StrPrintf("/favorite add %s", Channel().c_str()));
        break;
    case CommandId::ChannelProperties:
        emit propertiesRequested();
        break;
    case CommandId::ChannelSearch:
    case CommandId::ChannelSearchHere:
        RunLine("/search");
        break;
    case CommandId::LoadScript:
        LoadScript();
        break;
    default:
        break;
    }
    return true;
}

std::string ConversationMenu::ModeToggleLine(const std::string &channel, char flag, bool isSet)
{
    return StrPrintf("/servermsg MODE %s %c%c", channel.c_str(), isSet ? '-' : '+', flag);
}

int ConversationMenu::RunLine(const std::string &line)
{
    if (!m_run || !IsOneLine(line))
        return 0;
    return m_run(line);
}

bool ConversationMenu::Ask(StrText title, StrText prompt, QString &text)
{
    text.clear();
    return m_prompt && m_prompt(FromUtf8(Strings::Get(title)), FromUtf8(Strings::Get(prompt)), text);
}

void ConversationMenu::AskTopic()
{
    QString topic;
    if (Ask(Str::TopicTitle, Str::TopicPrompt, topic))
        RunLine(StrPrintf("/servermsg TOPIC %s :%s", Channel().c_str(), topic.toStdString().c_str()));
}

void ConversationMenu::ToggleMode(char flag)
{
    RunLine(ModeToggleLine(Channel(), flag, HasFlag(flag)));
}

void ConversationMenu::ToggleKey()
{
    const std::string channel = Channel();
    if (HasFlag('k')) {
        // Servers differ in whether removing a key needs the key itself: both forms.
        RunLine(StrPrintf("/servermsg MODE %s -k %s", channel.c_str(), m_conversation->Channel().Key().c_str()));
        RunLine(StrPrintf("/servermsg MODE %s -k", channel.c_str()));
        return;
    }
    QString key;
    if (Ask(Str::KeyTitle, Str::KeyPrompt, key))
        RunLine(StrPrintf("/servermsg MODE %s +k %s", channel.c_str(), key.toStdString().c_str()));
}

void ConversationMenu::ToggleLimit()
{
    const std::string channel = Channel();
    if (HasFlag('l')) {
        RunLine(StrPrintf("/servermsg MODE %s -l", channel.c_str()));
        return;
    }
    QString text;
    if (!Ask(Str::LimitTitle, Str::LimitPrompt, text))
        return;
    const int limit = std::atoi(text.trimmed().toStdString().c_str());
    if (limit >= 1)
        RunLine(StrPrintf("/servermsg MODE %s +l %d", channel.c_str(), limit));
}

void ConversationMenu::Refresh()
{
    if (!IsChannel())
        return;
    m_conversation->Channel().ClearBans();
    const std::string channel = Channel();
    RunLine(StrPrintf("/servermsg MODE %s", channel.c_str()));
    RunLine(StrPrintf("/servermsg MODE %s b", channel.c_str()));
}

void ConversationMenu::LoadScript()
{
    if (!m_shell)
        return;
    const std::string path = m_shell->OpenFileDialog(ExeDirectory(), Strings::Get(Str::ScriptFileFilter));
    if (!path.empty())
        RunLine(StrPrintf("/load %s %s", Channel().c_str(), path.c_str()));
}

void ConversationMenu::RemoveScript(int index)
{
    if (!m_conversation || index < 0)
        return;
    int k = 0;
    for (const auto &script : m_conversation->Scripts()) {
        if (k++ != index)
            continue;
        const std::string name = script.first; // the command may unload it
        RunLine(StrPrintf("/unload %s %s", Channel().c_str(), name.c_str()));
        return;
    }
}

void ConversationMenu::SendUserMessage(int index)
{
    const std::string &message = m_userMessages[static_cast<size_t>(index)];
    RunLine(StrPrintf("/action %s %s", Channel().c_str(), message.c_str()));
}
