#pragma once

#include "conversation/Question.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The rules of the question dialog: at most one question is open at a time;
// further questions wait in a queue, each question at most once.
// The application plugs the dialog in through the show callback; answering
// closes the open question, drops the queued questions it settled and shows
// the next one.
class QuestionQueue
{
public:
    // AcceptAlways: a certificate accepted for good (certificate questions only).
    enum class Answer { Accept, Decline, Ignore, AcceptAlways };

    // Called with the question that becomes the open one.
    void SetShowHandler(std::function<void(const Question &)> show);

    // Opens the question when none is open; otherwise queues it unless an
    // equal question is already queued. Returns true when it was opened.
    bool Ask(const Question &question);

    // Closes the open question after the user's answer, removes the queued
    // questions that the answer settles and opens the next queued one.
    void Answered(Answer answer);

    // Closes the open question without answering it (its dialog was closed).
    void Dismissed();

    // The periodic tick: opens the head of the queue when nothing is open.
    // Returns true when a question was opened.
    bool Serve();

    bool HasOpen() const { return m_open.has_value(); }
    const std::optional<Question> &Open() const { return m_open; }
    const std::vector<Question> &Queued() const { return m_queue; }

    // Whether a queued question is settled by an answer given to another:
    // same kind, prefix and session key; for accept or decline of a file
    // offer also the same file name.
    static bool Settles(const Question &answered, Answer answer, const Question &queued);

private:
    void RemoveSettled(const Question &answered, Answer answer);
    void OpenQuestion(const Question &question);

    std::optional<Question> m_open;
    std::vector<Question> m_queue;
    std::function<void(const Question &)> m_show;
};
