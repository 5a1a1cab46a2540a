// The settings sheet: its pages, what OK writes, what Cancel leaves, and the
// refreshes of the shell that follow either way.
#include "SettingsFixture.h"

#include "config/AppSettings.h"
#include "config/Config.h"
#include "dialogs/AdvancedSettingsPage.h"
#include "dialogs/AppearanceSettingsPage.h"
#include "dialogs/BasicSettingsPage.h"
#include "dialogs/ColourButton.h"
#include "dialogs/FontDialog.h"
#include "dialogs/MessagesSettingsPage.h"
#include "dialogs/ServerDialog.h"
#include "dialogs/SettingsDialog.h"
#include "text/Strings.h"
#include "support/FileSizeLimit.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

#include <memory>

namespace {

const char *const kConfig = "[Base]\n"
                            "Default Server=Beta\n"
                            "Nick=janko\n"
                            "User E-Mail=janko@doma\n"
                            "User Full Name=Janko Hrasko\n"
                            "Hide Minimized=False\n"
                            "Open Query Window=True\n"
                            "Query Dialog=True\n"
                            "Beep Baloon=16\n"
                            "Msgs Quit=Dovi\n"
                            "Font=Courier New\n"
                            "Font Size=12\n"
                            "[Servers]\n"
                            "Alfa=127.0.0.1 6667 1\n"
                            "Beta=127.0.0.2 7000 0\n"
                            "[Passwords]\n"
                            "Beta=tajne\n"
                            "Beta - #kanal=kluc\n"
                            "[Servers Data]\n"
                            "Beta=betanick b@mail 0 1 Beta Meno\n"
                            "[Channels Group Beta]\n"
                            "#kanal=#kanal 1\n";

const int kRefreshAll = Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings;

// The configuration above with another "Default Server".
std::string WithDefaultServer(const std::string &name)
{
    std::string config = kConfig;
    const std::string line = "Default Server=Beta";
    return config.replace(config.find(line), line.size(), "Default Server=" + name);
}

QString Text(StrText text)
{
    return QString::fromUtf8(Strings::Get(text));
}

class SettingsSheetTest : public SettingsFixture
{
protected:
    std::unique_ptr<SettingsDialog> OpenSheet(const std::string &config = kConfig)
    {
        EXPECT_TRUE(WriteConfigFile(config));
        LoadAppearance(m_settings);
        LoadBehaviour(m_settings);
        auto sheet = std::make_unique<SettingsDialog>(m_shell, m_settings);
        sheet->show();
        return sheet;
    }
    static void PressOk(SettingsDialog &sheet) { Click(sheet.Buttons()->button(QDialogButtonBox::Ok)); }
    static void PressCancel(SettingsDialog &sheet) { Click(sheet.Buttons()->button(QDialogButtonBox::Cancel)); }

    // The server dialog of the base page, driven by action.
    template <typename Action>
    static void RunServerDialog(QPushButton *opener, Action action)
    {
        WhenModal<ServerDialog>(action);
        Click(opener);
    }
    static QStringList ServerList(const BasicSettingsPage &page)
    {
        QStringList names;
        for (int i = 0; i < page.ServerBox()->count(); ++i)
            names << page.ServerBox()->itemText(i);
        return names;
    }

    AppSettings m_settings;
};

} // namespace

TEST_F(SettingsSheetTest, PagesInOrderUnderTheCaption)
{
    auto sheet = OpenSheet();
    EXPECT_EQ(sheet->windowTitle(), Text(Str::SettingsCaption));
    ASSERT_EQ(sheet->Tabs()->count(), 4);
    EXPECT_EQ(sheet->Tabs()->widget(0), sheet->BasePage());
    EXPECT_EQ(sheet->Tabs()->widget(1), sheet->AppearancePage());
    EXPECT_EQ(sheet->Tabs()->widget(2), sheet->MessagesPage());
    EXPECT_EQ(sheet->Tabs()->widget(3), sheet->AdvancedPage());
    EXPECT_EQ(sheet->Buttons()->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    const BasicSettingsPage &base = *sheet->BasePage();
    EXPECT_EQ(ServerList(base), (QStringList{"Alfa", "Beta"}));
    EXPECT_EQ(base.ServerBox()->currentText(), "Beta");
    EXPECT_EQ(base.NickEdit()->text(), "janko");
    EXPECT_EQ(base.FullNameEdit()->text(), "Janko Hrasko");
    EXPECT_EQ(sheet->AppearancePage()->Sample()->text(), "Courier New 12");
    EXPECT_EQ(sheet->AppearancePage()->Sample()->font().pointSize(), 12);
}

TEST_F(SettingsSheetTest, AdvancedTreeHoldsItsItemsInOrder)
{
    auto sheet = OpenSheet();
    QTreeWidget *tree = sheet->AdvancedPage()->Tree();
    QStringList captions;
    std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *item, int depth) {
        captions << QString(depth, QLatin1Char('>')) + item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        walk(tree->topLevelItem(i), 0);
    const QStringList expected = {
        Text(Str::BasicGroup),
        ">" + Text(Str::BeepOnMessage),
        ">" + Text(Str::IdentServer),
        Text(Str::TrayGroup),
        ">" + Text(Str::EnableTray),
        ">" + Text(Str::ShowBalloon),
        ">>" + Text(Str::BalloonSound),
        Text(Str::MessagesGroup),
        ">" + Text(Str::QuitMessage),
        ">" + Text(Str::PartMessage),
        ">" + Text(Str::JoinMessage),
        ">Užívateľská 1",
        ">Užívateľská 2",
        ">Užívateľská 3",
        ">Užívateľská 4",
        ">Užívateľská 5",
        ">" + Text(Str::Highlighting),
        ">>" + Text(Str::MyTextColour),
        ">>" + Text(Str::HiTextColour),
        ">>" + Text(Str::ContactColour),
        ">>" + Text(Str::HighlightWords),
        ">" + Text(Str::NoticesToWindow),
        Text(Str::LogGroup),
        ">" + Text(Str::LogEnabled),
        ">" + Text(Str::LogFolder),
        ">" + Text(Str::LogReplayLines),
    };
    EXPECT_EQ(captions, expected);

    // The current item's description shows below the tree.
    tree->setCurrentItem(sheet->AdvancedPage()->Item(Text(Str::IdentServer)));
    EXPECT_EQ(sheet->AdvancedPage()->Description()->text(), Text(Str::IdentServerHelp));
    auto *quit = qobject_cast<QLineEdit *>(sheet->AdvancedPage()->Editor(Text(Str::QuitMessage)));
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->text(), "Dovi");
    auto *sound = qobject_cast<QComboBox *>(sheet->AdvancedPage()->Editor(Text(Str::BalloonSound)));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->currentText(), "Hand");
}

TEST_F(SettingsSheetTest, CancelWritesNothingAndTheShellStillFollowsTheFile)
{
    auto sheet = OpenSheet();
    BasicSettingsPage &base = *sheet->BasePage();
    TypeInto(base.NickEdit(), "iny");
    RunServerDialog(base.AddButton(), [](ServerDialog *dialog) {
        TypeInto(dialog->NameEdit(), "Gama");
        TypeInto(dialog->HostEdit(), "127.0.0.3");
        dialog->accept();
    });
    base.ServerBox()->setCurrentText("Alfa");
    Click(base.DeleteButton());
    EXPECT_EQ(ServerList(base), (QStringList{"Beta", "Gama"}));
    Toggle(sheet->MessagesPage()->ShowPingBox());
    sheet->AdvancedPage()->Tree()->setFocus();

    QTest::keyClick(sheet.get(), Qt::Key_Escape);

    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    EXPECT_EQ(ReadConfigFile(), kConfig);
    EXPECT_TRUE(m_shell.m_messageBoxes.empty());
    EXPECT_EQ(m_shell.m_refreshes, (std::vector<int>{kRefreshAll, Shell::RefreshTray}));

    auto again = OpenSheet();
    PressCancel(*again);
    EXPECT_EQ(ReadConfigFile(), kConfig);
    EXPECT_EQ(m_shell.m_refreshes.size(), 4u);
}

TEST_F(SettingsSheetTest, OkWritesEveryPageThenTellsAndRefreshes)
{
    auto sheet = OpenSheet();
    BasicSettingsPage &base = *sheet->BasePage();
    TypeInto(base.NickEdit(), "novy");
    TypeInto(base.EmailEdit(), "novy@mail");
    Toggle(base.InvisibleBox());
    Toggle(base.AutoChangeNickBox());
    base.ServerBox()->setCurrentText("Alfa");
    MessagesSettingsPage &messages = *sheet->MessagesPage();
    Toggle(messages.ShowPingBox());
    Click(messages.DccAskButton());
    EXPECT_TRUE(messages.DesktopNotificationsBox()->isChecked()) << "on until switched off";
    Toggle(messages.DesktopNotificationsBox());
    AdvancedSettingsPage &advanced = *sheet->AdvancedPage();
    auto *sound = qobject_cast<QComboBox *>(advanced.Editor(Text(Str::BalloonSound)));
    sound->setCurrentText("Exclamation");
    TypeInto(qobject_cast<QLineEdit *>(advanced.Editor("Užívateľská 3")), "tretí text");
    TypeInto(qobject_cast<QLineEdit *>(advanced.Editor(Text(Str::HighlightWords))), "brimo vydanie");
    qobject_cast<QCheckBox *>(advanced.Editor(Text(Str::EnableTray)))->click();

    PressOk(*sheet);

    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(ReadString("Nick"), "novy");
    EXPECT_EQ(ReadString("User E-Mail"), "novy@mail");
    EXPECT_EQ(ReadString("User Full Name"), "Janko Hrasko");
    EXPECT_EQ(ReadString("InVisible"), "True");
    EXPECT_EQ(ReadString("Update Nick"), "False");
    EXPECT_EQ(ReadString("Auto Change Nick"), "True");
    EXPECT_EQ(ReadString("Default Server"), "Alfa");
    EXPECT_EQ(ReadString("Color Info"), "6495ED");
    EXPECT_EQ(ReadString("Font"), "Courier New");
    EXPECT_EQ(ReadString("Font Size"), "12");
    EXPECT_EQ(ReadString("Show Ping"), "True");
    EXPECT_EQ(ReadString("Desktop Notifications"), "False");
    EXPECT_EQ(ReadString("Open Query Window"), "True");
    EXPECT_EQ(ReadString("DCC Dialog"), "True");
    EXPECT_EQ(ReadString("Beep Baloon"), "48");
    EXPECT_EQ(ReadString("Msgs User3"), "tretí text");
    EXPECT_EQ(ReadString("HiLight Words"), "brimo vydanie");
    EXPECT_EQ(ReadString("Msgs Quit"), "Dovi");
    EXPECT_EQ(ReadString("Enable Tray"), "True");
    // Always "True" on OK, whatever it was.
    EXPECT_EQ(ReadString("Hide Minimized"), "True");
    EXPECT_EQ(ReadString("MyText"), "EE4040");
    EXPECT_EQ(ReadString("Notice Msgs To Wnd"), "False");
    // Servers not touched keep their lines.
    EXPECT_EQ(ReadString("Servers", "Beta"), "127.0.0.2 7000 0");

    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes.front(), Strings::Get(Str::SettingsTakeEffectLater));
    EXPECT_EQ(m_shell.m_refreshes, (std::vector<int>{kRefreshAll, Shell::RefreshTray}));
}

TEST_F(SettingsSheetTest, EveryBalloonSoundWritesItsNumber)
{
    const std::pair<const char *, const char *> sounds[] = {
        {"None", "0"}, {"Hand", "16"}, {"Question", "32"}, {"Exclamation", "48"}, {"Asterisk", "64"}};
    for (const auto &[name, number] : sounds) {
        auto sheet = OpenSheet();
        auto *box = qobject_cast<QComboBox *>(sheet->AdvancedPage()->Editor(Text(Str::BalloonSound)));
        box->setCurrentText(name);
        ASSERT_EQ(box->currentText(), name);
        PressOk(*sheet);
        EXPECT_EQ(ReadString("Beep Baloon"), number) << name;
    }
}

TEST_F(SettingsSheetTest, QueryDialogFollowsOpenQueryWindowAtOnce)
{
    auto sheet = OpenSheet();
    MessagesSettingsPage &messages = *sheet->MessagesPage();
    EXPECT_TRUE(messages.QueryDialogBox()->isEnabled());
    Toggle(messages.OpenQueryBox());
    EXPECT_FALSE(messages.QueryDialogBox()->isEnabled());
    Toggle(messages.OpenQueryBox());
    EXPECT_TRUE(messages.QueryDialogBox()->isEnabled());
    Toggle(messages.OpenQueryBox());
    PressOk(*sheet);
    EXPECT_EQ(ReadString("Open Query Window"), "False");
    EXPECT_EQ(ReadString("Query Dialog"), "True"); // still written

    auto closed = OpenSheet("[Base]\nQuery Dialog=True\n");
    EXPECT_FALSE(closed->MessagesPage()->QueryDialogBox()->isEnabled());
    EXPECT_TRUE(closed->MessagesPage()->DccNoAskButton()->isChecked());
}

TEST_F(SettingsSheetTest, WhiteIsWrittenAsFFFFFFAndReadsBackWhite)
{
    auto sheet = OpenSheet();
    ColourButton *text = sheet->AppearancePage()->Colour(AppearanceSettingsPage::Text);
    QColor preset;
    WhenModal<QColorDialog>([&preset](QColorDialog *dialog) {
        preset = dialog->currentColor();
        dialog->setCurrentColor(Qt::white);
        dialog->accept();
    });
    Click(text);
    EXPECT_EQ(preset, QColor(Qt::black));
    EXPECT_EQ(text->Colour(), 0xFFFFFFu);

    // A colour of the advanced tree, cancelled, stays.
    auto *contacts = qobject_cast<ColourButton *>(sheet->AdvancedPage()->Editor(Text(Str::ContactColour)));
    ASSERT_TRUE(contacts);
    WhenModal<QColorDialog>([](QColorDialog *dialog) {
        dialog->setCurrentColor(Qt::red);
        dialog->reject();
    });
    Click(contacts);
    EXPECT_EQ(contacts->Colour(), 0x50AA50u);

    PressOk(*sheet);
    EXPECT_EQ(ReadString("Color Text"), "FFFFFF");
    EXPECT_EQ(ReadString("ABText"), "50AA50");
    AppSettings reread;
    LoadAppearance(reread);
    EXPECT_EQ(reread.m_colorText, 0xFFFFFFu);
}

TEST_F(SettingsSheetTest, FontChosenSmallBecomesTen)
{
    auto sheet = OpenSheet();
    AppearanceSettingsPage &page = *sheet->AppearancePage();
    int shownSize = 0;
    WhenModal<FontDialog>([&shownSize](FontDialog *dialog) {
        shownSize = dialog->SizeBox()->currentText().toInt();
        TypeInto(dialog->SizeBox()->lineEdit(), "5");
        dialog->accept();
    });
    Click(page.FontButton());
    EXPECT_EQ(shownSize, 12);
    EXPECT_EQ(page.FontSize(), 10);
    EXPECT_TRUE(page.Sample()->text().endsWith(" 10"));
    PressOk(*sheet);
    EXPECT_EQ(ReadString("Font Size"), "10");
    EXPECT_EQ(ReadString("Font"), page.FontFace());
}

TEST_F(SettingsSheetTest, ServerChangesReachTheFileOnlyWithOk)
{
    auto sheet = OpenSheet();
    BasicSettingsPage &base = *sheet->BasePage();
    RunServerDialog(base.AddButton(), [](ServerDialog *dialog) {
        TypeInto(dialog->NameEdit(), "Gama");
        TypeInto(dialog->HostEdit(), "127.0.0.3");
        dialog->accept();
    });
    EXPECT_EQ(ServerList(base), (QStringList{"Alfa", "Beta", "Gama"}));
    EXPECT_EQ(base.ServerBox()->currentText(), "Beta");
    base.ServerBox()->setCurrentText("Alfa");
    Click(base.DeleteButton());
    EXPECT_EQ(base.ServerBox()->currentIndex(), -1);
    EXPECT_EQ(ReadConfigFile(), kConfig);

    PressOk(*sheet);
    EXPECT_EQ(ReadString("Servers", "Gama"), "127.0.0.3 6667 0");
    EXPECT_EQ(ReadString("Servers", "Alfa"), "");
    // With no server selected the default server is kept.
    EXPECT_EQ(ReadString("Default Server"), "Beta");
}

TEST_F(SettingsSheetTest, RenamingTheDefaultServerCarriesItsEntriesAlong)
{
    auto sheet = OpenSheet();
    BasicSettingsPage &base = *sheet->BasePage();
    ASSERT_EQ(base.ServerBox()->currentText(), "Beta");
    RunServerDialog(base.EditButton(), [](ServerDialog *dialog) {
        TypeInto(dialog->NameEdit(), "Beta Nova");
        dialog->accept();
    });
    EXPECT_EQ(ServerList(base), (QStringList{"Alfa", "Beta Nova"}));
    EXPECT_EQ(base.ServerBox()->currentText(), "Beta Nova");
    PressOk(*sheet);

    EXPECT_EQ(ReadString("Servers", "Beta"), "");
    EXPECT_EQ(ReadString("Servers", "Beta Nova"), "127.0.0.2 7000 0");
    EXPECT_EQ(ReadPassword("Beta Nova"), "tajne");
    EXPECT_EQ(ReadPassword("Beta Nova - #kanal"), "kluc");
    EXPECT_EQ(ReadString("Servers Data", "Beta Nova"), "betanick b@mail 0 1 Beta Meno");
    EXPECT_EQ(ReadString("Channels Group Beta Nova", "#kanal"), "#kanal 1");
    EXPECT_EQ(ReadString("Default Server"), "Beta Nova");
}

TEST_F(SettingsSheetTest, UnselectedDefaultServerIsKeptAndFollowsARename)
{
    auto sheet = OpenSheet(WithDefaultServer("Chyba"));
    BasicSettingsPage &base = *sheet->BasePage();
    EXPECT_EQ(base.ServerBox()->currentIndex(), -1);
    m_shell.m_beeps.clear();
    Click(base.EditButton());
    Click(base.DeleteButton());
    EXPECT_EQ(m_shell.m_beeps.size(), 2u);
    PressOk(*sheet);
    EXPECT_EQ(ReadString("Default Server"), "Chyba");

    // The default server renamed while another is not selected.
    auto renamed = OpenSheet(WithDefaultServer("alfa"));
    BasicSettingsPage &page = *renamed->BasePage();
    ASSERT_EQ(page.ServerBox()->currentText(), "Alfa");
    RunServerDialog(page.EditButton(), [](ServerDialog *dialog) {
        TypeInto(dialog->NameEdit(), "Omega");
        dialog->accept();
    });
    page.ServerBox()->setCurrentIndex(-1);
    PressOk(*renamed);
    EXPECT_EQ(ReadString("Default Server"), "Omega");
}

TEST_F(SettingsSheetTest, AnIdentityTheCoreRefusesIsToldWhy)
{
    auto sheet = OpenSheet();
    sheet->Tabs()->setCurrentIndex(3);
    TypeInto(sheet->BasePage()->NickEdit(), "dve slova");
    PressOk(*sheet);
    EXPECT_EQ(m_shell.m_beeps.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes, std::vector<std::string>{Strings::Get(Str::NickBadCharacter)});
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->Tabs()->currentWidget(), sheet->BasePage());
    EXPECT_EQ(sheet->focusWidget(), sheet->BasePage()->NickEdit());
    EXPECT_EQ(ReadConfigFile(), kConfig);
    EXPECT_TRUE(m_shell.m_refreshes.empty());

    TypeInto(sheet->BasePage()->NickEdit(), "jedno");
    PressOk(*sheet);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(ReadString("Nick"), "jedno");
}

TEST_F(SettingsSheetTest, TheLogsGroupShowsAndWritesLoggingItsFolderAndTheLinesShownAgain)
{
    auto sheet = OpenSheet();
    AdvancedSettingsPage &advanced = *sheet->AdvancedPage();
    ASSERT_NE(advanced.Item(Text(Str::LogGroup)), nullptr);
    auto *logging = qobject_cast<QCheckBox *>(advanced.Editor(Text(Str::LogEnabled)));
    auto *folder = qobject_cast<QLineEdit *>(advanced.Editor(Text(Str::LogFolder)));
    auto *lines = qobject_cast<QSpinBox *>(advanced.Editor(Text(Str::LogReplayLines)));
    ASSERT_TRUE(logging && folder && lines);
    EXPECT_TRUE(logging->isChecked());
    EXPECT_TRUE(folder->text().isEmpty());
    EXPECT_EQ(folder->placeholderText().toStdString(), DefaultLogDirectory());
    EXPECT_EQ(lines->value(), 100);
    advanced.Tree()->setCurrentItem(advanced.Item(Text(Str::LogReplayLines)));
    EXPECT_EQ(advanced.Description()->text(), Text(Str::LogReplayLinesHelp));

    logging->click();
    TypeInto(folder, "/tmp/moje záznamy");
    lines->setValue(250);
    PressOk(*sheet);
    EXPECT_EQ(ReadString("Logging"), "False");
    EXPECT_EQ(ReadString("Log Folder"), "/tmp/moje záznamy");
    EXPECT_EQ(ReadString("Log Lines"), "250");

    LoadBehaviour(m_settings);
    auto again = OpenSheet(ReadConfigFile());
    EXPECT_FALSE(qobject_cast<QCheckBox *>(again->AdvancedPage()->Editor(Text(Str::LogEnabled)))->isChecked());
    EXPECT_EQ(qobject_cast<QSpinBox *>(again->AdvancedPage()->Editor(Text(Str::LogReplayLines)))->value(), 250);
}

// A disk that refuses the file: the sheet says what was not written and
// stays open with everything typed, so OK can be tried again.
TEST_F(SettingsSheetTest, AWriteThatFailsIsToldAndTheSheetStaysOpen)
{
    auto sheet = OpenSheet();
    TypeInto(sheet->BasePage()->NickEdit(), "omnoho_dlhsia_prezyvka");
    {
        FileSizeLimit limit(ReadConfigFile().size());
        ASSERT_TRUE(limit.IsActive());
        PressOk(*sheet);
    }
    EXPECT_TRUE(sheet->isVisible());
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    // The identity is no server's: the servers were written, the settings not.
    EXPECT_EQ(m_shell.m_messageBoxes.front(), Strings::Format(Str::SettingsNotWritten, ConfigFile().c_str()));
    EXPECT_EQ(ReadConfigFile(), kConfig);
    EXPECT_TRUE(m_shell.m_refreshes.empty());

    PressOk(*sheet);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(ReadString("Nick"), "omnoho_dlhsia_prezyvka");
}

// A rename of a server is many changes of the file: refused by the disk, none
// of them is made, and the sheet says it was the list of servers.
TEST_F(SettingsSheetTest, ARenameTheDiskRefusesChangesNothingAndIsTold)
{
    auto sheet = OpenSheet();
    BasicSettingsPage &page = *sheet->BasePage();
    page.ServerBox()->setCurrentText("Beta");
    RunServerDialog(page.EditButton(), [](ServerDialog *dialog) {
        TypeInto(dialog->NameEdit(), "Beta s dlhsim menom");
        dialog->accept();
    });
    {
        FileSizeLimit limit(ReadConfigFile().size());
        ASSERT_TRUE(limit.IsActive());
        PressOk(*sheet);
    }
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(m_shell.m_messageBoxes, std::vector<std::string>{Strings::Format(Str::ServersNotWritten,
                                                                                 ConfigFile().c_str())});
    EXPECT_EQ(ReadConfigFile(), kConfig);
}
