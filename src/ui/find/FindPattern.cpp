#include "find/FindPattern.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

// The byte of a character in Latin-1, or -1.
int Latin1Of(QChar c)
{
    return c.unicode() <= 0xFF ? int(c.unicode()) : -1;
}

// A Latin-1 character whose folded form is folded, or -1.
int LatinFoldingTo(char16_t folded)
{
    for (int byte = 0; byte < 256; ++byte)
        if (QChar(char16_t(byte)).toCaseFolded().unicode() == folded)
            return byte;
    return -1;
}

// Calls found(at) for every place where the byte, with the bits of orMask
// set, is key, left to right, until found returns false. Sixteen bytes at a
// time where the processor can: this is where a search of a long scroll-back
// spends its time.
template <typename Found>
void ForEachByte(const unsigned char *bytes, int size, unsigned char key, unsigned char orMask, Found found)
{
    int at = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi8(char(orMask));
    const __m128i wanted = _mm_set1_epi8(char(key));
    for (; at + 16 <= size; at += 16) {
        const __m128i chunk = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + at)), mask);
        for (unsigned hits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted))); hits; hits &= hits - 1)
            if (!found(at + __builtin_ctz(hits)))
                return;
    }
#endif
    for (; at < size; ++at)
        if ((bytes[at] | orMask) == key && !found(at))
            return;
}

QRegularExpression MakeExpression(const QString &text, const FindOptions &options)
{
    if (!options.m_regularExpression)
        return {};
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.m_caseSensitive)
        flags |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(text, flags);
}

} // namespace

FindPattern::FindPattern(const QString &text, const FindOptions &options)
    : m_text(text), m_options(options), m_expression(MakeExpression(text, options))
{
    if (m_options.m_regularExpression || text.isEmpty())
        return;
    if (!m_options.m_caseSensitive) {
        for (int byte = 0; byte < 256; ++byte)
            m_foldedByte[size_t(byte)] = QChar(char16_t(byte)).toCaseFolded().unicode();
        for (QChar c : text)
            m_folded += c.toCaseFolded().unicode();
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = m_options.m_caseSensitive ? Latin1Of(text[i]) : LatinFoldingTo(m_folded[size_t(i)]);
        if (byte < 0) {
            m_latin1.clear();
            return;
        }
        m_latin1 += char(byte);
    }
}

bool FindPattern::IsValid() const
{
    return !m_options.m_regularExpression || m_expression.isValid();
}

int FindPattern::ErrorOffset() const
{
    return IsValid() ? -1 : int(m_expression.patternErrorOffset());
}

void FindPattern::FindIn(QStringView line, std::vector<FoundText> &hits) const
{
    if (IsEmpty() || !IsValid())
        return;
    if (m_options.m_regularExpression) {
        findRegularExpression(line, hits);
        return;
    }
    const Qt::CaseSensitivity cs = m_options.m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int length = int(m_text.size());
    for (qsizetype at = line.indexOf(m_text, 0, cs); at >= 0; at = line.indexOf(m_text, at, cs)) {
        if (!m_options.m_wholeWord || isWholeWord(line, int(at), length)) {
            hits.push_back({int(at), length});
            at += length;
        } else {
            ++at;
        }
    }
}

void FindPattern::FindIn(QLatin1StringView line, std::vector<FoundText> &hits) const
{
    if (IsEmpty() || !IsValid())
        return;
    if (m_options.m_regularExpression) {
        const QString text(line);
        findRegularExpression(text, hits);
        return;
    }
    findPlainInLatin1(line, hits);
}

void FindPattern::findPlainInLatin1(QLatin1StringView line, std::vector<FoundText> &hits) const
{
    if (m_latin1.empty())
        return;
    const int length = int(m_latin1.size());
    const int size = int(line.size());
    const auto *bytes = reinterpret_cast<const unsigned char *>(line.data());
    const auto *text = reinterpret_cast<const unsigned char *>(m_latin1.data());
    const bool caseSensitive = m_options.m_caseSensitive;
    const auto matchesAt = [&](int at) {
        if (caseSensitive)
            return std::memcmp(bytes + at, text, size_t(length)) == 0;
        for (int i = 0; i < length; ++i)
            if (m_foldedByte[bytes[at + i]] != m_folded[size_t(i)])
                return false;
        return true;
    };
    // Without regard to case a letter's two forms differ only in the bit
    // 0x20, so that bit set finds both (and some more, which matchesAt drops).
    const unsigned char orMask = caseSensitive ? 0 : 0x20;
    int next = 0; // hits do not overlap
    ForEachByte(bytes, size - length + 1, text[0] | orMask, orMask, [&](int at) {
        if (at >= next && matchesAt(at) && (!m_options.m_wholeWord || isWholeWord(line, at, length))) {
            hits.push_back({at, length});
            next = at + length;
        }
        return true;
    });
}

bool FindPattern::isWholeWord(QStringView line, int start, int length) const
{
    const int end = start + length;
    if (start > 0 && IsWordCharacter(line[start]) && IsWordCharacter(line[start - 1]))
        return false;
    return !(end < line.size() && IsWordCharacter(line[end - 1]) && IsWordCharacter(line[end]));
}

bool FindPattern::isWholeWord(QLatin1StringView line, int start, int length) const
{
    const int end = start + length;
    if (start > 0 && IsWordCharacter(line[start]) && IsWordCharacter(line[start - 1]))
        return false;
    return !(end < line.size() && IsWordCharacter(line[end - 1]) && IsWordCharacter(line[end]));
}

void FindPattern::findRegularExpression(QStringView line, std::vector<FoundText> &hits) const
{
    for (qsizetype from = 0; from <= line.size();) {
        const QRegularExpressionMatch match = m_expression.match(line, from);
        if (!match.hasMatch())
            return;
        const int start = int(match.capturedStart());
        const int length = int(match.capturedLength());
        if (length > 0 && (!m_options.m_wholeWord || isWholeWord(line, start, length))) {
            hits.push_back({start, length});
            from = start + length;
        } else {
            from = start + 1;
        }
    }
}
