#pragma once

#include <QPointer>

#include <memory>
#include <string>

#include "config/AppSettings.h"
#include "conversation/Shell.h"

class CChannelFrame;
class QMainWindow;
class QMdiArea;

// The application of the flood benchmark: a visible main window whose MDI
// area holds the program's real conversation windows, maximised as a user
// with "Zoomed" has them; every other request of the core is ignored.
// With BRIMO_FLOOD_HIDDEN set the main window stays hidden, for measuring
// the same work without painting.
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
    bool IsMainWindowVisible() const override;
    bool IsMainWindowActive() const override;
    void Beep(int) override {}

    // The window of the conversation with this name, or null.
    CChannelFrame *Frame(const std::string &name) const;

private:
    AppSettings m_settings;
    std::unique_ptr<QMainWindow> m_window;
    QMdiArea *m_area;
    std::vector<QPointer<CChannelFrame>> m_frames;
};
