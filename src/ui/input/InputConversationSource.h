// What Tab completion in the input line knows of its conversation.
#pragma once

#include "input/InputCompletion.h"

#include <string>
#include <vector>

class Conversation;

// Lets an input line complete with Tab in a conversation: its type, its name
// and the members of its nick list. The conversation must outlive it.
class InputConversationSource : public CompletionSource
{
public:
    explicit InputConversationSource(const Conversation &conversation);

    Conversation::WindowType WindowType() const override;
    std::string WindowName() const override;
    int NickCount() const override;
    std::string NickEntry(int index) const override;
    bool HasNick(const std::string &nick) const override;
    // A bouncer's commands in the window of its "*status" or "*module".
    const std::vector<std::string> &CommandWords() const override;

    // The files of the scripts loaded into the conversation, for the command pop-up.
    static std::vector<std::string> ScriptFiles(Conversation &conversation);

private:
    const Conversation &m_conversation;
};
