// The server dialog: what it shows for an entry, what OK puts into the
// working copy of the servers, and the values it refuses with a beep.
#include "SettingsFixture.h"

#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "text/Strings.h"
#include "dialogs/ServerDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace {

const char *const kServers = "[Base]\nNick=zakladny\nUser E-Mail=zaklad@doma\nUser Full Name=Zakladne Meno\n"
                             "Update Nick=True\n"
                             "[Servers]\nAlfa=127.0.0.1 6667 1\nBeta=127.0.0.2 7000 0\n"
                             "[Passwords]\nAlfa=tajne\n"
                             "[Servers Data]\nAlfa=alfanick alfa@mail 1 0 Alfa Dlhe Meno\n";

class DlgEditServerTest : public SettingsFixture
{
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        ASSERT_TRUE(WriteConfigFile(kServers));
        m_servers.Load();
    }

    std::unique_ptr<ServerDialog> Open(const std::string &name)
    {
        auto dialog = std::make_unique<ServerDialog>(m_shell, m_servers, name);
        dialog->show();
        return dialog;
    }
    static void PressOk(ServerDialog &dialog)
    {
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Return);
    }

    FavouriteServers m_servers;
};

} // namespace

TEST_F(DlgEditServerTest, ShowsTheEntryWithItsBoxes)
{
    auto alfa = Open("alfa");
    EXPECT_EQ(alfa->NameEdit()->text(), "Alfa");
    EXPECT_EQ(alfa->HostEdit()->text(), "127.0.0.1");
    EXPECT_TRUE(alfa->StandardPortBox()->isChecked());
    EXPECT_FALSE(alfa->PortEdit()->isEnabled());
    EXPECT_TRUE(alfa->AutoConnectBox()->isChecked());
    EXPECT_TRUE(alfa->PasswordBox()->isChecked());
    EXPECT_TRUE(alfa->PasswordEdit()->isEnabled());
    EXPECT_EQ(alfa->PasswordEdit()->text(), "tajne");
    EXPECT_TRUE(alfa->OwnIdentityBox()->isChecked());
    EXPECT_EQ(alfa->NickEdit()->text(), "alfanick");
    EXPECT_EQ(alfa->FullNameEdit()->text(), "Alfa Dlhe Meno");
    EXPECT_TRUE(alfa->InvisibleBox()->isChecked());
    EXPECT_TRUE(alfa->NickEdit()->isEnabled());
    EXPECT_EQ(alfa->focusWidget(), alfa->NameEdit());

    // Without a record of its own the identity of "Base" shows, disabled.
    auto beta = Open("Beta");
    EXPECT_FALSE(beta->StandardPortBox()->isChecked());
    EXPECT_TRUE(beta->PortEdit()->isEnabled());
    EXPECT_EQ(beta->PortEdit()->text(), "7000");
    EXPECT_FALSE(beta->PasswordBox()->isChecked());
    EXPECT_FALSE(beta->PasswordEdit()->isEnabled());
    EXPECT_FALSE(beta->OwnIdentityBox()->isChecked());
    EXPECT_FALSE(beta->NickEdit()->isEnabled());
    EXPECT_EQ(beta->NickEdit()->text(), "zakladny");
    EXPECT_EQ(beta->EmailEdit()->text(), "zaklad@doma");
    EXPECT_TRUE(beta->UpdateNickBox()->isChecked());

    auto added = Open("");
    EXPECT_TRUE(added->NameEdit()->text().isEmpty());
    EXPECT_EQ(added->PortEdit()->text(), "6667");
    EXPECT_TRUE(added->StandardPortBox()->isChecked());
}

TEST_F(DlgEditServerTest, StandardPortBoxGives6667)
{
    auto dialog = Open("");
    TypeInto(dialog->NameEdit(), "Gama");
    TypeInto(dialog->HostEdit(), "127.0.0.3");
    Toggle(dialog->StandardPortBox());
    ASSERT_TRUE(dialog->PortEdit()->isEnabled());
    TypeInto(dialog->PortEdit(), "7005");
    Toggle(dialog->StandardPortBox());
    EXPECT_EQ(dialog->PortEdit()->text(), "6667");
    EXPECT_FALSE(dialog->PortEdit()->isEnabled());
    PressOk(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(ReadString("Servers", "Gama"), "127.0.0.3 6667 0");
    EXPECT_EQ(ReadString("Servers Data", "Gama"), "");
    EXPECT_EQ(ReadPassword("Gama"), "");
}

// A secure server keeps its "+" through the dialog and the file; "+" typed
// into the port asks for one.
TEST_F(DlgEditServerTest, ASecurePortKeepsItsPlusSign)
{
    ASSERT_TRUE(WriteString("Servers", "Delta", "irc.example.net +6697 0"));
    m_servers.Load();
    auto delta = Open("Delta");
    EXPECT_EQ(delta->PortEdit()->text(), "+6697");
    EXPECT_FALSE(delta->StandardPortBox()->isChecked());
    PressOk(*delta);
    ASSERT_EQ(delta->result(), QDialog::Accepted);

    auto beta = Open("Beta");
    TypeInto(beta->PortEdit(), "+7001");
    PressOk(*beta);
    ASSERT_EQ(beta->result(), QDialog::Accepted);
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(ReadString("Servers", "Delta"), "irc.example.net +6697 0");
    EXPECT_EQ(ReadString("Servers", "Beta"), "127.0.0.2 +7001 0");
}

TEST_F(DlgEditServerTest, UntickingOwnIdentityDeletesTheServersDataLine)
{
    auto dialog = Open("Alfa");
    Toggle(dialog->OwnIdentityBox());
    EXPECT_FALSE(dialog->NickEdit()->isEnabled());
    Toggle(dialog->PasswordBox());
    Click(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(ReadString("Servers Data", "Alfa"), "");
    EXPECT_EQ(ReadPassword("Alfa"), "");
    EXPECT_EQ(ReadString("Servers", "Alfa"), "127.0.0.1 6667 1");
}

TEST_F(DlgEditServerTest, OwnIdentityIsWrittenAsOneRecord)
{
    auto dialog = Open("Beta");
    Toggle(dialog->OwnIdentityBox());
    TypeInto(dialog->NickEdit(), "betanick");
    TypeInto(dialog->FullNameEdit(), "Beta Dve Slova");
    Toggle(dialog->InvisibleBox());
    Toggle(dialog->UpdateNickBox());
    Toggle(dialog->PasswordBox());
    TypeInto(dialog->PasswordEdit(), "heslo");
    PressOk(*dialog);
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(ReadString("Servers Data", "Beta"), "betanick zaklad@doma 1 0 Beta Dve Slova");
    EXPECT_EQ(ReadPassword("Beta"), "heslo");
}

TEST_F(DlgEditServerTest, ValuesTheFileCannotHoldAreRefusedWithABeepAndTheReason)
{
    struct Row
    {
        QLineEdit *(ServerDialog::*field)() const;
        const char *text;
        bool ownIdentity;
        StrText reason;
    };
    const Row rows[] = {
        {&ServerDialog::NameEdit, "", false, Str::ServerNameBad},
        {&ServerDialog::NameEdit, "a=b", false, Str::ServerNameBad},
        {&ServerDialog::HostEdit, "", false, Str::HostEmpty},
        {&ServerDialog::HostEdit, "127.0.0.1 7000", false, Str::HostBadCharacter},
        {&ServerDialog::PortEdit, "0", false, Str::PortOutOfRange},
        {&ServerDialog::PortEdit, "65536", false, Str::PortOutOfRange},
        {&ServerDialog::PortEdit, "x1", false, Str::PortNotNumber},
        {&ServerDialog::PortEdit, "66x7", false, Str::PortNotNumber},
        {&ServerDialog::NickEdit, "dva slova", true, Str::NickBadCharacter},
        {&ServerDialog::NickEdit, "", true, Str::NickEmpty},
        {&ServerDialog::EmailEdit, "a b@c", true, Str::EmailBadCharacter},
    };
    const std::string before = ReadConfigFile();
    for (const Row &row : rows) {
        m_shell.m_beeps.clear();
        m_shell.m_messageBoxes.clear();
        auto dialog = Open("Beta");
        if (row.ownIdentity)
            Toggle(dialog->OwnIdentityBox());
        QLineEdit *field = (dialog.get()->*row.field)();
        TypeInto(field, QString::fromUtf8(row.text));
        PressOk(*dialog);
        EXPECT_EQ(m_shell.m_beeps.size(), 1u) << row.text;
        EXPECT_EQ(m_shell.m_messageBoxes, std::vector<std::string>{Strings::Get(row.reason)}) << row.text;
        EXPECT_TRUE(dialog->isVisible()) << row.text;
        EXPECT_EQ(dialog->focusWidget(), field) << row.text;
        dialog->reject();
    }
    EXPECT_EQ(m_servers.ForEditing("Beta").port, 7000);
    EXPECT_FALSE(m_servers.Contains("a=b"));
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(ReadConfigFile(), before);
}

TEST_F(DlgEditServerTest, TakingTheNameOfAnotherServerAsksFirst)
{
    m_shell.m_messageBoxAnswer = Shell::AnswerNo;
    auto dialog = Open("Beta");
    TypeInto(dialog->NameEdit(), "ALFA");
    PressOk(*dialog);
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_NE(m_shell.m_messageBoxes.front().find("ALFA"), std::string::npos);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(m_servers.Names(), (std::vector<std::string>{"Alfa", "Beta"}));

    m_shell.m_messageBoxAnswer = Shell::AnswerYes;
    PressOk(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_servers.Names(), (std::vector<std::string>{"ALFA"}));
    EXPECT_EQ(m_servers.ForEditing("alfa").port, 7000);

    // Keeping its own name, in any case, asks nothing.
    m_shell.m_messageBoxes.clear();
    auto same = Open("Alfa");
    TypeInto(same->NameEdit(), "alfa");
    PressOk(*same);
    EXPECT_EQ(same->result(), QDialog::Accepted);
    EXPECT_TRUE(m_shell.m_messageBoxes.empty());
}

TEST_F(DlgEditServerTest, CancelPutsNothing)
{
    auto dialog = Open("Beta");
    TypeInto(dialog->NameEdit(), "Iny");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(m_servers.Names(), (std::vector<std::string>{"Alfa", "Beta"}));
}

TEST_F(DlgEditServerTest, AnEntryCanKeepItsConversationsOutOfTheLogs)
{
    auto alfa = Open("Alfa");
    EXPECT_FALSE(alfa->LoggingOffBox()->isChecked());
    Toggle(alfa->LoggingOffBox());
    PressOk(*alfa);
    ASSERT_EQ(alfa->result(), QDialog::Accepted);
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(ReadString("Logging Off", "Alfa"), "True");
    EXPECT_TRUE(Open("Alfa")->LoggingOffBox()->isChecked());
    EXPECT_FALSE(Open("Beta")->LoggingOffBox()->isChecked());
}

TEST_F(DlgEditServerTest, ThePasswordSaysHowABouncersNetworkIsLoggedInToAndKeepsItWhole)
{
    auto beta = Open("beta");
    ASSERT_NE(beta->PasswordHint(), nullptr);
    EXPECT_TRUE(beta->PasswordHint()->isVisible());
    EXPECT_TRUE(beta->PasswordHint()->text().contains(QStringLiteral("používateľ/sieť:heslo")));
    EXPECT_EQ(beta->PasswordEdit()->toolTip(), beta->PasswordHint()->text());

    beta->PasswordBox()->setChecked(true);
    beta->PasswordEdit()->setText(QStringLiteral("bnc/libera:tajne heslo"));
    PressOk(*beta);
    ASSERT_TRUE(m_servers.Save());
    EXPECT_EQ(FavouriteServers::Password("Beta"), "bnc/libera:tajne heslo");
}
