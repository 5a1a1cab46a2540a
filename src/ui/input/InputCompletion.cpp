#include "input/InputCompletion.h"

#include "input/InputCodes.h"
#include "text/CaseFold.h"
#include "text/TextUtil.h"

namespace {

std::string LastWord(const std::string &line)
{
    const size_t blank = line.rfind(' ');
    return blank == std::string::npos ? line : line.substr(blank + 1);
}

std::string WithoutStatusCharacter(const std::string &entry)
{
    // The status symbols servers announce: owner, admin, operator, half-operator, voice.
    const size_t nick = entry.find_first_not_of("~&@%+");
    return nick == std::string::npos ? std::string() : entry.substr(nick);
}

// text less its last `count` characters (code points).
std::string DropLastCharacters(const std::string &text, int count)
{
    size_t end = text.size();
    while (count > 0 && end > 0) {
        --end;
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80)
            --count;
    }
    return text.substr(0, end);
}

void SetResult(InputCompletion::Line &result, std::string codes)
{
    result.plain.clear();
    result.codes = std::move(codes);
    result.caret = -1; // the end
}

} // namespace

bool CompletionSource::HasNick(const std::string &nick) const
{
    if (WindowType() == Conversation::TypePrivate && EqualIgnoringCase(WindowName(), nick))
        return true;
    for (int i = 0; i < NickCount(); ++i) {
        const std::string entry = NickEntry(i);
        const size_t start = entry.find_first_not_of("~&@%+");
        if (start != std::string::npos && EqualIgnoringCase(std::string_view(entry).substr(start), nick))
            return true;
    }
    return false;
}

bool InputCompletion::Complete(const CompletionSource &source, const Line &line, Line &result)
{
    switch (source.WindowType()) {
    case Conversation::TypePrivate:
        if (const std::vector<std::string> &words = source.CommandWords(); !words.empty())
            return CompleteWord(
                int(words.size()), [&](int i) { return words[size_t(i)]; }, line, result);
        // The caret is compared with the IRC text's length, so a line that
        // carries formatting is left alone.
        if (line.caret != InputCodes::CharacterCount(line.codes))
            return false;
        SetResult(result, line.codes + source.WindowName() + " ");
        return true;
    case Conversation::TypeStatus:
        if (line.caret != 0)
            return false;
        SetResult(result, "/quote ");
        return true;
    case Conversation::TypeChannel:
        return CompleteWord(
            source.NickCount(), [&](int i) { return WithoutStatusCharacter(source.NickEntry(i)); }, line, result);
    default:
        return false;
    }
}

bool InputCompletion::CompleteWord(int count, const std::function<std::string(int)> &candidate, const Line &line,
                                   Line &result)
{
    if (m_fresh) {
        m_wordSource = line.plain;
        m_savedLine = line.codes;
        m_caret = line.caret;
        m_index = 0;
    }
    if (m_wordSource.empty() || m_caret != InputCodes::CharacterCount(m_wordSource))
        return false;

    const std::string word = LastWord(m_wordSource);
    const int wordLength = static_cast<int>(word.size());
    for (int i = m_index; i < count; ++i) {
        const std::string nick = candidate(i);
        if (CommonPrefixLength(word, nick) != wordLength)
            continue;
        SetResult(result, DropLastCharacters(m_savedLine, InputCodes::CharacterCount(word)) + nick);
        m_index = i + 1;
        m_fresh = false;
        return true;
    }
    SetResult(result, m_savedLine);
    m_index = 0;
    m_fresh = true;
    return true;
}
