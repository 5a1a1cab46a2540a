// What the welcome dialog stores and offers: the records of the chosen
// server and identity, the shipped network list, the nicks it accepts.
#include "ConfigFixture.h"

#include "config/PublicNetworks.h"
#include "config/WelcomeChoice.h"
#include "session/NickRules.h"

#include <set>

namespace {

using WelcomeChoiceTest = ConfigTest;

WelcomeChoice Choice(const std::string &serverName, const std::string &host, const char *port)
{
    return WelcomeChoice{"novacik", "Jana Nova", serverName, host, ServerPort::Parse(port)};
}

} // namespace

TEST_F(WelcomeChoiceTest, AChoiceBecomesAnAutoconnectedDefaultServerAndTheBaseIdentity)
{
    EXPECT_TRUE(HasNoFavouriteServer());
    ASSERT_TRUE(SaveWelcomeChoice(Choice("Libera.Chat", "irc.libera.chat", "+6697")));
    EXPECT_FALSE(HasNoFavouriteServer());
    EXPECT_EQ(ReadString("Servers", "Libera.Chat"), "irc.libera.chat +6697 1");
    EXPECT_EQ(ReadString("Default Server"), "Libera.Chat");
    EXPECT_EQ(ReadString("Nick"), "novacik");
    EXPECT_EQ(ReadString("User Full Name"), "Jana Nova");
    EXPECT_EQ(ReadString("Servers Data", "Libera.Chat"), "");

    // A server typed in is stored under its host, a plain port as it is.
    ASSERT_TRUE(SaveWelcomeChoice(Choice("127.0.0.1", "127.0.0.1", "6711")));
    EXPECT_EQ(ReadString("Servers", "127.0.0.1"), "127.0.0.1 6711 1");
    EXPECT_EQ(ReadString("Default Server"), "127.0.0.1");
    std::vector<std::string> keys;
    ReadSectionKeys("Servers", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"Libera.Chat", "127.0.0.1"}));
}

TEST_F(WelcomeChoiceTest, AnEntryOfTheSameNameKeepsItsPasswordAndTakesTheNewNickInItsOwnIdentity)
{
    writeRaw("[Servers]\nDomov=127.0.0.1 6667 0\n[Passwords]\nDomov=tajne\n"
             "[Servers Data]\nDomov=stary mail 0 0 Stare Meno\n");
    ASSERT_TRUE(SaveWelcomeChoice(Choice("Domov", "127.0.0.2", "+7000")));
    EXPECT_EQ(ReadString("Servers", "Domov"), "127.0.0.2 +7000 1");
    EXPECT_EQ(ReadPassword("Domov"), "tajne");
    EXPECT_EQ(ReadString("Servers Data", "Domov"), "novacik mail 0 0 Jana Nova");
}

TEST_F(WelcomeChoiceTest, AServerThatCannotBeStoredWritesNothing)
{
    writeRaw("[Base]\nNick=stary\n");
    const QByteArray before = readRaw();
    EXPECT_FALSE(SaveWelcomeChoice(Choice("zla adresa", "zla adresa", "6667")));
    EXPECT_FALSE(SaveWelcomeChoice(Choice("nula", "127.0.0.1", "0")));
    EXPECT_EQ(readRaw(), before);
}

TEST(PublicNetworks, TheShippedListHasAboutADozenNetworksEachWithAHostAndAValidPort)
{
    const std::vector<PublicNetwork> networks = LoadPublicNetworks();
    EXPECT_GE(networks.size(), 10u);
    std::set<std::string> names;
    size_t secure = 0;
    for (const PublicNetwork &network : networks) {
        EXPECT_FALSE(network.host.empty()) << network.name;
        EXPECT_TRUE(network.port.IsValid()) << network.name;
        EXPECT_TRUE(names.insert(network.name).second) << "twice: " << network.name;
        secure += network.port.tls ? 1 : 0;
    }
    EXPECT_GE(secure, networks.size() / 2) << "most networks are offered over TLS";
}

TEST(PublicNetworks, EntriesWithoutNameHostOrValidPortAreLeftOut)
{
    const QByteArray json = R"([
        {"name": "Dobra", "host": "irc.dobra.test", "port": "+6697"},
        {"name": "BezHosta", "port": "6667"},
        {"name": "", "host": "irc.bezmena.test", "port": "6667"},
        {"name": "S medzerou", "host": "irc.medzera.test", "port": "6667"},
        {"name": "ZlyPort", "host": "irc.zly.test", "port": "70000"},
        {"name": "BezPortu", "host": "irc.bezportu.test"},
        {"name": "Obycajna", "host": "irc.obycajna.test", "port": "6667"}
    ])";
    const std::vector<PublicNetwork> networks = ParsePublicNetworks(json);
    ASSERT_EQ(networks.size(), 2u);
    EXPECT_EQ(networks[0].name, "Dobra");
    EXPECT_EQ(networks[0].port.port, 6697u);
    EXPECT_TRUE(networks[0].port.tls);
    EXPECT_EQ(networks[1].host, "irc.obycajna.test");
    EXPECT_FALSE(networks[1].port.tls);
    EXPECT_TRUE(ParsePublicNetworks("{\"name\": \"x\"}").empty());
    EXPECT_TRUE(ParsePublicNetworks("nie je json").empty());
}

TEST(NickRules, RegistrationSendsTheNickWithoutBlanksAndQuotes)
{
    EXPECT_EQ(CleanNick(" Ja 'no\" "), "Jano");
}
