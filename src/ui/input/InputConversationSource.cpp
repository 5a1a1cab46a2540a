#include "input/InputConversationSource.h"

#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/BouncerNicks.h"
#include "text/CaseFold.h"

InputConversationSource::InputConversationSource(const Conversation &conversation) : m_conversation(conversation) {}

Conversation::WindowType InputConversationSource::WindowType() const
{
    return m_conversation.Type();
}

std::string InputConversationSource::WindowName() const
{
    return m_conversation.Name();
}

int InputConversationSource::NickCount() const
{
    return m_conversation.Nicks().NickCount();
}

std::string InputConversationSource::NickEntry(int index) const
{
    if (index < 0 || index >= NickCount())
        return {};
    return m_conversation.Nicks().EntryAt(index).nick;
}

bool InputConversationSource::HasNick(const std::string &nick) const
{
    if (m_conversation.Type() == Conversation::TypePrivate && EqualIgnoringCase(m_conversation.Name(), nick))
        return true;
    return m_conversation.Nicks().FindNick(nick);
}

const std::vector<std::string> &InputConversationSource::CommandWords() const
{
    if (m_conversation.Type() == Conversation::TypePrivate && IsBouncerNick(m_conversation.Name()))
        return BouncerCommandWords();
    return CompletionSource::CommandWords();
}

std::vector<std::string> InputConversationSource::ScriptFiles(Conversation &conversation)
{
    std::vector<std::string> files;
    for (const auto &[name, path] : conversation.Scripts())
        files.push_back(path);
    return files;
}
