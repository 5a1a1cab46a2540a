#include "find/FindPattern.h"

#include <string_view>

namespace {

bool IsWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
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
    if (m_options.m_caseSensitive) {
        for (QChar c : text) {
            if (c.unicode() > 0xFF) {
                m_latin1.clear();
                return;
            }
            m_latin1 += char(c.unicode());
        }
        return;
    }
    for (int byte = 0; byte < 256; ++byte)
        m_foldedByte[size_t(byte)] = QChar(char16_t(byte)).toCaseFolded().unicode();
    for (QChar c : text)
        m_folded += c.toCaseFolded().unicode();
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
    const int length = int(m_text.size());
    const int size = int(line.size());
    const auto found = [&](int at) {
        if (m_options.m_wholeWord && !isWholeWord(line, at, length))
            return false;
        hits.push_back({at, length});
        return true;
    };
    if (m_options.m_caseSensitive) {
        if (m_latin1.empty())
            return;
        const std::string_view haystack(line.data(), size_t(size));
        for (size_t at = haystack.find(m_latin1); at != std::string_view::npos; at = haystack.find(m_latin1, at))
            at += found(int(at)) ? size_t(length) : 1;
        return;
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(line.data());
    const char16_t first = m_folded[0];
    for (int at = 0; at + length <= size; ++at) {
        if (m_foldedByte[bytes[at]] != first)
            continue;
        int matched = 1;
        while (matched < length && m_foldedByte[bytes[at + matched]] == m_folded[size_t(matched)])
            ++matched;
        if (matched == length && found(at))
            at += length - 1;
    }
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
