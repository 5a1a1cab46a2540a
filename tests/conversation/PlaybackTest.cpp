// Lines a bouncer plays back: shown once, after a separator and date lines,
// and not at all when the window or its record has them already.
#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <tuple>

#include "conversation/Conversation.h"
#include "conversation/LineRecorder.h"
#include "conversation/SeenLines.h"
#include "support/FakeConversationView.h"
#include "text/Strings.h"
#include "text/TextClass.h"

namespace {

using Shown = FakeConversationView::Shown;

// A session as far as a conversation asks: the tags of the line being handled.
class FakeOwner : public ConversationOwner
{
public:
    const std::string &Key() const override { return m_key; }
    int64_t LineTime() const override { return m_time; }
    int Command(const std::string &, int, const std::string &) override { return 1; }
    LineRecorder *Recorder() const override { return m_recorder; }
    bool IsPlayedBack() const override { return m_playedBack; }
    std::string LineId() const override { return m_id; }

    std::string m_key = "KRNL:1";
    int64_t m_time = 0;
    bool m_playedBack = false;
    std::string m_id;
    LineRecorder *m_recorder = nullptr;
};

// Keeps what it is given; knows a line by its second, class and text.
class KeepingRecorder : public LineRecorder
{
public:
    void Record(const Conversation &, const std::string &text, int textClass, int64_t time) override
    {
        m_lines.insert({time, textClass, text});
        ++m_recorded;
    }
    void WindowClosed(const Conversation &) override {}
    bool HasLine(const Conversation &, const std::string &text, int textClass, int64_t time) override
    {
        return m_lines.count({time, textClass, text}) > 0;
    }

    std::set<std::tuple<int64_t, int, std::string>> m_lines;
    int m_recorded = 0;
};

std::string DayLine(int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return Strings::Format(Str::PlaybackDay, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

class Playback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_owner.m_recorder = &m_recorder;
        m_window.AttachView(&m_view);
    }

    bool PlayBack(const std::string &text, int64_t time, const std::string &id = std::string())
    {
        m_owner.m_playedBack = true;
        m_owner.m_time = time;
        m_owner.m_id = id;
        return m_window.Print(text, TextClass::Text);
    }
    bool Live(const std::string &text, int64_t time, const std::string &id = std::string())
    {
        m_owner.m_playedBack = false;
        m_owner.m_time = time;
        m_owner.m_id = id;
        return m_window.Print(text, TextClass::Text);
    }
    std::vector<std::tuple<Shown, std::string, int64_t>> ShownLines() const
    {
        std::vector<std::tuple<FakeConversationView::Shown, std::string, int64_t>> lines;
        for (const FakeConversationView::Line &line : m_view.Lines())
            lines.emplace_back(line.shown, line.text, line.time);
        return lines;
    }

    FakeOwner m_owner;
    KeepingRecorder m_recorder;
    Conversation m_window{&m_owner, "#c", Conversation::KindChannel, Conversation::TypeChannel};
    FakeConversationView m_view{m_window};
    const int64_t m_now = static_cast<int64_t>(std::time(nullptr));
};

TEST_F(Playback, ASeparatorComesFirstAndADateLineWhereTheDayChanges)
{
    const int64_t yesterday = m_now - 86400;
    const int64_t earlier = m_now - 60;
    EXPECT_TRUE(PlayBack("ann: včera", yesterday));
    EXPECT_TRUE(PlayBack("ann: ešte včera", yesterday + 1));
    EXPECT_TRUE(PlayBack("ann: dnes", earlier));
    EXPECT_TRUE(Live("ann: naživo", 0));

    const std::string separator = Strings::Get(Str::PlaybackSeparator);
    EXPECT_EQ(separator, "— prehrané z bouncera —");
    using L = std::tuple<FakeConversationView::Shown, std::string, int64_t>;
    const std::vector<L> expected = {
        L{Shown::Note, separator, 0},
        L{Shown::Note, DayLine(yesterday), 0},
        L{Shown::PlayedBack, "ann: včera", yesterday},
        L{Shown::PlayedBack, "ann: ešte včera", yesterday + 1},
        L{Shown::Note, DayLine(m_now), 0},
        L{Shown::PlayedBack, "ann: dnes", earlier},
        L{Shown::Live, "ann: naživo", 0},
    };
    EXPECT_EQ(ShownLines(), expected);
    EXPECT_EQ(m_recorder.m_recorded, 4);
}

TEST_F(Playback, TodaysLinesNeedNoDateLineAndANewAttachmentGetsItsOwnSeparator)
{
    PlayBack("ann: prvé", m_now - 30);
    m_window.BeginAttachment();
    PlayBack("ann: druhé", m_now - 20);
    int separators = 0;
    for (const FakeConversationView::Line &line : m_view.Lines()) {
        if (line.shown == Shown::Note) {
            EXPECT_EQ(line.text, Strings::Get(Str::PlaybackSeparator)) << "a date line for today";
        }
        separators += line.text == Strings::Get(Str::PlaybackSeparator) ? 1 : 0;
    }
    EXPECT_EQ(separators, 2);
}

TEST_F(Playback, WhatTheWindowOrItsRecordHasIsNeitherShownNorRecordedAgain)
{
    const int64_t said = m_now - 100;
    EXPECT_TRUE(Live("ann: raz", said));
    EXPECT_TRUE(Live("ann: s id", said + 1, "m-1"));
    m_recorder.m_lines.insert({said + 2, int(TextClass::Text), "ann: len v zázname"});
    const size_t shownBefore = m_view.Lines().size();
    const int recordedBefore = m_recorder.m_recorded;

    EXPECT_FALSE(PlayBack("ann: raz", said));
    EXPECT_FALSE(PlayBack("ann: iný text, to isté id", said + 50, "m-1"));
    EXPECT_FALSE(PlayBack("ann: len v zázname", said + 2));
    EXPECT_EQ(m_view.Lines().size(), shownBefore);
    EXPECT_EQ(m_recorder.m_recorded, recordedBefore);

    // Another second, another text or another class is another line.
    EXPECT_TRUE(PlayBack("ann: raz", said + 3));
    EXPECT_TRUE(PlayBack("ann: raz!", said));
    m_owner.m_time = said;
    EXPECT_TRUE(m_window.Print("ann: raz", TextClass::Info));
    EXPECT_EQ(m_recorder.m_recorded, recordedBefore + 3);
    // Twice the same played-back line: once.
    EXPECT_FALSE(PlayBack("ann: raz", said + 3));
}

TEST_F(Playback, LiveLinesAreNeverHeldBackAsRepeats)
{
    EXPECT_TRUE(Live("ann: ok", m_now));
    EXPECT_TRUE(Live("ann: ok", m_now));
    EXPECT_EQ(m_view.CountLines("ann: ok"), 2);
}

TEST(SeenLines, ForgetsTheOldestBeyondItsBound)
{
    SeenLines seen;
    seen.Note(1, 0, "first", "");
    for (int i = 0; i < int(2 * SeenLines::kMostLines); ++i)
        seen.Note(100 + i, 0, "line", "");
    EXPECT_FALSE(seen.Has(1, 0, "first", ""));
    EXPECT_TRUE(seen.Has(100 + 2 * int(SeenLines::kMostLines) - 1, 0, "line", ""));
    seen.Note(5, 0, "with id", "abc");
    EXPECT_TRUE(seen.Has(999, 1, "other", "abc"));
    EXPECT_FALSE(seen.Has(999, 1, "other", "abd"));
    seen.Clear();
    EXPECT_FALSE(seen.Has(5, 0, "with id", ""));
}

} // namespace
