#include <gtest/gtest.h>

#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "config/StoredSecrets.h"
#include "desktop/KeychainStore.h"
#include "support/PrivateBus.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

#include <memory>
#include <optional>

namespace {

struct Answer
{
    SecretStore::Result result;
    std::string text;
};

// gnome-keyring's Secret Service, unlocked, on a private bus that the whole
// suite shares: the library under Qt Keychain finds the session bus once
// per process.
class KeychainStoreTest : public TestConfigDir
{
protected:
    static void SetUpTestSuite()
    {
        s_bus = std::make_unique<PrivateBus>();
        if (!s_bus->Start())
            return;
        qputenv("DBUS_SESSION_BUS_ADDRESS", s_bus->Address().toUtf8());
        s_running = s_bus->StartSecretService();
    }
    static void TearDownTestSuite() { s_bus.reset(); }

    void SetUp() override
    {
        TestConfigDir::SetUp();
        if (!s_running)
            GTEST_SKIP() << "gnome-keyring-daemon did not start on the private bus";
    }

    // Runs one call of the store and waits for its answer.
    template <typename Call>
    std::optional<Answer> Ask(Call call)
    {
        std::optional<Answer> answer;
        call([&](SecretStore::Result result, const std::string &text) { answer = Answer{result, text}; });
        WaitFor([&] { return answer.has_value(); }, 20000);
        return answer;
    }

    KeychainStore m_store;
    static inline std::unique_ptr<PrivateBus> s_bus;
    static inline bool s_running = false;
};

} // namespace

TEST_F(KeychainStoreTest, SecretsAreWrittenReadAndRemovedInTheSecretService)
{
    const std::string key = "Passwords/Libera @ /test/brimo.conf";
    std::optional<Answer> answer = Ask([&](auto done) { m_store.Read(key, done); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->result, SecretStore::Result::NotFound);

    answer = Ask([&](auto done) { m_store.Write(key, "tajné heslo", done); });
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->result, SecretStore::Result::Ok) << answer->text;
    answer = Ask([&](auto done) { m_store.Read(key, done); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->result, SecretStore::Result::Ok);
    EXPECT_EQ(answer->text, "tajné heslo");

    answer = Ask([&](auto done) { m_store.Remove(key, done); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->result, SecretStore::Result::Ok);
    answer = Ask([&](auto done) { m_store.Read(key, done); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->result, SecretStore::Result::NotFound);
}

TEST_F(KeychainStoreTest, PasswordsOfBrimoConfMoveIntoTheKeyringAndComeBackAtTheNextStart)
{
    const std::string config = "[Servers]\nSiet=127.0.0.1 6667 1\n[Passwords]\nSiet=serverove heslo\n"
                               "[SASL Passwords]\nSiet=sasl heslo\n";
    ASSERT_TRUE(WriteConfigFile(config));
    std::vector<StoredSecrets::Report> reports;
    {
        StoredSecrets secrets(&m_store);
        secrets.Start([] {}, [&](const StoredSecrets::Report &report) { reports.push_back(report); });
        ASSERT_TRUE(WaitFor([&] { return !reports.empty(); }, 20000));
        EXPECT_TRUE(reports[0].storeAnswered) << reports[0].problem;
        EXPECT_EQ(reports[0].moved, 2);
    }
    EXPECT_EQ(ReadConfigFile().find("heslo"), std::string::npos);
    EXPECT_TRUE(StoredSecrets::IsReference(ReadString("Passwords", "Siet")));
    EXPECT_EQ(FavouriteServers::Password("Siet"), "") << "no keeper, no secret";

    // The next start: ready once the keyring gave both back.
    KeychainStore another;
    StoredSecrets secrets(&another);
    bool ready = false;
    secrets.Start([&] { ready = true; }, [&](const StoredSecrets::Report &report) { reports.push_back(report); });
    ASSERT_TRUE(WaitFor([&] { return ready; }, 20000));
    EXPECT_EQ(FavouriteServers::Password("Siet"), "serverove heslo");
    EXPECT_EQ(ReadSecret("SASL Passwords", "Siet"), "sasl heslo");
}

TEST_F(KeychainStoreTest, WithoutTheSecretServiceTheStoreIsUnavailable)
{
    // The service ends (the last test of the suite: it does not come back).
    s_bus->StopSecretService();
    std::optional<Answer> answer = Ask([&](auto done) { m_store.Write("Passwords/x @ /test", "heslo", done); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->result, SecretStore::Result::Unavailable);
    EXPECT_FALSE(answer->text.empty()) << "the reason, for the status window";

    ASSERT_TRUE(WriteConfigFile("[Passwords]\nSiet=heslo\n"));
    std::vector<StoredSecrets::Report> reports;
    StoredSecrets secrets(&m_store);
    secrets.Start([] {}, [&](const StoredSecrets::Report &report) { reports.push_back(report); });
    ASSERT_TRUE(WaitFor([&] { return !reports.empty(); }, 20000));
    EXPECT_FALSE(reports[0].storeAnswered);
    EXPECT_EQ(ReadConfigFile(), "[Passwords]\nSiet=heslo\n") << "the file keeps it";
}
