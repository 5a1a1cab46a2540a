#include "ConfigFixture.h"

#include "config/AddressBook.h"
#include "config/FavouriteChannels.h"

TEST_F(ConfigTest, ARenamedFavouriteChannelLeavesItsOldLineButKeepsTheOldKey)
{
    writeRaw("[Channels Group Zeta]\n#old=#old 1\n#other=#other 0\n[Passwords]\nZeta - #old=tajne\n");
    const FavouriteChannel old = FavouriteChannels::Read("Zeta", "#old");
    EXPECT_TRUE(old.autoJoin);
    EXPECT_EQ(old.key, "tajne");

    ASSERT_TRUE(FavouriteChannels::Write("Zeta", {"#new", false, "nove"}, "Zeta", "#old"));
    EXPECT_EQ(FavouriteChannels::Names("Zeta"), (std::vector<std::string>{"#other", "#new"}));
    EXPECT_EQ(ReadString("Channels Group Zeta", "#new"), "#new 0");
    EXPECT_EQ(ReadPassword("Zeta - #new"), "nove");
    EXPECT_EQ(ReadPassword("Zeta - #old"), "tajne");

    // Without a key the channel's key line goes.
    ASSERT_TRUE(FavouriteChannels::Write("Zeta", {"#new", true, ""}, "Zeta", "#new"));
    EXPECT_EQ(ReadPassword("Zeta - #new"), "");
    EXPECT_EQ(FavouriteChannels::Read("Zeta", "#new").autoJoin, true);
}

// The old line is deleted without regard to case: deleted after the new one
// was written, it would take the new one along.
TEST_F(ConfigTest, ARenameByCaseOnlyKeepsTheChannelItsAutoJoinAndItsKey)
{
    writeRaw("[Channels Group Zeta]\n#Foo=#Foo 1\n#other=#other 0\n[Passwords]\nZeta - #Foo=tajne\n");
    FavouriteChannel channel = FavouriteChannels::Read("Zeta", "#Foo");
    channel.name = "#foo";
    ASSERT_TRUE(FavouriteChannels::Write("Zeta", channel, "Zeta", "#Foo"));
    EXPECT_EQ(FavouriteChannels::Names("Zeta"), (std::vector<std::string>{"#foo", "#other"}));
    const FavouriteChannel renamed = FavouriteChannels::Read("Zeta", "#foo");
    EXPECT_TRUE(renamed.autoJoin);
    EXPECT_EQ(renamed.key, "tajne");
    EXPECT_NE(readRaw().indexOf("#foo=#foo 1"), -1);
}

TEST_F(ConfigTest, AChannelNameTheGroupCannotHoldIsRefusedWithNothingWritten)
{
    writeRaw("[Channels Group Zeta]\n#old=#old 1\n");
    const QByteArray before = readRaw();
    for (const char *name : {"", "#a=b", "#a b", "#a\tb", "#a\nb"}) {
        EXPECT_TRUE(CheckChannelName(name).has_value()) << name;
        EXPECT_FALSE(FavouriteChannels::Write("Zeta", {name, true, "key"}, "Zeta", "#old")) << name;
    }
    EXPECT_EQ(readRaw(), before);
}

TEST_F(ConfigTest, ContactsAreStoredUnderTheLowerCasedNickAndRenamedInPlace)
{
    ASSERT_TRUE(AddressBook::Write({"MixedCase", Contact::Loud, "*!*@host.sk", "kamarát"}));
    EXPECT_EQ(ReadString(AddressBook::kSection, "mixedcase"), "2\t*!*@host.sk\tkamarát");
    EXPECT_NE(readRaw().indexOf("mixedcase=2\t*!*@host.sk\tkamar\xc3\xa1t\t\n"), -1);

    ASSERT_TRUE(AddressBook::Write({"Second", Contact::Never, "*", "*"}));
    ASSERT_TRUE(AddressBook::Write({"Renamed", Contact::PrivateLoud, "*!*@new.sk", "iný"}, "MIXEDCASE"));
    const std::vector<Contact> contacts = AddressBook::Contacts();
    ASSERT_EQ(contacts.size(), 2u);
    EXPECT_EQ(contacts[0].nick, "second");
    EXPECT_EQ(contacts[1].nick, "renamed");
    EXPECT_EQ(contacts[1].notify, Contact::PrivateLoud);
    EXPECT_EQ(contacts[1].address, "*!*@new.sk");
    EXPECT_EQ(contacts[1].description, "iný");
    EXPECT_EQ(AddressBook::Find("MixedCase").nick, "");
    EXPECT_EQ(AddressBook::Find("RENAMED").address, "*!*@new.sk");
}

TEST_F(ConfigTest, AContactTheAddressBookCannotHoldIsRefusedWithNothingWritten)
{
    ASSERT_TRUE(AddressBook::Write({"bob", Contact::Quiet, "*", "*"}));
    const QByteArray before = readRaw();
    const Contact refused[] = {
        {"", 0, "*", "*"},       {"ann", 0, "", "*"},    {"ann", 0, "*", ""},         {"a nn", 0, "*", "*"},
        {"a=nn", 0, "*", "*"},   {"a\tnn", 0, "*", "*"}, {"ann", 0, "*!*@a\tb", "*"}, {"ann", 0, "*", "a\tb"},
        {"ann", 0, "*", "a\nb"}, {"ann", 5, "*", "*"},   {"ann", -1, "*", "*"},
    };
    for (const Contact &contact : refused) {
        EXPECT_FALSE(AddressBook::CanStore(contact)) << contact.nick << "|" << contact.address;
        EXPECT_FALSE(AddressBook::Write(contact, "bob")) << contact.nick << "|" << contact.address;
    }
    EXPECT_EQ(readRaw(), before);
}
