#include "text/Strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

// The arguments a printf format consumes, one letter each: the conversion
// letter ("i" counts as "d"), "d" for a "*" width or precision, "?" for a
// length modifier or a format cut off after "%", which no declared argument
// type matches.
std::string Conversions(std::string_view format)
{
    std::string letters;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (++i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]))
            ++i;
        for (bool precision = false;; precision = true) {
            if (i < format.size() && format[i] == '*') {
                letters += 'd';
                ++i;
            }
            while (i < format.size() && format[i] >= '0' && format[i] <= '9')
                ++i;
            if (precision || i >= format.size() || format[i] != '.')
                break;
            ++i;
        }
        if (i < format.size() && std::strchr("hlLqjzt", format[i])) {
            letters += '?';
            while (i < format.size() && std::strchr("hlLqjzt", format[i]))
                ++i;
        } else if (i >= format.size()) {
            letters += '?';
        } else {
            letters += format[i] == 'i' ? 'd' : format[i];
        }
    }
    return letters;
}

// What is wrong with an entry of the table: "" when its text converts
// exactly the arguments its name declares, or when no code uses it.
std::string MismatchOf(const Strings::Entry &entry)
{
    if (!entry.conversions)
        return {};
    const std::string found = Conversions(entry.text);
    if (found == entry.conversions)
        return {};
    return std::to_string(entry.number) + " \"" + entry.text + "\" converts \"" + found + "\", its name declares \""
        + entry.conversions + "\"";
}

TEST(StringFormats, ConversionsAreReadLikePrintfReadsThem)
{
    const struct
    {
        const char *format;
        const char *letters;
    } rows[] = {
        {"* Pripájam sa k %s : %d", "sd"},
        {"bez konverzie", ""},
        {"100%% a %s", "s"},
        {"%-20s|%05d|%+i", "sdd"},
        {"%.*s %*d", "dsdd"},
        {"%ld %zu", "??"},
        {"koniec %", "?"},
        {"%u %c", "uc"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Conversions(row.format), row.letters) << row.format;
}

TEST(StringFormats, EveryNamedTextConvertsTheArgumentsItsNameDeclares)
{
    int named = 0;
    for (const Strings::Entry &entry : Strings::Table()) {
        EXPECT_EQ(MismatchOf(entry), "");
        named += entry.conversions != nullptr;
    }
    EXPECT_EQ(Strings::Table()[0].number, Str::ConnectingTo.number);
    EXPECT_STREQ(Strings::Table()[0].conversions, "sd");
    EXPECT_GE(named, 80);
}

TEST(StringFormats, AChangedTextIsCaught)
{
    const char *const changed[] = {
        "* Pripájam sa k %d : %s",   // swapped
        "* Pripájam sa k %s",        // one lost
        "* Pripájam sa k %s : %d%s", // one added
        "* Pripájam sa k %s : %ld",  // another width
    };
    for (const char *text : changed)
        EXPECT_NE(MismatchOf(Strings::Entry(Str::ConnectingTo, text)), "") << text;
    EXPECT_EQ(MismatchOf(Strings::Entry(Str::ConnectingTo, "* Iný text %s, port %d")), "");
    // A name without arguments must not meet a conversion either.
    EXPECT_NE(MismatchOf(Strings::Entry(Str::ConnectionLost, "* Spojenie %s prerušené")), "");
}

// A caller that passes other arguments than the name declares does not
// compile: Strings::Format takes exactly the declared types.
template <typename Name, typename... Args>
concept FormatsWith = requires(Name name, Args... arguments)
{
    Strings::Format(name, arguments...);
};
using ConnectingTo = std::remove_const_t<decltype(Str::ConnectingTo)>;
static_assert(FormatsWith<ConnectingTo, const char *, int>);
static_assert(FormatsWith<ConnectingTo, char *, short>);
static_assert(!FormatsWith<ConnectingTo, std::string, int>);
static_assert(!FormatsWith<ConnectingTo, int, const char *>);
static_assert(!FormatsWith<ConnectingTo, const char *>);
static_assert(!FormatsWith<ConnectingTo, const char *, int, int>);
static_assert(!FormatsWith<ConnectingTo, const char *, const char *>);
static_assert(FormatsWith<StrText>);
static_assert(!FormatsWith<StrText, const char *>);

// A bare number is no name.
template <typename Id>
concept LooksUp = requires(Id id)
{
    Strings::Get(id);
};
static_assert(LooksUp<StrText>);
static_assert(!LooksUp<int>);

} // namespace
