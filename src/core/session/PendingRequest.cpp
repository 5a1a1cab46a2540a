#include "session/PendingRequest.h"

#include "text/CaseFold.h"

bool PendingRequest::IsSettledBy(const Question &question) const
{
    if (question.kind != kind || !EqualIgnoringCase(question.Nick(), nick))
        return false;
    return kind != Question::DccFile || question.fileName == fileName;
}
