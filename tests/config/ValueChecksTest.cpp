// The one check per value that every dialog asks, with the reason it gives.
#include "config/ValueChecks.h"
#include "session/NickRules.h"

#include <gtest/gtest.h>

namespace {

struct Row
{
    const char *value;
    Refusal expected;
};

void ExpectRows(Refusal (*check)(const std::string &), std::initializer_list<Row> rows)
{
    for (const Row &row : rows) {
        const Refusal got = check(row.value);
        EXPECT_EQ(got.has_value(), row.expected.has_value()) << "'" << row.value << "'";
        if (got && row.expected) {
            EXPECT_EQ(got->number, row.expected->number) << "'" << row.value << "'";
        }
    }
}

} // namespace

TEST(ValueChecks, ANickPassesWhenRegistrationSendsItUnchangedAndServersTakeIt)
{
    ExpectRows(CheckNick, {{"Jano", {}},
                           {"jano_", {}},
                           {"[bot]", {}},
                           {"a-1", {}},
                           {"{x}|y", {}},
                           {"`q^", {}},
                           {"\\z", {}},
                           {"", Str::NickEmpty},
                           {"9lives", Str::NickBadStart},
                           {"-x", Str::NickBadStart},
                           {"#kanal", Str::NickBadStart},
                           {"Ja no", Str::NickBadCharacter},
                           {"ja\"no", Str::NickBadCharacter},
                           {"o'neil", Str::NickBadCharacter},
                           {"Ján", Str::NickBadCharacter},
                           {"a,b", Str::NickBadCharacter},
                           {"a@b", Str::NickBadCharacter}});
    // Whatever passes reaches the server as typed.
    for (const char *nick : {"Jano", "[bot]", "a-1"})
        EXPECT_EQ(CleanNick(nick), nick);
}

TEST(ValueChecks, APortIsDigitsWithAnOptionalPlusInRange)
{
    ExpectRows(CheckPort, {{"6667", {}},
                           {"+6697", {}},
                           {"1", {}},
                           {"65535", {}},
                           {"66x7", Str::PortNotNumber},
                           {"6667 ", Str::PortNotNumber},
                           {"+", Str::PortNotNumber},
                           {"", Str::PortNotNumber},
                           {"-1", Str::PortNotNumber},
                           {"++6697", Str::PortNotNumber},
                           {"0", Str::PortOutOfRange},
                           {"65536", Str::PortOutOfRange},
                           {"99999999999", Str::PortOutOfRange}});
}

TEST(ValueChecks, HostsEmailsAndNamesRefuseWhatTheirRecordsCannotHold)
{
    ExpectRows(CheckHost, {{"irc.libera.chat", {}},
                           {"127.0.0.1", {}},
                           {"::1", {}},
                           {"irc_1.example", {}},
                           {"", Str::HostEmpty},
                           {"a b", Str::HostBadCharacter},
                           {"irc=x", Str::HostBadCharacter},
                           {"[irc]", Str::HostBadCharacter},
                           {"a\tb", Str::HostBadCharacter}});
    ExpectRows(CheckEmail, {{"", {}},
                            {"jan@mail.sk", {}},
                            {"jan @mail.sk", Str::EmailBadCharacter},
                            {"jan\n", Str::EmailBadCharacter}});
    ExpectRows(CheckServerName, {{"Libera Chat", {}},
                                 {"", Str::ServerNameBad},
                                 {"a=b", Str::ServerNameBad},
                                 {"a]b", Str::ServerNameBad},
                                 {"a\nb", Str::ServerNameBad}});
    ExpectRows(CheckChannelName, {{"#kanal", {}},
                                  {"&x,0", {}},
                                  {"", Str::ChannelNameBad},
                                  {"#a b", Str::ChannelNameBad},
                                  {"#a=b", Str::ChannelNameBad},
                                  {"#a\tb", Str::ChannelNameBad}});
}
