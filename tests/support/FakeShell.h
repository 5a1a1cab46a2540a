#pragma once

#include <memory>
#include <string>
#include <vector>

#include "conversation/Question.h"
#include "conversation/Shell.h"
#include "conversation/UserAlert.h"

class DirectConnections;
class FakeConversationView;
class FakeFileProgress;

// The application as tests see it: makes recording views for conversations,
// records every other request and answers questions as told.
class FakeShell : public Shell
{
public:
    struct Balloon
    {
        std::string title, text;
        int textClass;
    };

    FakeShell();
    ~FakeShell() override;

    ConversationView *CreateView(Conversation &conversation) override;
    void RefreshShell(int bits) override { m_refreshes.push_back(bits); }
    void ShowBalloon(const std::string &title, const std::string &text, int textClass) override;
    void AskQuestion(const Question &question) override { m_questions.push_back(question); }
    void AlertUser(const UserAlert &alert) override { m_alerts.push_back(alert); }
    int MessageBox(const std::string &text, const std::string &title, int buttons) override;
    std::string OpenFileDialog(const std::string &folder, const std::string &filter) override;
    std::string SaveFileDialog(const std::string &folder, const std::string &fileName,
                               const std::string &filter) override;
    void PopupLine(const std::string &html) override { m_popupLines.push_back(html); }
    void UserPropertiesLine(const std::string &sessionKey, const std::string &nick, const std::string &line) override;
    void ChannelListBegin(const std::string &sessionKey) override { m_channelListBegins.push_back(sessionKey); }
    void ChannelListRow(const std::string &sessionKey, const std::string &channel, uint32_t users,
                        const std::string &topic) override;
    void ChannelListEnd(const std::string &sessionKey) override { m_channelListEnds.push_back(sessionKey); }
    void OpenLink(const std::string &address) override { m_links.push_back(address); }
    bool IsMainWindowVisible() const override { return m_mainVisible; }
    bool IsMainWindowActive() const override { return m_mainActive; }
    void Beep(int kind) override { m_beeps.push_back(kind); }
    bool HasPropertySheets() const override { return m_hasPropertySheets; }
    bool HasDcc() const override { return m_hasDcc || m_dcc; }
    void OpenProperties(Session &session, const std::string &name) override;
    bool HasBanList() const override { return m_hasBanList; }
    void OpenBanList(Session &session, const std::string &channel) override;
    ScriptHost *Scripts() override { return m_scripts; }
    int DccCommand(Session &session, const std::string &window, const std::string &line) override;
    bool TakeDccOffer(Session &session, const std::string &body, const std::string &senderPrefix) override;
    bool SendDccChat(WindowConnection &connection, const std::string &text) override;
    FileProgress *OpenFileProgress(DirectConnect &connection, const std::string &path,
                                   const std::string &direction) override;

    // The newest view made for a conversation of that name (any case), or null.
    FakeConversationView *View(const std::string &name) const;
    // Every view made so far, closed ones included.
    std::vector<FakeConversationView *> Views() const;

    // Answers and switches the test sets.
    bool m_makeViews = true;
    int m_messageBoxAnswer = AnswerOk;
    std::string m_fileDialogAnswer;
    bool m_mainVisible = true;
    bool m_mainActive = true;
    // The features a later part of the program supplies: off unless a test
    // turns them on.
    bool m_hasPropertySheets = false;
    bool m_hasBanList = false;
    ScriptHost *m_scripts = nullptr;
    bool m_hasDcc = false;       // "/dcc" answers 1 and offers are taken
    bool m_dccChatSends = false; // SendDccChat answers
    // When set, "/dcc", offers and chat text go to these real direct
    // connections (HasDcc is then true); the calls are still recorded.
    DirectConnections *m_dcc = nullptr;

    // What was asked.
    std::vector<int> m_refreshes;
    std::vector<Balloon> m_balloons;
    std::vector<Question> m_questions;
    std::vector<UserAlert> m_alerts;
    std::vector<std::string> m_messageBoxes;
    std::vector<std::string> m_popupLines;
    std::vector<std::string> m_propertyLines;
    std::vector<std::string> m_channelListBegins;
    std::vector<std::string> m_channelListRows; // "key channel users topic"
    std::vector<std::string> m_channelListEnds;
    std::vector<std::string> m_links;
    std::vector<int> m_beeps;
    // "session key|name" of OpenProperties and OpenBanList.
    std::vector<std::string> m_propertySheets;
    std::vector<std::string> m_banLists;
    // "window|line" of DccCommand, "prefix|body" of TakeDccOffer.
    std::vector<std::string> m_dccCommands;
    std::vector<std::string> m_dccOffers;
    struct DccChatText
    {
        WindowConnection *connection;
        std::string text;
    };
    std::vector<DccChatText> m_dccChatTexts;
    // The progress of every file transfer, in order ("path|direction" and the positions).
    std::vector<std::unique_ptr<FakeFileProgress>> m_progress;

private:
    std::vector<std::unique_ptr<FakeConversationView>> m_views;
};
