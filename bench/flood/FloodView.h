#pragma once

#include <QWidget>

#include <string>

#include "conversation/ConversationView.h"

class CChannelList;
class CChannelUsers;
class Conversation;

// A conversation window as the benchmark shows it: the program's text view
// and nick list side by side in a visible top-level window. Lines are
// formatted and decorated as in a channel window, and the text is cleared
// when it passes the default "Max Text Size", as the channel window does.
class FloodView : public QWidget, public ConversationView
{
public:
    static constexpr int64_t kMaxTextSize = 1000000;

    explicit FloodView(Conversation &conversation);
    ~FloodView() override;

    bool ShowLine(const std::string &text, int textClass, int64_t time) override;
    void SetTitle(const std::string &title) override;
    void TopicChanged(const std::string &) override {}
    void ChannelStateChanged() override {}
    void NickListChanged() override {}
    void Close() override;
    bool IsActive() const override { return true; }

    const std::string &Name() const { return m_name; }
    CChannelList *List() const { return m_list; }
    int Clearings() const { return m_clearings; }

private:
    Conversation *m_conversation;
    std::string m_name;
    CChannelList *m_list;
    CChannelUsers *m_users;
    int m_clearings = 0;
};
