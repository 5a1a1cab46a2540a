// The "&Kanál" menu of a conversation window.
#pragma once

#include "text/Strings.h"

#include <QMenu>

#include <array>
#include <functional>
#include <string>

class Conversation;
class Shell;

// The "&Kanál" menu of a conversation window and the commands behind it and
// behind the channel tool bar: topic, the modes t n i m p s k l, ban list,
// refresh, favourites, properties, channel search, the user messages and
// loading or removing scripts. Every command becomes a command line handed to
// the runner (the window's RunCommand); the mode items are enabled in
// channel windows only and checked while their flag is set. The command
// numbers are those of CommandId ("&Kanál" group).
class ConversationMenu : public QMenu
{
    Q_OBJECT

public:
    using CommandRunner = std::function<int(const std::string &line)>;
    // Asks for one line of text; false when cancelled.
    using TextPrompt = std::function<bool(const QString &title, const QString &prompt, QString &text)>;

    explicit ConversationMenu(QWidget *parent = nullptr);
    ~ConversationMenu() override;

    // The conversation the commands act on; null disables them all.
    void SetConversation(Conversation *conversation) { m_conversation = conversation; }
    Conversation *GetConversation() const { return m_conversation; }
    void SetCommandRunner(CommandRunner runner) { m_run = std::move(runner); }
    // The input dialogs (default: TextInputDialog); tests answer them.
    void SetTextPrompt(TextPrompt prompt) { m_prompt = std::move(prompt); }
    // The file dialog of "&Nahrať Skript" goes through the shell.
    void SetShell(Shell *shell) { m_shell = shell; }
    // "Msgs User1" .. "Msgs User5".
    void SetUserMessages(const std::array<std::string, 5> &messages) { m_userMessages = messages; }

    // Whether the id is one of these commands; if so, whether it is enabled
    // and checked now.
    bool UpdateCommand(int id, bool &enabled, bool &checked) const;
    // Whether the feature behind a command is there: the ban list and the
    // properties sheet are the shell's (Shell::HasBanList,
    // HasPropertySheets); every other command is always there.
    static bool HasFeature(const Shell *shell, int id);
    // Carries the command out when it is enabled; false for ids not handled here.
    bool Run(int id);

    // The action of a command in this menu (null for the user messages and
    // the script entries).
    QAction *Action(int id);

    // "/servermsg MODE %s -f" when the flag is set, else "/servermsg MODE %s +f".
    static std::string ModeToggleLine(const std::string &channel, char flag, bool isSet);

signals:
    // "Zakázaní &Užívatelia ...": the ban list dialog of this channel.
    void banListRequested();
    // "Vlastnosti": the properties of the conversation.
    void propertiesRequested();

private:
    void CreateItems();
    void FillRemoveScriptMenu();
    void UpdateStates();
    bool IsChannel() const;
    bool HasFlag(char flag) const;
    std::string Channel() const;
    int RunLine(const std::string &line);
    bool Ask(StrText title, StrText prompt, QString &text);
    void AskTopic();
    void ToggleMode(char flag);
    void ToggleKey();
    void ToggleLimit();
    void Refresh();
    void LoadScript();
    void RemoveScript(int index);
    void SendUserMessage(int index);

    Conversation *m_conversation = nullptr;
    Shell *m_shell = nullptr;
    CommandRunner m_run;
    TextPrompt m_prompt;
    std::array<std::string, 5> m_userMessages;
    QMenu *m_removeScriptMenu = nullptr;
};
