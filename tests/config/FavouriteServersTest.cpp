// The working copy of the favourite servers: what reaches the file on Save,
// renames that carry their favourites along, and the values refused.
#include "ConfigFixture.h"

#include "config/FavouriteServers.h"
#include "support/FileSizeLimit.h"

namespace {

const char *const kTwoServers = "[Base]\n"
                                "Default Server=Alfa\n"
                                "Nick=zakladny\n"
                                "User E-Mail=zaklad@doma\n"
                                "User Full Name=Zakladne Meno\n"
                                "InVisible=True\n"
                                "[Servers]\n"
                                "Alfa=127.0.0.1 6667 1\n"
                                "Beta=127.0.0.2 7000 0\n"
                                "[Passwords]\n"
                                "Alfa=tajne\n"
                                "Alfa - #kanal=kluc\n"
                                "Beta - #iny=ine\n"
                                "[Servers Data]\n"
                                "Alfa=alfanick alfa@mail 1 0 Alfa Dlhe Meno\n"
                                "[Channels Group Alfa]\n"
                                "#kanal=#kanal 1\n"
                                "#druhy=#druhy 0\n";

using FavouriteServersTest = ConfigTest;

// A new entry "Gama" with an identity of its own.
ServerEntry GamaWithIdentity()
{
    ServerEntry gama;
    gama.name = "Gama";
    gama.host = "127.0.0.3";
    gama.ownIdentity = true;
    gama.nick = "gnick";
    gama.email = "g@mail";
    return gama;
}

} // namespace

TEST_F(FavouriteServersTest, LoadsEntriesAndFillsMissingIdentityFromBase)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    EXPECT_EQ(servers.Names(), (std::vector<std::string>{"Alfa", "Beta"}));
    EXPECT_TRUE(servers.Contains("ALFA"));

    const ServerEntry alfa = servers.ForEditing("alfa");
    EXPECT_EQ(alfa.name, "Alfa");
    EXPECT_EQ(alfa.host, "127.0.0.1");
    EXPECT_EQ(alfa.port, 6667);
    EXPECT_TRUE(alfa.autoConnect);
    EXPECT_TRUE(alfa.usePassword);
    EXPECT_EQ(alfa.password, "tajne");
    EXPECT_TRUE(alfa.ownIdentity);
    EXPECT_EQ(alfa.nick, "alfanick");
    EXPECT_EQ(alfa.email, "alfa@mail");
    EXPECT_TRUE(alfa.invisible);
    EXPECT_FALSE(alfa.updateNick);
    EXPECT_EQ(alfa.fullName, "Alfa Dlhe Meno");

    const ServerEntry beta = servers.ForEditing("Beta");
    EXPECT_EQ(beta.port, 7000);
    EXPECT_FALSE(beta.autoConnect);
    EXPECT_FALSE(beta.usePassword);
    EXPECT_FALSE(beta.ownIdentity);
    EXPECT_EQ(beta.nick, "zakladny");
    EXPECT_EQ(beta.email, "zaklad@doma");
    EXPECT_EQ(beta.fullName, "Zakladne Meno");
    EXPECT_TRUE(beta.invisible);

    EXPECT_EQ(servers.ForEditing("Gama").port, 6667);
}

TEST_F(FavouriteServersTest, NothingReachesTheFileBeforeSave)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    ServerEntry gama = servers.ForEditing("");
    gama.name = "Gama";
    gama.host = "127.0.0.3";
    servers.Put(gama, "");
    servers.Remove("Beta");
    ServerEntry alfa = servers.ForEditing("Alfa");
    alfa.port = 7001;
    servers.Put(alfa, "Alfa");
    EXPECT_EQ(servers.Names(), (std::vector<std::string>{"Alfa", "Gama"}));
    EXPECT_EQ(readRaw(), QByteArray(kTwoServers));
}

TEST_F(FavouriteServersTest, SaveWritesChangedEntriesAndDeletesRemovedOnes)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    ServerEntry alfa = servers.ForEditing("Alfa");
    alfa.ownIdentity = false; // the session then uses "Base"
    alfa.usePassword = false;
    alfa.autoConnect = false;
    servers.Put(alfa, "Alfa");
    servers.Remove("Beta");
    ServerEntry gama = GamaWithIdentity();
    gama.port = 6668;
    gama.autoConnect = true;
    gama.usePassword = true;
    gama.password = "heslo";
    gama.updateNick = true;
    gama.fullName = "Gama Meno";
    servers.Put(gama, "");
    ASSERT_TRUE(servers.Save());

    EXPECT_EQ(ReadString("Servers", "Alfa"), "127.0.0.1 6667 0");
    EXPECT_EQ(ReadString("Servers Data", "Alfa"), "");
    EXPECT_EQ(ReadPassword("Alfa"), "");
    EXPECT_EQ(ReadString("Servers", "Beta"), "");
    EXPECT_EQ(ReadString("Servers", "Gama"), "127.0.0.3 6668 1");
    EXPECT_EQ(ReadPassword("Gama"), "heslo");
    EXPECT_EQ(ReadString("Servers Data", "Gama"), "gnick g@mail 0 1 Gama Meno");
    // A deleted server's favourite channels stay for a server of that name.
    EXPECT_EQ(ReadPassword("Beta - #iny"), "ine");
    EXPECT_FALSE(readRaw().contains("Alfa=127.0.0.1 6667 1"));
    EXPECT_EQ(servers.Names(), (std::vector<std::string>{"Alfa", "Gama"}));
}

TEST_F(FavouriteServersTest, EntriesNotTouchedKeepTheirRecords)
{
    writeRaw("[Servers]\nAlfa=127.0.0.1 6667 01 dalsie\nBeta=127.0.0.2 7000 0\n");
    FavouriteServers servers;
    servers.Load();
    servers.Remove("Beta");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(ReadString("Servers", "Alfa"), "127.0.0.1 6667 01 dalsie");
}

TEST_F(FavouriteServersTest, RenameCarriesPasswordsIdentityChannelsAndTheDefault)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    ServerEntry entry = servers.ForEditing("Alfa");
    entry.name = "Nova Alfa";
    servers.Put(entry, "Alfa");
    ASSERT_TRUE(servers.Save());

    EXPECT_EQ(ReadString("Servers", "Alfa"), "");
    EXPECT_EQ(ReadString("Servers Data", "Alfa"), "");
    EXPECT_EQ(ReadPassword("Alfa"), "");
    EXPECT_EQ(ReadPassword("Alfa - #kanal"), "");
    EXPECT_EQ(ReadString("Channels Group Alfa", "#kanal"), "");

    EXPECT_EQ(ReadString("Servers", "Nova Alfa"), "127.0.0.1 6667 1");
    EXPECT_EQ(ReadPassword("Nova Alfa"), "tajne");
    EXPECT_EQ(ReadString("Servers Data", "Nova Alfa"), "alfanick alfa@mail 1 0 Alfa Dlhe Meno");
    EXPECT_EQ(ReadPassword("Nova Alfa - #kanal"), "kluc");
    std::vector<std::string> channels;
    ReadSectionKeys("Channels Group Nova Alfa", channels);
    EXPECT_EQ(channels, (std::vector<std::string>{"#kanal", "#druhy"}));
    EXPECT_EQ(ReadString("Channels Group Nova Alfa", "#druhy"), "#druhy 0");
    EXPECT_EQ(ReadString("Default Server"), "Nova Alfa");
    // The other server's favourites are untouched.
    EXPECT_EQ(ReadPassword("Beta - #iny"), "ine");
}

TEST_F(FavouriteServersTest, RenamesInAChainEachCarryTheirOwnChannels)
{
    writeRaw("[Servers]\nAlfa=127.0.0.1 1 0\nBeta=127.0.0.2 2 0\n"
             "[Channels Group Alfa]\n#a=#a 1\n[Channels Group Beta]\n#b=#b 1\n");
    FavouriteServers servers;
    servers.Load();
    ServerEntry beta = servers.ForEditing("Beta");
    beta.name = "Gama";
    servers.Put(beta, "Beta");
    ServerEntry alfa = servers.ForEditing("Alfa");
    alfa.name = "Beta";
    servers.Put(alfa, "Alfa");
    ASSERT_TRUE(servers.Save());

    EXPECT_EQ(ReadString("Servers", "Beta"), "127.0.0.1 1 0");
    EXPECT_EQ(ReadString("Servers", "Gama"), "127.0.0.2 2 0");
    EXPECT_EQ(ReadString("Servers", "Alfa"), "");
    EXPECT_EQ(ReadString("Channels Group Gama", "#b"), "#b 1");
    EXPECT_EQ(ReadString("Channels Group Beta", "#a"), "#a 1");
    EXPECT_EQ(ReadString("Channels Group Beta", "#b"), "");
}

TEST_F(FavouriteServersTest, RenameOntoAnExistingNameReplacesThatEntry)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    ServerEntry beta = servers.ForEditing("Beta");
    beta.name = "alfa";
    servers.Put(beta, "Beta");
    EXPECT_EQ(servers.Names(), (std::vector<std::string>{"alfa"}));
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(ReadString("Servers", "Alfa"), "127.0.0.2 7000 0");
    EXPECT_EQ(ReadString("Servers", "Beta"), "");
    EXPECT_EQ(ReadPassword("Alfa"), "");
    EXPECT_EQ(ReadString("Servers Data", "Alfa"), "");
    // Beta has no channel group: "Beta - #iny" is no key of its channels.
    EXPECT_EQ(ReadPassword("Beta - #iny"), "ine");
    EXPECT_EQ(ReadPassword("alfa - #kanal"), "kluc");
}

TEST_F(FavouriteServersTest, ChangingOnlyTheCaseOfANameKeepsEverything)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    ServerEntry alfa = servers.ForEditing("Alfa");
    alfa.name = "ALFA";
    servers.Put(alfa, "Alfa");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(servers.Names(), (std::vector<std::string>{"ALFA", "Beta"}));
    EXPECT_EQ(ReadString("Servers", "alfa"), "127.0.0.1 6667 1");
    EXPECT_EQ(ReadPassword("alfa"), "tajne");
    EXPECT_EQ(ReadString("Servers Data", "alfa"), "alfanick alfa@mail 1 0 Alfa Dlhe Meno");
    EXPECT_EQ(ReadString("Channels Group alfa", "#kanal"), "#kanal 1");
    EXPECT_EQ(ReadPassword("alfa - #kanal"), "kluc");
    EXPECT_EQ(ReadString("Default Server"), "ALFA");
}

TEST_F(FavouriteServersTest, ValuesTheFileCannotHoldAreRefused)
{
    ServerEntry entry;
    entry.name = "Dobry";
    entry.host = "127.0.0.1";
    EXPECT_EQ(CheckServerEntry(entry).field, ServerEntryProblem::None);

    struct Row
    {
        void (*spoil)(ServerEntry &);
        ServerEntryProblem problem;
    };
    const Row rows[] = {
        {[](ServerEntry &e) { e.name = ""; }, ServerEntryProblem::BadName},
        {[](ServerEntry &e) { e.name = "a=b"; }, ServerEntryProblem::BadName},
        {[](ServerEntry &e) { e.name = "a]b"; }, ServerEntryProblem::BadName},
        {[](ServerEntry &e) { e.host = ""; }, ServerEntryProblem::BadHost},
        {[](ServerEntry &e) { e.host = "127.0.0.1 7000"; }, ServerEntryProblem::BadHost},
        {[](ServerEntry &e) { e.port = 0; }, ServerEntryProblem::BadPort},
        {[](ServerEntry &e) { e.port = 65536; }, ServerEntryProblem::BadPort},
        {[](ServerEntry &e) {
             e.ownIdentity = true;
             e.nick = "dva slova";
         },
         ServerEntryProblem::BadNick},
        {[](ServerEntry &e) {
             e.ownIdentity = true;
             e.nick = "dobry";
             e.email = "a\tb";
         },
         ServerEntryProblem::BadEmail},
    };
    for (const Row &row : rows) {
        ServerEntry spoilt = entry;
        row.spoil(spoilt);
        EXPECT_EQ(CheckServerEntry(spoilt).field, row.problem) << spoilt.name << "|" << spoilt.host << "|" << spoilt.port;
    }
    // Without its own identity the identity fields are not written.
    entry.nick = "dva slova";
    EXPECT_EQ(CheckServerEntry(entry).field, ServerEntryProblem::None);
    entry.port = 65535;
    EXPECT_EQ(CheckServerEntry(entry).field, ServerEntryProblem::None);
}

// The identity record is blank-separated and read back trimmed: an empty nick
// or e-mail would shift every later field by one.
TEST_F(FavouriteServersTest, AnOwnIdentityKeepsItsFieldsOrIsRefused)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    ServerEntry gama = GamaWithIdentity();
    gama.invisible = true;
    gama.fullName = "Gama  Dlhe Meno";
    servers.Put(gama, "");
    ASSERT_TRUE(servers.Save());
    const ServerEntry read = servers.ForEditing("Gama");
    EXPECT_EQ(read.nick, "gnick");
    EXPECT_EQ(read.email, "g@mail");
    EXPECT_TRUE(read.invisible);
    EXPECT_FALSE(read.updateNick);
    EXPECT_EQ(read.fullName, "Gama  Dlhe Meno");

    // An empty e-mail is a field of its own between two blanks.
    ServerEntry noEmail = gama;
    noEmail.email.clear();
    servers.Put(noEmail, "Gama");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(servers.ForEditing("Gama").email, "");
    EXPECT_EQ(servers.ForEditing("Gama").nick, "gnick");
    EXPECT_TRUE(servers.ForEditing("Gama").invisible);
    EXPECT_EQ(servers.ForEditing("Gama").fullName, "Gama  Dlhe Meno");

    // An empty nick would be trimmed away with the line's blanks: refused.
    const QByteArray before = readRaw();
    ServerEntry noNick = gama;
    noNick.nick.clear();
    EXPECT_EQ(CheckServerEntry(noNick).field, ServerEntryProblem::BadNick);
    servers.Put(noNick, "Gama");
    EXPECT_FALSE(servers.Save());
    EXPECT_EQ(readRaw(), before);
}

// "Alfa - B - #x" is the key of channel #x of server "Alfa - B", not one of
// server Alfa's.
TEST_F(FavouriteServersTest, ARenameMovesOnlyTheServersOwnChannelKeys)
{
    writeRaw("[Servers]\nAlfa=127.0.0.1 6667 0\nAlfa - B=127.0.0.2 6667 0\n"
             "[Passwords]\nAlfa - #a=kluc\nAlfa - B - #x=iny\n"
             "[Channels Group Alfa]\n#a=#a 1\n[Channels Group Alfa - B]\n#x=#x 1\n");
    FavouriteServers servers;
    servers.Load();
    ServerEntry alfa = servers.ForEditing("Alfa");
    alfa.name = "Omega";
    servers.Put(alfa, "Alfa");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(ReadPassword("Omega - #a"), "kluc");
    EXPECT_EQ(ReadPassword("Alfa - #a"), "");
    EXPECT_EQ(ReadPassword("Alfa - B - #x"), "iny");
    EXPECT_EQ(ReadPassword("Omega - B - #x"), "");
    EXPECT_EQ(ReadString("Channels Group Alfa - B", "#x"), "#x 1");
}

// A rename is many changes of the file; a disk that refuses the file midway
// must not leave the channels deleted from the old group and not yet in the
// new one.
TEST_F(FavouriteServersTest, ARenameThatCannotBeWrittenLeavesTheFileAsItWas)
{
    writeRaw(kTwoServers);
    const QByteArray before = readRaw();
    FavouriteServers servers;
    servers.Load();
    ServerEntry alfa = servers.ForEditing("Alfa");
    alfa.name = "Alfa Nova";
    servers.Put(alfa, "Alfa");
    {
        // Deleting lines still fits, adding them no longer does.
        FileSizeLimit limit(std::uintmax_t(before.size()));
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(servers.Save());
    }
    EXPECT_EQ(readRaw(), before);
}

TEST_F(FavouriteServersTest, LoggingOffIsKeptPerEntryAndFollowsARenameAndADeletion)
{
    writeRaw(kTwoServers);
    FavouriteServers servers;
    servers.Load();
    EXPECT_TRUE(servers.ForEditing("Alfa").logging);
    ServerEntry entry = servers.ForEditing("Alfa");
    entry.logging = false;
    servers.Put(entry, "Alfa");
    ASSERT_TRUE(servers.Save());
    EXPECT_FALSE(servers.ForEditing("Alfa").logging);
    EXPECT_TRUE(servers.ForEditing("Beta").logging);
    EXPECT_EQ(ServerEntriesWithLoggingOff(), (std::vector<std::string>{"Alfa"}));

    entry.name = "Gama";
    servers.Put(entry, "Alfa");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(ServerEntriesWithLoggingOff(), (std::vector<std::string>{"Gama"}));

    servers.Remove("Gama");
    ASSERT_TRUE(servers.Save());
    EXPECT_TRUE(ServerEntriesWithLoggingOff().empty());
}
