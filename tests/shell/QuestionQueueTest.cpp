#include "shell/QuestionQueue.h"
#include "conversation/Question.h"

#include <gtest/gtest.h>

namespace {

// A question of any kind number, 3 (no kind of the program) among them.
Question Ask(int kind, const std::string &prefix, const std::string &key, const std::string &file = {},
             int64_t size = 0)
{
    return Question::ForRequest(static_cast<Question::Kind>(kind), prefix, key, file, size);
}

const std::string kKey = "krnl:1:127.0.0.1:6667";

struct Recorder
{
    std::vector<Question> shown;
    void Attach(QuestionQueue &queue)
    {
        queue.SetShowHandler([this](const Question &q) { shown.push_back(q); });
    }
};

} // namespace

TEST(QuestionQueue, QueuedQuestionsComeBackFieldForField)
{
    QuestionQueue queue;
    Recorder recorder;
    recorder.Attach(queue);
    const Question open = Ask(1, "ana!a@h", kKey);
    // Awkward values: blanks and Slovak letters in a file name, an empty
    // session key, a certificate's reasons with blanks.
    const Question file = Ask(4, "Ľubo!~ľ@dom.sk", "", " moja fotka z Košíc.jpg", 123456);
    const Question certificate =
        Question::ForCertificate("[::1]:6697", kKey, "AB:CD", "self-signed; host name does not match");
    queue.Ask(open);
    queue.Ask(file);
    queue.Ask(certificate);
    queue.Dismissed();
    EXPECT_TRUE(queue.Serve());
    queue.Dismissed();
    EXPECT_TRUE(queue.Serve());
    EXPECT_EQ(recorder.shown, (std::vector<Question>{open, file, certificate}));
    EXPECT_EQ(recorder.shown[2].fingerprint, "AB:CD");
    EXPECT_EQ(recorder.shown[2].reasons, "self-signed; host name does not match");
}

TEST(Question, TextsNameTheSenderAndTheFile)
{
    const Question chat = Ask(1, "ana!~a@host.sk", kKey);
    EXPECT_EQ(chat.Caption(), "Žiadosť o súkromné písanie od ana ...");
    EXPECT_EQ(chat.Text(), "Užívateľ ana z adresy ~a@host.sk si chce s tebou súkromne písať");
    const Question dcc = Ask(2, "bob!b@x.y", kKey);
    EXPECT_EQ(dcc.Caption(), "Žiadosť o súkromné spojenie od bob ...");
    EXPECT_EQ(dcc.Text(), "Užívateľ bob z adresy b@x.y si chce s tebou písať na súkromnej linke");
    const Question file = Ask(4, "bob!b@x.y", kKey, "a b.txt", 2048);
    EXPECT_EQ(file.Caption(), dcc.Caption());
    EXPECT_EQ(file.Text(), "Užívateľ bob z adresy b@x.y ti posiela súbor \"a b.txt\", veľkosti 2 kB");
}

TEST(Question, IgnoreCommandFlagsFollowTheKind)
{
    EXPECT_EQ(Ask(1, "ana!a@h", kKey).IgnoreCommand(), "/ignore add ana 2");
    EXPECT_EQ(Ask(2, "ana!a@h", kKey).IgnoreCommand(), "/ignore add ana 4");
    EXPECT_EQ(Ask(4, "ana!a@h", kKey).IgnoreCommand(), "/ignore add ana 4");
    EXPECT_EQ(Ask(3, "ana!a@h", kKey).IgnoreCommand(), "/ignore add ana 6");
}

TEST(QuestionQueue, SecondRequestWaitsAndIsQueuedOnce)
{
    QuestionQueue queue;
    Recorder recorder;
    recorder.Attach(queue);
    EXPECT_TRUE(queue.Ask(Ask(1, "ana!a@h", kKey)));
    EXPECT_FALSE(queue.Ask(Ask(1, "bob!b@h", kKey)));
    EXPECT_FALSE(queue.Ask(Ask(1, "bob!b@h", kKey)));
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].prefix, "ana!a@h");
    ASSERT_EQ(queue.Queued().size(), 1u);

    // Nothing more while a question is open, even on a tick.
    EXPECT_FALSE(queue.Serve());
    queue.Answered(QuestionQueue::Answer::Decline);
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[1].prefix, "bob!b@h");
    EXPECT_TRUE(queue.Queued().empty());
}

TEST(QuestionQueue, DismissedQuestionLeavesTheNextForTheTick)
{
    QuestionQueue queue;
    Recorder recorder;
    recorder.Attach(queue);
    queue.Ask(Ask(1, "ana!a@h", kKey));
    queue.Ask(Ask(2, "bob!b@h", kKey));
    queue.Dismissed();
    EXPECT_FALSE(queue.HasOpen());
    EXPECT_EQ(recorder.shown.size(), 1u);
    EXPECT_TRUE(queue.Serve());
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[1].kind, 2);
    EXPECT_FALSE(queue.Serve());
}

TEST(QuestionQueue, AcceptingAFileRemovesOnlyQuestionsAboutThatFile)
{
    QuestionQueue queue;
    Recorder recorder;
    recorder.Attach(queue);
    queue.Ask(Ask(4, "bob!b@h", kKey, "a.txt", 10));
    queue.Ask(Ask(4, "bob!b@h", kKey, "a.txt", 20));                // the same file offered again
    queue.Ask(Ask(4, "bob!b@h", kKey, "b.txt", 10));                // another file
    queue.Ask(Ask(4, "bob!b@h", "krnl:2:other:6667", "a.txt", 10)); // another session
    queue.Answered(QuestionQueue::Answer::Accept);
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[1].fileName, "b.txt");
    ASSERT_EQ(queue.Queued().size(), 1u);
    EXPECT_EQ(queue.Queued()[0].sessionKey, "krnl:2:other:6667");
}

TEST(QuestionQueue, IgnoreRemovesEveryQuestionOfTheSenderAndKind)
{
    QuestionQueue queue;
    Recorder recorder;
    recorder.Attach(queue);
    queue.Ask(Ask(4, "bob!b@h", kKey, "a.txt", 1));
    queue.Ask(Ask(4, "bob!b@h", kKey, "b.txt", 1));
    queue.Ask(Ask(2, "bob!b@h", kKey));             // other kind stays
    queue.Ask(Ask(4, "eve!e@h", kKey, "a.txt", 1)); // other sender stays
    queue.Answered(QuestionQueue::Answer::Ignore);
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[1].kind, 2);
    ASSERT_EQ(queue.Queued().size(), 1u);
    EXPECT_EQ(queue.Queued()[0], Ask(4, "eve!e@h", kKey, "a.txt", 1));
}

TEST(QuestionQueue, DeclineOfAChatSettlesRepeatsButNotOtherSenders)
{
    const Question answered = Ask(1, "ana!a@h", kKey);
    EXPECT_TRUE(QuestionQueue::Settles(answered, QuestionQueue::Answer::Decline, Ask(1, "ana!a@h", kKey)));
    EXPECT_FALSE(QuestionQueue::Settles(answered, QuestionQueue::Answer::Decline, Ask(1, "ana!b@h", kKey)));
    EXPECT_FALSE(QuestionQueue::Settles(answered, QuestionQueue::Answer::Accept, Ask(2, "ana!a@h", kKey)));
}
