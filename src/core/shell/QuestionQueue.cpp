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
    const std::string record = question.Record();
    if (std::find(m_queue.begin(), m_queue.end(), record) == m_queue.end())
        m_queue.push_back(record);
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
    while (!m_open && !m_queue.empty()) {
        const std::string head = m_queue.front();
        m_queue.erase(m_queue.begin());
        Question question;
        if (Question::FromRecord(head, question)) {
            OpenQuestion(question);
            return true;
        }
    }
    return false;
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
    std::erase_if(m_queue, [&](const std::string &record) {
        Question queued;
        return Question::FromRecord(record, queued) && Settles(answered, answer, queued);
    });
}

void QuestionQueue::OpenQuestion(const Question &question)
{
    m_open = question;
    if (m_show)
        m_show(question);
}
