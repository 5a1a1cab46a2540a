#include "session/RequestAnswer.h"

#include "conversation/Conversation.h"
#include "conversation/Question.h"
#include "session/Session.h"
#include "text/StrPrintf.h"

void RequestAnswer::AcceptRequest(Session &session, const Question &question)
{
    const std::string nick = question.Nick();
    if (question.kind == Question::PrivateChat) {
        session.Command(std::string(), 0, StrPrintf("/query %s", nick.c_str()));
        for (const PendingRequest &request : session.Requests().TakeSettled(question)) {
            if (Conversation *window = session.FindWindow(nick))
                window->Print(StrPrintf("%s: %s", nick.c_str(), request.text.c_str()), 1, request.time);
        }
        return;
    }
    if (question.kind != Question::DccChat && question.kind != Question::DccFile)
        return;
    // One answer accepts one offer: the newest, since a sender that offers
    // again has given up on its earlier offers (the question dialog asks
    // once for equal offers).
    const std::vector<PendingRequest> settled = session.Requests().TakeSettled(question);
    if (!settled.empty())
        session.Command(std::string(), 0, settled.back().text);
}

void RequestAnswer::RejectRequest(Session &session, const Question &question)
{
    session.Requests().TakeSettled(question);
}
