#pragma once

#include <memory>
#include <vector>

#include "conversation/Shell.h"

class FloodView;

// The application of the flood benchmark: real windows for conversations,
// every other request ignored.
class FloodShell : public Shell
{
public:
    FloodShell();
    ~FloodShell() override;

    ConversationView *CreateView(Conversation &conversation) override;
    void RefreshShell(int) override {}
    void ShowBalloon(const std::string &, const std::string &, int) override {}
    void AskQuestion(int, const std::string &, const std::string &, const std::string &, int64_t) override {}
    int MessageBox(const std::string &, const std::string &, int) override { return AnswerOk; }
    std::string OpenFileDialog(const std::string &, const std::string &) override { return {}; }
    std::string SaveFileDialog(const std::string &, const std::string &, const std::string &) override { return {}; }
    void PopupLine(const std::string &) override {}
    void UserPropertiesLine(const std::string &, const std::string &, const std::string &) override {}
    void ChannelListRow(const std::string &, const std::string &) override {}
    void ChannelListEnd(const std::string &) override {}
    void OpenLink(const std::string &) override {}
    bool IsMainWindowVisible() const override { return true; }
    bool IsMainWindowActive() const override { return true; }
    void Beep(int) override {}

    FloodView *View(const std::string &name) const;

private:
    std::vector<std::unique_ptr<FloodView>> m_views;
};
