// Helpers shared by the command handlers.
#include <ctime>

#include "commands/CommandHandlers.h"
#include "conversation/Conversation.h"
#include "conversation/ConversationView.h"

namespace Commands {

int64_t LeadingNumber(std::string_view word, int64_t limit)
{
    int64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > limit)
            return limit + 1;
    }
    return value;
}

int64_t Now()
{
    return static_cast<int64_t>(std::time(nullptr));
}

void BringToFront(Conversation &window)
{
    if (ConversationView *view = window.View())
        view->Activate();
}

} // namespace Commands
