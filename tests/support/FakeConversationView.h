#pragma once

#include <string>
#include <vector>

#include "conversation/ConversationView.h"

class Conversation;

// A conversation window for tests: records what the conversation asks of it.
class FakeConversationView : public ConversationView
{
public:
    // How a line came: printed live, played back by a bouncer, or a note of the window's own.
    enum class Shown { Live, PlayedBack, Note };
    struct Line
    {
        std::string text;
        int textClass;
        int64_t time;
        Shown shown = Shown::Live;
    };

    explicit FakeConversationView(Conversation &conversation);
    ~FakeConversationView() override;

    bool ShowLine(const std::string &text, int textClass, int64_t time) override;
    // Recorded as such; the activity flag as ShowLine sets it.
    bool ShowPlayedBackLine(const std::string &text, int textClass, int64_t time) override;
    void ShowNote(const std::string &text) override;
    void SetTitle(const std::string &title) override { m_title = title; }
    void TopicChanged(const std::string &topic) override { m_topics.push_back(topic); }
    void ChannelStateChanged() override { ++m_channelStateChanges; }
    void NickListChanged() override { ++m_nickListChanges; }
    void Close() override;
    bool IsActive() const override { return m_active; }
    // Lines are numbered by their count, as a view that keeps them all would.
    uint64_t LastLineId() const override { return m_lines.size(); }

    // The window's own destruction by the user interface (not by the session).
    void DestroyNativeWindow();

    Conversation *GetConversation() const { return m_conversation; }
    const std::string &Name() const { return m_name; }
    const std::vector<Line> &Lines() const { return m_lines; }
    // Whether some line equals text exactly / contains part.
    bool HasLine(const std::string &text) const;
    bool HasLineContaining(const std::string &part) const;
    int CountLines(const std::string &text) const;
    const std::string &Title() const { return m_title; }
    bool IsClosed() const { return m_closed; }
    int NickListChanges() const { return m_nickListChanges; }
    int ChannelStateChanges() const { return m_channelStateChanges; }
    const std::vector<std::string> &Topics() const { return m_topics; }

    bool m_active = false;

private:
    Conversation *m_conversation;
    std::string m_name;
    std::vector<Line> m_lines;
    std::string m_title;
    std::vector<std::string> m_topics;
    int m_channelStateChanges = 0;
    int m_nickListChanges = 0;
    bool m_closed = false;
};
