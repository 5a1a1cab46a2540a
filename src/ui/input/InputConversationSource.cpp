#include "input/InputConversationSource.h"

#include "conversation/Conversation.h"
#include "conversation/NickList.h"

CInputConversationSource::CInputConversationSource(const Conversation &conversation) : m_conversation(conversation) {}

Conversation::WindowType CInputConversationSource::WindowType() const
{
    return m_conversation.Type();
}

std::string CInputConversationSource::WindowName() const
{
    return m_conversation.Name();
}

int CInputConversationSource::NickCount() const
{
    return m_conversation.Nicks().NickCount();
}

std::string CInputConversationSource::NickEntry(int index) const
{
    if (index < 0 || index >= NickCount())
        return {};
    return m_conversation.Nicks().EntryAt(index).nick;
}

std::vector<std::string> CInputConversationSource::ScriptFiles(Conversation &conversation)
{
    std::vector<std::string> files;
    for (const auto &[name, path] : conversation.Scripts())
        files.push_back(path);
    return files;
}
