#include "shell/QuestionQueue.h"

#include <algorithm>

void QuestionQueue::SetShowHandler(std::function<void(const Question &)> show)
{
    m_show = std::move(show);
}

bool QuestionQueue::Ask(const Question &question)
{
    if (!m_open) {
        OpenQuestion(question);
        return true;
    }
    if (std::find(m_queue.begin(), m_queue.end(), question) == m_queue.end())
        m_queue.push_back(question);
    return false;
}

void QuestionQueue::Answered(Answer answer)
{
    if (!m_open)
        return;
    const Question answered = *m_open;
    m_open.reset();
    RemoveSettled(answered, answer);
    Serve();
}

void QuestionQueue::Dismissed()
{
    m_open.reset();
}

bool QuestionQueue::Serve()
{
    if (m_open || m_queue.empty())
        return false;
    const Question head = m_queue.front();
    m_queue.erase(m_queue.begin());
    OpenQuestion(head);
    return true;
}

bool QuestionQueue::Settles(const Question &answered, Answer answer, const Question &queued)
{
    if (queued.kind != answered.kind || queued.prefix != answered.prefix || queued.sessionKey != answered.sessionKey)
        return false;
    if (answer != Answer::Ignore && answered.kind == Question::DccFile)
        return queued.fileName == answered.fileName;
    return true;
}

void QuestionQueue::RemoveSettled(const Question &answered, Answer answer)
{
    std::erase_if(m_queue, [&](const Question &queued) { return Settles(answered, answer, queued); });
}

void QuestionQueue::OpenQuestion(const Question &question)
{
    m_open = question;
    if (m_show)
        m_show(question);
}
