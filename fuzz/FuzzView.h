#pragma once

#include "conversation/ConversationView.h"
#include "text/FormatLine.h"

class Conversation;

// A conversation window for the fuzzer: every printed line goes through the
// formatting path a real window uses (FormatLine with the decoration that
// looks nicks up in the conversation's own list), and is then forgotten.
class FuzzView : public ConversationView
{
public:
    explicit FuzzView(Conversation &conversation);
    ~FuzzView() override;

    bool ShowLine(const std::string &text, int textClass, int64_t time) override;
    void SetTitle(const std::string &) override {}
    void TopicChanged(const std::string &topic) override;
    void ChannelStateChanged() override {}
    void NickListChanged() override {}
    void Close() override;
    bool IsActive() const override { return false; }
    bool IsClosed() const { return m_conversation == nullptr; }

    // Bytes of HTML produced so far by all views (keeps the work observable).
    static size_t HtmlBytes() { return s_htmlBytes; }

private:
    Conversation *m_conversation;
    FormatContext m_context;
    static size_t s_htmlBytes;
};
