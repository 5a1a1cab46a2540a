#include "AppFixture.h"
#include "support/FakeSecretStore.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "config/Config.h"
#include "config/StoredSecrets.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "windows/ConversationWindow.h"

#include <algorithm>

namespace {

// A favourite server with a password, as brimo.conf has kept it so far.
const std::string kPassword = "[Passwords]\nSiet=tajne\n";

class SecretStoreAppTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_beforeStart = [this](BrimoApp &app) { app.SetSecretStore(&m_store); };
    }

    QStringList StatusLines(Session *session) const
    {
        return ShownLines(dynamic_cast<ConversationWindow *>(session->ServerWindow()->View()));
    }

    FakeSecretStore m_store;
};

int CountContaining(const QStringList &lines, const QString &text)
{
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const QString &l) { return l.contains(text); }));
}

} // namespace

TEST_F(SecretStoreAppTest, TheFirstStartMovesThePasswordIntoTheStoreAndConnectsWithIt)
{
    Session *session = StartConnected(kPassword);
    ASSERT_TRUE(session);
    EXPECT_NE(std::find(m_server.Lines().begin(), m_server.Lines().end(), "PASS tajne"), m_server.Lines().end());
    EXPECT_TRUE(StoredSecrets::IsReference(ReadString("Passwords", "Siet")));
    ASSERT_EQ(m_store.m_secrets.size(), 1u);
    EXPECT_EQ(m_store.m_secrets.begin()->second, "tajne");
    EXPECT_EQ(CountContaining(StatusLines(session), QStringLiteral("presunuté z brimo.conf do úložiska hesiel: 1")), 1);
}

TEST_F(SecretStoreAppTest, TheNextStartReadsTheStoreBeforeConnecting)
{
    m_store.m_hold = true;
    ASSERT_TRUE(m_server.Listen());
    m_store.m_secrets["Passwords/Siet @ " + ConfigFilePath()] = "zo_schranky";
    ASSERT_TRUE(StartApp("[Base]\nNick=tester\n[Servers]\nSiet=127.0.0.1 " + std::to_string(m_server.Port())
                         + " 1\n[Passwords]\nSiet=" + StoredSecrets::kReferencePrefix + "Passwords/Siet @ "
                         + ConfigFilePath() + "\n"));
    EXPECT_EQ(m_app->Sessions().Count(), 0u) << "no connection before the store answered";
    m_store.Answer();
    std::string pass;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PASS", 10000, &pass));
    EXPECT_EQ(pass, "PASS zo_schranky");
}

TEST_F(SecretStoreAppTest, ALockedStoreLeavesThePasswordInTheFileAndSaysSoOnce)
{
    m_store.m_locked = true;
    Session *session = StartConnected(kPassword);
    ASSERT_TRUE(session);
    EXPECT_NE(std::find(m_server.Lines().begin(), m_server.Lines().end(), "PASS tajne"), m_server.Lines().end());
    EXPECT_EQ(ReadString("Passwords", "Siet"), "tajne");
    const QString told = QStringLiteral("Heslá ostávajú v súbore brimo.conf");
    ASSERT_TRUE(WaitFor([&] { return CountContaining(StatusLines(session), told) == 1; }));
    EXPECT_TRUE(StatusLines(session).join('\n').contains(QStringLiteral("(locked)")));

    // Another round (the settings wrote passwords) tells nothing new.
    m_app->Secrets()->MoveToStore();
    PumpEvents(100);
    EXPECT_EQ(CountContaining(StatusLines(session), told), 1);
}
