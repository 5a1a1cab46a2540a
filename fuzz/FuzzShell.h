#pragma once

#include <memory>
#include <vector>

#include "conversation/Shell.h"

class FuzzView;

// The application as the fuzzer sees it: views that format every line,
// every other request accepted and forgotten.
class FuzzShell : public Shell
{
public:
    FuzzShell();
    ~FuzzShell() override;

    ConversationView *CreateView(Conversation &conversation) override;
    void RefreshShell(int) override {}
    void ShowBalloon(const std::string &, const std::string &, int) override {}
    void AskQuestion(const Question &) override {}
    int MessageBox(const std::string &, const std::string &, int) override { return AnswerOk; }
    std::string OpenFileDialog(const std::string &, const std::string &) override { return {}; }
    std::string SaveFileDialog(const std::string &, const std::string &, const std::string &) override { return {}; }
    void PopupLine(const std::string &html) override { m_popupBytes += html.size(); }
    void UserPropertiesLine(const std::string &, const std::string &, const std::string &) override {}
    void ChannelListBegin(const std::string &) override {}
    void ChannelListRow(const std::string &, const std::string &channel, uint32_t, const std::string &topic) override
    {
        m_popupBytes += channel.size() + topic.size();
    }
    void ChannelListEnd(const std::string &) override {}
    void OpenLink(const std::string &) override {}
    bool IsMainWindowVisible() const override { return true; }
    bool IsMainWindowActive() const override { return true; }
    void Beep(int) override {}

    // Drops the views of closed conversations.
    void Collect();

private:
    std::vector<std::unique_ptr<FuzzView>> m_views;
    size_t m_popupBytes = 0;
};
