#include "text/Strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Strings, KeepsQuotedTextsByteForByte)
{
    EXPECT_STREQ(Strings::Get(Str::ConnectingTo), "* Pripájam sa k %s : %d");
    EXPECT_STREQ(Strings::Get(StrId(1012)), "* Chyba pri pripájaní (%d)");
    EXPECT_STREQ(Strings::Get(Str::ModeParameters), " pre %s");
    EXPECT_STREQ(Strings::Get(Str::ConnectionLost), "* Spojenie prerušené");
    EXPECT_STREQ(Strings::Get(Str::ScriptFileFilter),
                 "Súbory typu Tcl (*.tcl)|*.tcl|Textové Súbory (*.txt)|*.txt|Všetky Súbory (*.*)|*.*||");
    EXPECT_STREQ(Strings::Get(Str::AskedTime), "Užívateľ %s sa informoval o tvojej časovej zóne ");
    EXPECT_STREQ(Strings::Get(Str::DccFileRequest), "Užívateľ %s z adresy %s ti posiela súbor \"%s\", veľkosti %s");
    EXPECT_STREQ(Strings::Get(Str::SearchWarning),
                 "Vyhľadávanie je náročnejšia operácia a niekedy trvá aj niekoľko minút, počas ktorých nie je "
                 "možné písať atď ...\r\nNiekedy môže nastať rozpojenie zo serverom.\r\n\r\nPokračovať ?");
    EXPECT_STREQ(Strings::Get(Str::NoDescriptionTip), "Bez  popisu ...");
    EXPECT_STREQ(Strings::Get(Str::NickStatusWords),
                 "Status: Operátor Polo-Operátor Moderátor, Prítomný, Neprítomný Kontakt "
                 "Viac sa dozvieš vo vlastnostich uživateľa");
    // UTF-8 bytes of "á" in "Pripájam".
    EXPECT_EQ(std::string(Strings::Get(Str::ConnectingTo)).substr(6, 3), "\xC3\xA1j");
}

TEST(Strings, UnknownNumbersGiveEmptyTextNeverNull)
{
    for (int id : {0, -1, 999, 1001, 57345, 57371, 62036, 99999}) {
        ASSERT_NE(Strings::Get(StrId(id)), nullptr) << id;
        EXPECT_STREQ(Strings::Get(StrId(id)), "") << id;
        EXPECT_FALSE(Strings::Has(StrId(id))) << id;
        EXPECT_EQ(Strings::Format(StrText(id)), "") << id;
    }
}

TEST(Strings, DescriptionsOfTheSettingsTreeExist)
{
    const int descriptions[] = {57491, 57493, 57495, 57497, 57499, 57501, 57503, 57505, 57508,
                                57511, 57513, 57515, 57517, 57519, 57521, 57523, 57525};
    for (int id : descriptions)
        EXPECT_GT(std::strlen(Strings::Get(StrId(id))), 0u) << id;
}

TEST(Strings, FormatFillsPrintfConversions)
{
    EXPECT_EQ(Strings::Format(Str::ConnectingTo, "irc.example.org", 6667), "* Pripájam sa k irc.example.org : 6667");
    EXPECT_EQ(Strings::Format(Str::UserKickedWithReason, "op", "victim", "flood"), "* op vykopol victim (flood)");
    EXPECT_EQ(Strings::Format(Str::SearchProgress, "Sieť", 3, 120),
              "Hľadanie kanálov v sieti Sieť, najdených 3 z 120 ...");
    EXPECT_EQ(Strings::Format(StrFormat<int>(57512), 5), "Užívateľská 5");
    EXPECT_EQ(Strings::Format(Str::ConnectionLost), "* Spojenie prerušené");
}

} // namespace
