// What the find bar of a window looks for, and where it occurs in a line.
#pragma once

#include <QLatin1StringView>
#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <array>
#include <string>
#include <vector>

struct FindOptions
{
    bool m_caseSensitive = false;
    bool m_wholeWord = false;
    bool m_regularExpression = false; // else plain text

    bool operator==(const FindOptions &other) const = default;
};

// A stretch of a line that matches, in UTF-16 units of the line.
struct FoundText
{
    int m_start = 0;
    int m_length = 0;

    bool operator==(const FoundText &other) const = default;
};

// The text to find with its options, made once and matched against many
// lines. Without regard to case, characters compare as QString compares them
// (simple case folding: "ŠPORT" finds "šport", "Ľubo" finds "ľubo"; "s"
// does not find "š"). A whole word is a hit that does not go on into a
// longer word: the character before it is no letter, digit or '_' when the
// hit starts with one, and the same after its end. Hits do not overlap;
// a regular expression that matches empty text finds nothing there.
//
// Plain text in a line kept as Latin-1 (most chat) is searched in its bytes,
// without making a QString of the line: a million lines take tens of
// milliseconds. A regular expression costs a copy of such a line.
class FindPattern
{
public:
    FindPattern() = default;
    FindPattern(const QString &text, const FindOptions &options);

    const QString &Text() const { return m_text; }
    const FindOptions &Options() const { return m_options; }
    // Nothing to find: an empty text finds nothing.
    bool IsEmpty() const { return m_text.isEmpty(); }
    // False for a regular expression that does not compile.
    bool IsValid() const;
    // Where in the text a regular expression stopped making sense (-1: it is valid).
    int ErrorOffset() const;

    // Appends the hits in the line, left to right.
    void FindIn(QStringView line, std::vector<FoundText> &hits) const;
    void FindIn(QLatin1StringView line, std::vector<FoundText> &hits) const;

private:
    void findPlainInLatin1(QLatin1StringView line, std::vector<FoundText> &hits) const;
    bool isWholeWord(QStringView line, int start, int length) const;
    bool isWholeWord(QLatin1StringView line, int start, int length) const;
    void findRegularExpression(QStringView line, std::vector<FoundText> &hits) const;

    QString m_text;
    FindOptions m_options;
    QRegularExpression m_expression;
    // For lines kept as Latin-1: the text as bytes (without regard to case,
    // for each character a byte that folds as it does), or empty when a
    // character of it can be no Latin-1 character and nothing is there to find.
    std::string m_latin1;
    // The text folded, and for every Latin-1 byte its folded form, for
    // searches without regard to case.
    std::u16string m_folded;
    std::array<char16_t, 256> m_foldedByte{};
};
