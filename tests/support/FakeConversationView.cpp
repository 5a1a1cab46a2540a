#include "FakeConversationView.h"

#include "conversation/Conversation.h"

FakeConversationView::FakeConversationView(Conversation &conversation)
    : m_conversation(&conversation), m_name(conversation.Name()), m_title(conversation.Title())
{}

FakeConversationView::~FakeConversationView()
{
    DestroyNativeWindow();
}

bool FakeConversationView::ShowLine(const std::string &text, int textClass, int64_t time)
{
    m_lines.push_back({text, textClass, time});
    if (m_conversation && !m_active)
        m_conversation->SetActivity(true);
    return true;
}

bool FakeConversationView::ShowPlayedBackLine(const std::string &text, int textClass, int64_t time)
{
    ShowLine(text, textClass, time);
    m_lines.back().shown = Shown::PlayedBack;
    return true;
}

void FakeConversationView::ShowNote(const std::string &text)
{
    m_lines.push_back({text, 0, 0, Shown::Note});
}

void FakeConversationView::Close()
{
    m_closed = true;
    m_conversation = nullptr;
}

void FakeConversationView::DestroyNativeWindow()
{
    if (m_conversation)
        m_conversation->DetachView(this);
    m_conversation = nullptr;
}

bool FakeConversationView::HasLine(const std::string &text) const
{
    return CountLines(text) > 0;
}

bool FakeConversationView::HasLineContaining(const std::string &part) const
{
    for (const Line &line : m_lines) {
        if (line.text.find(part) != std::string::npos)
            return true;
    }
    return false;
}

int FakeConversationView::CountLines(const std::string &text) const
{
    int count = 0;
    for (const Line &line : m_lines) {
        if (line.text == text)
            ++count;
    }
    return count;
}
