#include "config/StoredSecrets.h"
#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "config/FavouriteServers.h"
#include "support/FakeSecretStore.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

const std::string kConfig = "[Servers]\nLibera=irc.libera.chat 6667 1\n"
                            "[Passwords]\nLibera=serverheslo\nLibera - #brimo=kanalkluc\n"
                            "[SASL Passwords]\nLibera=saslheslo\n"
                            "[Channels Group Libera]\n#brimo=#brimo 1\n";

class StoredSecretsTest : public TestConfigDir
{
protected:
    // Starts the keeper; true once it called ready.
    bool Start()
    {
        m_secrets = std::make_unique<StoredSecrets>(&m_store);
        m_secrets->Start([this] { m_ready = true; },
                         [this](const StoredSecrets::Report &report) { m_reports.push_back(report); });
        return m_ready;
    }

    static std::string StoreKey(const std::string &section, const std::string &key)
    {
        return section + "/" + key + " @ " + ConfigFilePath();
    }
    static std::string Reference(const std::string &section, const std::string &key)
    {
        return StoredSecrets::kReferencePrefix + StoreKey(section, key);
    }

    FakeSecretStore m_store;
    std::unique_ptr<StoredSecrets> m_secrets;
    bool m_ready = false;
    std::vector<StoredSecrets::Report> m_reports;
};

} // namespace

TEST_F(StoredSecretsTest, PasswordsOfTheFileMoveToTheStoreAndTheFileKeepsReferences)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    ASSERT_TRUE(Start()) << "nothing to read: ready at once";
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_TRUE(m_reports[0].storeAnswered);
    EXPECT_EQ(m_reports[0].moved, 3);
    EXPECT_EQ(m_store.m_secrets.size(), 3u);

    EXPECT_EQ(ReadString("Passwords", "Libera"), Reference("Passwords", "Libera"));
    EXPECT_EQ(ReadString("SASL Passwords", "Libera"), Reference("SASL Passwords", "Libera"));
    EXPECT_EQ(ReadConfigFile().find("heslo"), std::string::npos) << "no password left in the file";
    EXPECT_EQ(m_store.m_secrets[StoreKey("Passwords", "Libera")], "serverheslo");

    // What the program reads is the password.
    EXPECT_EQ(FavouriteServers::Password("Libera"), "serverheslo");
    EXPECT_EQ(ReadSecret("SASL Passwords", "Libera"), "saslheslo");
    EXPECT_EQ(FavouriteChannels::Read("Libera", "#brimo").key, "kanalkluc");
}

TEST_F(StoredSecretsTest, ANewStartReadsTheStoreBeforeItIsReady)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    ASSERT_TRUE(Start());
    m_secrets.reset();
    EXPECT_EQ(FavouriteServers::Password("Libera"), "") << "no keeper: a reference is no password";

    m_store.m_hold = true;
    m_ready = false;
    EXPECT_FALSE(Start()) << "the store has not answered yet";
    EXPECT_EQ(m_store.m_reads.size(), 3u);
    m_store.Answer();
    EXPECT_TRUE(m_ready);
    EXPECT_EQ(FavouriteServers::Password("Libera"), "serverheslo");
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_EQ(m_reports[1].moved, 0);
    EXPECT_TRUE(m_reports[1].unreadable.empty());
}

TEST_F(StoredSecretsTest, ALockedOrMissingStoreLosesNothing)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    m_store.m_locked = true;
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_FALSE(m_reports[0].storeAnswered);
    EXPECT_EQ(m_reports[0].problem, "locked");
    EXPECT_EQ(ReadConfigFile(), kConfig) << "the file keeps every password";
    EXPECT_EQ(FavouriteServers::Password("Libera"), "serverheslo");

    // No store at all.
    m_secrets = std::make_unique<StoredSecrets>(nullptr);
    m_secrets->Start([] {}, [this](const StoredSecrets::Report &report) { m_reports.push_back(report); });
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_FALSE(m_reports[1].storeAnswered);
    EXPECT_EQ(ReadConfigFile(), kConfig);
}

TEST_F(StoredSecretsTest, TheFileValueStaysUntilTheStoreConfirmedTheWrite)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    m_store.m_hold = true;
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_store.m_writes.size(), 3u);
    EXPECT_EQ(ReadConfigFile(), kConfig) << "asked, not yet confirmed";
    // Meanwhile the user gave the server another password.
    ASSERT_TRUE(WriteString("Passwords", "Libera", "nove"));
    m_store.Answer();
    EXPECT_EQ(ReadString("Passwords", "Libera"), "nove") << "a value changed meanwhile is not replaced";
    EXPECT_EQ(ReadString("SASL Passwords", "Libera"), Reference("SASL Passwords", "Libera"));
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].moved, 2);

    // The settings say they wrote passwords: the new one moves too.
    StoredSecrets::PasswordsWritten();
    m_store.Answer(); // nothing held yet: the move starts from the event loop
    ASSERT_TRUE(WaitFor([&] {
        m_store.Answer();
        return m_reports.size() == 2;
    }));
    EXPECT_EQ(ReadString("Passwords", "Libera"), Reference("Passwords", "Libera"));
    EXPECT_EQ(FavouriteServers::Password("Libera"), "nove");
}

TEST_F(StoredSecretsTest, AStoreLockedAtTheStartKeepsItsReferencesAndDialogsKeepThemToo)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    ASSERT_TRUE(Start());
    const std::string moved = ReadConfigFile();
    m_secrets.reset();

    m_store.m_locked = true;
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_FALSE(m_reports[1].storeAnswered);
    EXPECT_EQ(m_reports[1].unreadable.size(), 3u);
    EXPECT_EQ(FavouriteServers::Password("Libera"), "") << "nothing to send";

    // The server entry edited and saved while the secret is not known:
    // the reference is written back, not an empty password.
    FavouriteServers servers;
    servers.Load();
    ServerEntry entry = servers.ForEditing("Libera");
    entry.port = 6697;
    servers.Put(entry, "Libera");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(ReadString("Passwords", "Libera"), Reference("Passwords", "Libera"));
    EXPECT_TRUE(m_store.m_removes.empty()) << "nothing is removed from a store that did not answer";
}

TEST_F(StoredSecretsTest, ASecretNoKeyRefersToAnyMoreLeavesTheStore)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    ASSERT_TRUE(Start());
    // The server is renamed: its channel's key moves as the reference it is.
    FavouriteServers servers;
    servers.Load();
    ServerEntry entry = servers.ForEditing("Libera");
    entry.name = "Libera2";
    servers.Put(entry, "Libera");
    ASSERT_TRUE(servers.Save());
    EXPECT_EQ(ReadString("Passwords", "Libera2 - #brimo"), Reference("Passwords", "Libera - #brimo"));
    ASSERT_TRUE(WaitFor([&] { return m_reports.size() == 2; }));
    EXPECT_EQ(m_reports[1].moved, 1) << "the server's password under its new name";
    EXPECT_EQ(FavouriteServers::Password("Libera2"), "serverheslo");
    EXPECT_EQ(FavouriteChannels::Read("Libera2", "#brimo").key, "kanalkluc");
    EXPECT_EQ(m_store.m_removes, std::vector<std::string>{StoreKey("Passwords", "Libera")});
    EXPECT_FALSE(m_store.m_secrets.count(StoreKey("Passwords", "Libera")));
}

TEST_F(StoredSecretsTest, AStoreThatDoesNotAnswerDelaysTheStartOnlyAWhile)
{
    ASSERT_TRUE(WriteConfigFile(kConfig));
    ASSERT_TRUE(Start());
    m_secrets.reset();

    m_store.m_hold = true; // the reads are never answered in time
    m_secrets = std::make_unique<StoredSecrets>(&m_store, 50);
    m_ready = false;
    m_secrets->Start([this] { m_ready = true; },
                     [this](const StoredSecrets::Report &report) { m_reports.push_back(report); });
    EXPECT_FALSE(m_ready);
    ASSERT_TRUE(WaitFor([&] { return m_ready; }, 5000));
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_FALSE(m_reports[1].storeAnswered);
    EXPECT_EQ(FavouriteServers::Password("Libera"), "");

    // The answer that comes late still serves the next connection.
    m_store.Answer();
    EXPECT_EQ(FavouriteServers::Password("Libera"), "serverheslo");
    EXPECT_EQ(m_reports.size(), 2u);
}
