// The lines that named the user, from every window of every session.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A line someone else wrote that names the user's nick or a highlight word.
struct Mention
{
    uint64_t m_number = 0; // from 1, in the order the lines came; never given twice
    int64_t m_time = 0;    // seconds since 1970
    std::string m_sessionKey;
    std::string m_network; // the session's display name
    std::string m_window;  // the conversation that shows the line
    std::string m_nick;    // who wrote it
    std::string m_text;    // what was written, without formatting codes
    uint64_t m_lineId = 0; // the line in its window (ConversationView::LastLineId), 0: unknown
    bool m_unread = true;
};

// The newest kCapacity mentions since the program started, newest first,
// and what counts as one: a line names a word when the word stands in it
// alone, compared without regard to case as names are ("Bob:", "@bob" and
// "BOB's" name bob; "bobby" and "jakub_bob" do not). Shared by all sessions
// (the session table owns it); everything on the UI thread.
class MentionList
{
public:
    static constexpr size_t kCapacity = 1000;

    // The highlight words of the settings, separated by blanks.
    void SetHighlightWords(std::string_view words);
    const std::vector<std::string> &HighlightWords() const { return m_words; }
    // Whether text names the nick or one of the highlight words.
    bool Names(std::string_view text, std::string_view nick) const;
    static bool NamesWord(std::string_view text, std::string_view word);

    // Adds the mention as the newest, numbered; past kCapacity the oldest goes.
    void Add(Mention mention);
    size_t Count() const { return m_mentions.size(); }
    // 0 is the newest.
    const Mention &At(size_t index) const { return m_mentions[index]; }
    const Mention *Find(uint64_t number) const;
    int UnreadCount() const;

    void MarkRead(uint64_t number);
    // The user opened the window: its mentions are read.
    void MarkWindowRead(std::string_view sessionKey, std::string_view window);
    void MarkAllRead();

    // Called after every change (a mention added, read).
    void SetListener(std::function<void()> listener) { m_listener = std::move(listener); }

private:
    void changed();

    std::deque<Mention> m_mentions; // newest first
    std::vector<std::string> m_words;
    uint64_t m_lastNumber = 0;
    std::function<void()> m_listener;
};
