#include "text/SpellWords.h"

#include <array>

namespace {

struct ProseCommand
{
    const char *name;
    int skippedWords; // the command word and the arguments before the text
};

const std::array<ProseCommand, 10> kProseCommands = {{
    {"/me", 1},
    {"/say", 1},
    {"/away", 1},
    {"/quit", 1},
    {"/msg", 2},
    {"/notice", 2},
    {"/action", 2},
    {"/query", 2},
    {"/part", 2},
    {"/topic", 2},
}};

bool IsBlank(QChar c)
{
    return c.isSpace();
}

bool IsLetter(QChar c)
{
    return c.isLetter() || c.isMark();
}

// Punctuation that may stand before or after a word: quotes, brackets, full
// stops. Not the characters that make a token something else than a word:
// channel and nick prefixes, paths, the underscore of nicks.
bool IsPunctuationAround(QChar c)
{
    return c.isPunct() && QStringView(u"_#&@/\\~").indexOf(c) < 0;
}

bool IsApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// Where the words to look at begin: after the command and its arguments for
// a command that carries text; -1 for any other command.
int TextStart(const QString &line)
{
    if (!line.startsWith(QLatin1Char('/')))
        return 0;
    int position = 0;
    const auto skipWord = [&] {
        while (position < line.size() && IsBlank(line[position]))
            ++position;
        while (position < line.size() && !IsBlank(line[position]))
            ++position;
    };
    skipWord();
    const QString command = line.left(position);
    for (const ProseCommand &prose : kProseCommands) {
        if (command.compare(QLatin1String(prose.name), Qt::CaseInsensitive) != 0)
            continue;
        for (int i = 1; i < prose.skippedWords; ++i)
            skipWord();
        return position;
    }
    return -1;
}

bool IsWordToCheck(const QString &word)
{
    if (word.size() < 2)
        return false;
    bool lower = false;
    for (QChar c : word)
        lower = lower || c.isLower();
    return lower; // a word in capitals is an abbreviation
}

// One blank-separated token at [start, end): its punctuation at either end
// dropped, looked at only when what is left is letters, with apostrophes or
// hyphens inside; a hyphenated word is looked at part by part.
void AddWordsOfToken(const QString &line, int start, int end, const std::function<bool(const QString &)> &isNick,
                     std::vector<SpellWord> &words)
{
    while (start < end && IsPunctuationAround(line[start]))
        ++start;
    while (end > start && IsPunctuationAround(line[end - 1]))
        --end;
    if (start == end)
        return;
    for (int i = start; i < end; ++i) {
        const QChar c = line[i];
        if (!IsLetter(c) && !IsApostrophe(c) && c != QLatin1Char('-'))
            return;
    }
    const QString token = line.mid(start, end - start);
    if (isNick && isNick(token))
        return;
    int partStart = start;
    for (int i = start; i <= end; ++i) {
        if (i < end && line[i] != QLatin1Char('-'))
            continue;
        if (IsWordToCheck(line.mid(partStart, i - partStart)))
            words.push_back({partStart, i - partStart});
        partStart = i + 1;
    }
}

} // namespace

std::vector<SpellWord> SpellWords(const QString &line, const std::function<bool(const QString &)> &isNick)
{
    std::vector<SpellWord> words;
    int position = TextStart(line);
    if (position < 0)
        return words;
    while (position < line.size()) {
        while (position < line.size() && IsBlank(line[position]))
            ++position;
        const int start = position;
        while (position < line.size() && !IsBlank(line[position]))
            ++position;
        if (position > start)
            AddWordsOfToken(line, start, position, isNick, words);
    }
    return words;
}
