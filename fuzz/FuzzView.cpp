#include "FuzzView.h"

#include "conversation/Conversation.h"
#include "conversation/NickList.h"

size_t FuzzView::s_htmlBytes = 0;

FuzzView::FuzzView(Conversation &conversation) : m_conversation(&conversation)
{
    m_context.m_decoration.m_hiLighting = true;
    m_context.m_decoration.m_ownNick = "me";
    m_context.m_decoration.m_isNickListMember = [this](std::string_view nick) {
        return m_conversation && m_conversation->Nicks().FindNick(nick);
    };
    m_context.m_decoration.m_isContact = [](std::string_view lowerNick) { return lowerNick == "ann"; };
}

FuzzView::~FuzzView()
{
    if (m_conversation)
        m_conversation->DetachView(this);
}

bool FuzzView::ShowLine(const std::string &text, int textClass, int64_t time)
{
    const TextClass kind = textClass < -1 ? TextClass::Info : static_cast<TextClass>(textClass);
    s_htmlBytes += FormatLine(text, kind, static_cast<std::time_t>(time), m_context).size();
    return true;
}

void FuzzView::TopicChanged(const std::string &topic)
{
    s_htmlBytes += FormatLine(topic, TextClass::Info, 0, m_context).size();
}

void FuzzView::Close()
{
    m_conversation = nullptr;
}
