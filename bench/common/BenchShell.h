#pragma once

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "config/AppSettings.h"
#include "conversation/Shell.h"

class ConversationWindow;
class QMainWindow;
class QMdiArea;

// The application of the benchmarks: a main window whose MDI area holds the
// program's real conversation windows, maximised as a user with "Zoomed" has
// them; every other request of the core is ignored. A hidden main window
// measures the same work without painting.
class BenchShell : public Shell
{
public:
    explicit BenchShell(bool visible = true);
    ~BenchShell() override;

    ConversationView *CreateView(Conversation &conversation) override;
    void RefreshShell(int) override {}
    void ShowBalloon(const std::string &, const std::string &, int) override {}
    void AskQuestion(const Question &) override {}
    int MessageBox(const std::string &, const std::string &, int) override { return AnswerOk; }
    std::string OpenFileDialog(const std::string &, const std::string &) override { return {}; }
    std::string SaveFileDialog(const std::string &, const std::string &, const std::string &) override { return {}; }
    void PopupLine(const std::string &) override {}
    void UserPropertiesLine(const std::string &, const std::string &, const std::string &) override {}
    void ChannelListBegin(const std::string &) override {}
    void ChannelListRow(const std::string &, const std::string &, uint32_t, const std::string &) override {}
    void ChannelListEnd(const std::string &) override {}
    void OpenLink(const std::string &) override {}
    bool IsMainWindowVisible() const override;
    bool IsMainWindowActive() const override;
    void Beep(int) override {}

    // The window of the conversation with this name, or null.
    ConversationWindow *Frame(const std::string &name) const;
    const AppSettings &Settings() const { return m_settings; }

private:
    AppSettings m_settings;
    std::unique_ptr<QMainWindow> m_window;
    QMdiArea *m_area;
    std::vector<QPointer<ConversationWindow>> m_frames;
};
