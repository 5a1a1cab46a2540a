#include "history/LogQuery.h"

#include "text/CaseFold.h"
#include "text/Strings.h"

#include <QDate>
#include <QString>

#include <array>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether the index would find a word in the text: it keeps letters and
// digits (every byte of a character past ASCII counts as one) and drops the rest.
bool HasWordCharacter(std::string_view text)
{
    for (char c : text)
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
            || static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

bool IsDay(const std::string &text)
{
    return text.size() == 10 && QDate::fromString(QString::fromStdString(text), Qt::ISODate).isValid();
}

// Reads one piece of the line from pos on: a quoted phrase, or a word that
// may be a field whose value is quoted ("net:\"Libera Chat\""). quoted tells
// whether the piece (or its value) was in quotes.
std::string NextPiece(std::string_view text, size_t &pos, bool &quoted)
{
    quoted = false;
    std::string piece;
    while (pos < text.size() && !IsBlank(text[pos])) {
        if (text[pos] == '"') {
            quoted = true;
            const size_t end = text.find('"', pos + 1);
            const size_t stop = end == std::string_view::npos ? text.size() : end;
            piece += text.substr(pos + 1, stop - pos - 1);
            pos = stop == text.size() ? stop : stop + 1;
            continue;
        }
        piece += text[pos++];
    }
    return piece;
}

struct Field
{
    std::string_view name;
    std::string LogQuery::*member;
};

constexpr std::array<Field, 5> kFields = {{{"nick", &LogQuery::nick},
                                           {"net", &LogQuery::network},
                                           {"win", &LogQuery::window},
                                           {"od", &LogQuery::from},
                                           {"do", &LogQuery::to}}};

// The field the piece names before its colon, or null.
const Field *FieldOf(std::string_view piece)
{
    const size_t colon = piece.find(':');
    if (colon == std::string_view::npos)
        return nullptr;
    for (const Field &field : kFields)
        if (EqualIgnoringAsciiCase(piece.substr(0, colon), field.name))
            return &field;
    return nullptr;
}

void AddTerm(LogQuery &query, std::string piece, bool quoted)
{
    LogQuery::Term term;
    term.prefix = !quoted && piece.size() > 1 && piece.back() == '*';
    if (term.prefix)
        piece.pop_back();
    if (!HasWordCharacter(piece))
        return;
    term.text = std::move(piece);
    query.terms.push_back(std::move(term));
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

} // namespace

ParsedLogQuery ParseLogQuery(std::string_view text)
{
    ParsedLogQuery parsed;
    LogQuery &query = parsed.query;
    size_t pos = 0;
    while (pos < text.size()) {
        if (IsBlank(text[pos])) {
            ++pos;
            continue;
        }
        const bool phrase = text[pos] == '"';
        bool quoted = false;
        std::string piece = NextPiece(text, pos, quoted);
        const Field *field = phrase ? nullptr : FieldOf(piece);
        if (!field) {
            AddTerm(query, std::move(piece), quoted);
            continue;
        }
        const std::string name = piece.substr(0, piece.find(':'));
        std::string value = piece.substr(piece.find(':') + 1);
        if (value.empty()) {
            parsed.error = Strings::Format(Str::LogQueryEmptyField, name.c_str());
            return parsed;
        }
        query.*(field->member) = std::move(value);
    }
    for (const std::string *day : {&query.from, &query.to})
        if (!day->empty() && !IsDay(*day))
            parsed.error = Strings::Format(Str::LogQueryBadDay, day->c_str());
    if (parsed.error.empty() && !query.from.empty() && !query.to.empty() && query.from > query.to)
        parsed.error = Strings::Get(Str::LogQueryDaysReversed);
    if (parsed.error.empty() && query.terms.empty() && !HasWordCharacter(query.nick))
        parsed.error = Strings::Get(Str::LogQueryNeedsWord);
    return parsed;
}

std::string FullTextExpression(const LogQuery &query)
{
    std::string words;
    for (const LogQuery::Term &term : query.terms) {
        if (!words.empty())
            words += ' ';
        words += Quoted(term.text);
        if (term.prefix)
            words += " *";
    }
    std::string expression;
    if (!words.empty())
        expression = "text : (" + words + ")";
    if (HasWordCharacter(query.nick))
        expression += (expression.empty() ? "" : " AND ") + std::string("nick : ") + Quoted(query.nick);
    return expression;
}
