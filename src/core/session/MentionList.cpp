#include "session/MentionList.h"

#include "text/CaseFold.h"

#include <algorithm>
#include <cstring>

namespace {

// A byte that can be part of a nick: a word goes on through it. Bytes of
// letters past ASCII count too, so "bobík" is a word of its own.
bool IsNickByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    const auto lower = static_cast<unsigned char>(byte | 0x20);
    return byte >= 0x80 || (byte >= '0' && byte <= '9') || (lower >= 'a' && lower <= 'z')
        || (c != '\0' && std::strchr("-_[]\\`^{}|", c) != nullptr);
}

} // namespace

void MentionList::SetHighlightWords(std::string_view words)
{
    m_words.clear();
    size_t at = 0;
    while (at < words.size()) {
        const size_t end = std::min(words.find(' ', at), words.size());
        if (end > at)
            m_words.emplace_back(words.substr(at, end - at));
        at = end + 1;
    }
}

bool MentionList::Names(std::string_view text, std::string_view nick) const
{
    if (!nick.empty() && NamesWord(text, nick))
        return true;
    return std::any_of(m_words.begin(), m_words.end(), [&](const std::string &word) { return NamesWord(text, word); });
}

// In the folded text: a word's first and last letter must not run on into
// the text around them (a word that begins or ends with a sign may touch
// anything there).
bool MentionList::NamesWord(std::string_view text, std::string_view word)
{
    if (word.empty() || text.size() < word.size())
        return false;
    const std::string folded = FoldCase(text);
    const std::string foldedWord = FoldCase(word);
    const size_t length = foldedWord.size();
    for (size_t at = folded.find(foldedWord); at != std::string::npos; at = folded.find(foldedWord, at + 1)) {
        const size_t end = at + length;
        const bool startsAlone = at == 0 || !IsNickByte(foldedWord.front()) || !IsNickByte(folded[at - 1]);
        const bool endsAlone = end == folded.size() || !IsNickByte(foldedWord.back()) || !IsNickByte(folded[end]);
        if (startsAlone && endsAlone)
            return true;
    }
    return false;
}

void MentionList::Add(Mention mention)
{
    mention.m_number = ++m_lastNumber;
    m_mentions.push_front(std::move(mention));
    if (m_mentions.size() > kCapacity)
        m_mentions.pop_back();
    changed();
}

const Mention *MentionList::Find(uint64_t number) const
{
    for (const Mention &mention : m_mentions)
        if (mention.m_number == number)
            return &mention;
    return nullptr;
}

int MentionList::UnreadCount() const
{
    return int(std::count_if(m_mentions.begin(), m_mentions.end(), [](const Mention &m) { return m.m_unread; }));
}

void MentionList::MarkRead(uint64_t number)
{
    for (Mention &mention : m_mentions) {
        if (mention.m_number == number && mention.m_unread) {
            mention.m_unread = false;
            changed();
            return;
        }
    }
}

void MentionList::MarkWindowRead(std::string_view sessionKey, std::string_view window)
{
    bool any = false;
    for (Mention &mention : m_mentions) {
        if (mention.m_unread && mention.m_sessionKey == sessionKey && EqualIgnoringCase(mention.m_window, window)) {
            mention.m_unread = false;
            any = true;
        }
    }
    if (any)
        changed();
}

void MentionList::MarkAllRead()
{
    bool any = false;
    for (Mention &mention : m_mentions) {
        any = any || mention.m_unread;
        mention.m_unread = false;
    }
    if (any)
        changed();
}

void MentionList::changed()
{
    if (m_listener)
        m_listener();
}
