// The channel menu and tool bar: the command lines they issue.
#include "FrameFixture.h"
#include "support/IconInk.h"
#include "support/RenderedToolTip.h"

#include "app/CommandIds.h"
#include "dialogs/TextInputDialog.h"
#include "text/Strings.h"
#include "windows/ConversationMenu.h"
#include "windows/ConversationToolBar.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

struct Prompted
{
    QString title, prompt;
};

} // namespace

class ChannelMenuTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        RecordCommands();
        m_settings.m_userTexts = {"ahoj vsetci", "", "", "", "dovi"};
        m_channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
        m_frame = FrameOf(m_channel);
        ASSERT_NE(m_frame, nullptr);
        m_frame->Menu()->SetTextPrompt([this](const QString &title, const QString &prompt, QString &text) {
            m_prompts.push_back({title, prompt});
            if (m_answers.empty())
                return false;
            text = m_answers.front();
            m_answers.erase(m_answers.begin());
            return true;
        });
    }

    void Run(int id) { EXPECT_TRUE(m_frame->HandleCommand(id)); }
    bool Enabled(ConversationWindow *frame, int id)
    {
        bool enabled = false, checked = false;
        EXPECT_TRUE(frame->UpdateCommand(id, enabled, checked));
        return enabled;
    }
    bool Checked(int id)
    {
        bool enabled = false, checked = false;
        EXPECT_TRUE(m_frame->UpdateCommand(id, enabled, checked));
        return checked;
    }

    Conversation *m_channel = nullptr;
    ConversationWindow *m_frame = nullptr;
    std::vector<Prompted> m_prompts;
    std::vector<QString> m_answers;
};

TEST_F(ChannelMenuTest, ModeItemsSetWhatIsOffAndRemoveWhatIsOn)
{
    Run(CommandId::ModeTopicOps);
    Run(CommandId::ModeNoExternal);
    Run(CommandId::ModeSecret);
    m_channel->ApplyModes("+tn", "", ":op!u@h MODE #chan +tn");
    EXPECT_TRUE(Checked(CommandId::ModeTopicOps));
    EXPECT_FALSE(Checked(CommandId::ModeSecret));
    Run(CommandId::ModeTopicOps);
    Run(CommandId::ModeNoExternal);
    Run(CommandId::ModeInviteOnly);
    Run(CommandId::ModeModerated);
    Run(CommandId::ModePrivate);

    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{"/servermsg MODE #chan +t", "/servermsg MODE #chan +n", "/servermsg MODE #chan +s",
                                  "/servermsg MODE #chan -t", "/servermsg MODE #chan -n", "/servermsg MODE #chan +i",
                                  "/servermsg MODE #chan +m", "/servermsg MODE #chan +p"}));
}

TEST_F(ChannelMenuTest, KeyIsAskedForOrRemovedInBothForms)
{
    m_answers = {QStringLiteral("tajne")};
    Run(CommandId::ModeKey);
    ASSERT_EQ(m_prompts.size(), 1u);
    EXPECT_EQ(m_prompts[0].title, QString::fromUtf8(Strings::Get(Str::KeyTitle)));
    EXPECT_EQ(m_prompts[0].prompt, QString::fromUtf8(Strings::Get(Str::KeyPrompt)));

    m_channel->ApplyModes("+k", "tajne", ":op!u@h MODE #chan +k tajne");
    EXPECT_TRUE(Checked(CommandId::ModeKey));
    Run(CommandId::ModeKey);
    Run(CommandId::ModeKey); // the flag stays until the server says otherwise

    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"/servermsg MODE #chan +k tajne", "/servermsg MODE #chan -k tajne",
                                        "/servermsg MODE #chan -k", "/servermsg MODE #chan -k tajne",
                                        "/servermsg MODE #chan -k"}));
    EXPECT_EQ(m_prompts.size(), 1u);
}

TEST_F(ChannelMenuTest, LimitNeedsANumberOfAtLeastOne)
{
    m_answers = {QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("50")};
    Run(CommandId::ModeLimit);
    Run(CommandId::ModeLimit);
    Run(CommandId::ModeLimit);
    ASSERT_EQ(m_prompts.size(), 3u);
    EXPECT_EQ(m_prompts[0].title, QString::fromUtf8(Strings::Get(Str::LimitTitle)));
    m_channel->ApplyModes("+l", "50", ":op!u@h MODE #chan +l 50");
    Run(CommandId::ModeLimit);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"/servermsg MODE #chan +l 50", "/servermsg MODE #chan -l"}));
}

TEST_F(ChannelMenuTest, TopicIsAskedForAndCancelSendsNothing)
{
    Run(CommandId::ChannelTopic); // cancelled
    m_answers = {QStringLiteral("nová téma")};
    Run(CommandId::ChannelTopic);
    ASSERT_EQ(m_prompts.size(), 2u);
    EXPECT_EQ(m_prompts[1].title, QString::fromUtf8(Strings::Get(Str::TopicTitle)));
    EXPECT_EQ(m_prompts[1].prompt, QString::fromUtf8(Strings::Get(Str::TopicPrompt)));
    EXPECT_EQ(Lines(), std::vector<std::string>{"/servermsg TOPIC #chan :nová téma"});
}

TEST_F(ChannelMenuTest, ATextWithALineBreakIsNeverSent)
{
    m_answers = {QStringLiteral("a\r\nQUIT :bye")};
    Run(CommandId::ChannelTopic);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(ChannelMenuTest, RefreshFavouriteSearchAndScripts)
{
    m_channel->Channel().AddBan("*!*@bad", "op", 1);
    Run(CommandId::ChannelRefresh);
    EXPECT_TRUE(m_channel->Channel().BanList().empty());
    Run(CommandId::ChannelAddFavourite);
    Run(CommandId::ChannelSearchHere); // not connected: disabled
    m_shell.m_fileDialogAnswer = "/tmp/skript.tcl";
    Run(CommandId::LoadScript);
    m_channel->Scripts().clear(); // the default script the session loads
    m_channel->Scripts()["alpha"] = "/tmp/a.tcl";
    m_channel->Scripts()["beta"] = "/tmp/b.tcl";
    EXPECT_EQ(m_frame->ScriptNames(), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
    Run(CommandId::RemoveScriptFirst + 1);

    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"/servermsg MODE #chan", "/servermsg MODE #chan b", "/favorite add #chan",
                                        "/load #chan /tmp/skript.tcl", "/unload #chan beta"}));
}

TEST_F(ChannelMenuTest, ChannelSearchNeedsAConnectedSession)
{
    bool enabled = true, checked = false;
    ASSERT_TRUE(m_frame->UpdateCommand(CommandId::ChannelSearch, enabled, checked));
    EXPECT_FALSE(enabled);
    ASSERT_TRUE(m_server.WaitForClient());
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK"));
    m_server.SendLine(":irc.test 001 " + m_session->Nick() + " :Welcome");
    ASSERT_TRUE(WaitFor([&] { return m_session->IsConnected(); }));
    ASSERT_TRUE(m_frame->UpdateCommand(CommandId::ChannelSearchHere, enabled, checked));
    EXPECT_TRUE(enabled);
    Run(CommandId::ChannelSearch);
    Run(CommandId::ChannelSearchHere);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"/search", "/search"}));
}

TEST_F(ChannelMenuTest, ModeItemsDoNothingOutsideChannels)
{
    ConversationWindow *query = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_NE(query, nullptr);
    bool enabled = true, checked = true;
    ASSERT_TRUE(query->UpdateCommand(CommandId::ModeTopicOps, enabled, checked));
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(query->HandleCommand(CommandId::ModeTopicOps));
    EXPECT_TRUE(query->HandleCommand(CommandId::ChannelRefresh));
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(query->Bar()->isVisible());
}

TEST_F(ChannelMenuTest, ToolBarButtonsRunTheirCommandsAndUserMessages)
{
    ConversationToolBar *bar = m_frame->Bar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->Action(CommandId::UserMessageFirst)->toolTip(), QStringLiteral("ahoj vsetci"));
    EXPECT_FALSE(bar->Action(CommandId::UserMessageFirst + 1)->isEnabled());
    // A message is shown as written, even one that looks like HTML.
    ConversationToolBar shown;
    shown.SetUserMessages({"<b>ahoj</b> <img src=/nonexistent/p.png>", "", "", "", ""});
    const RenderedToolTip tip(shown.Action(CommandId::UserMessageFirst)->toolTip());
    EXPECT_EQ(tip.shown.toStdString(), "<b>ahoj</b> <img src=/nonexistent/p.png>");
    EXPECT_TRUE(tip.loads.isEmpty());

    bar->Action(CommandId::UserMessageFirst)->trigger();
    bar->Action(CommandId::UserMessageFirst + 4)->trigger();
    bar->Action(CommandId::ChannelAddFavourite)->trigger();
    m_answers = {QStringLiteral("téma")};
    bar->Action(CommandId::ChannelTopic)->trigger();

    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"/action #chan ahoj vsetci", "/action #chan dovi", "/favorite add #chan",
                                        "/servermsg TOPIC #chan :téma"}));
}

// The ban list and the properties sheet are the application's: a shell
// without them leaves their menu items and bar buttons disabled.
TEST_F(ChannelMenuTest, BanListAndPropertiesAreEnabledOnlyWhenTheShellHasThem)
{
    const auto enabledIn = [](ConversationWindow *frame, int id) {
        bool enabled = false, checked = false;
        EXPECT_TRUE(frame->UpdateCommand(id, enabled, checked));
        frame->Menu()->popup(QPoint(0, 0)); // aboutToShow updates the menu's own items
        const bool inMenu = frame->Menu()->Action(id)->isEnabled();
        frame->Menu()->hide();
        const bool onBar = frame->Bar()->Action(id)->isEnabled();
        EXPECT_EQ(inMenu, enabled) << id;
        EXPECT_EQ(onBar, enabled) << id;
        return enabled;
    };
    EXPECT_FALSE(enabledIn(m_frame, CommandId::ChannelBans));
    EXPECT_FALSE(enabledIn(m_frame, CommandId::ChannelProperties));
    Run(CommandId::ChannelBans);
    Run(CommandId::ChannelProperties);
    EXPECT_TRUE(m_shell.m_banLists.empty());
    EXPECT_TRUE(m_shell.m_propertySheets.empty());

    m_shell.m_hasBanList = true;
    m_shell.m_hasPropertySheets = true;
    ConversationWindow *other = FrameOf(OpenWindow("#other", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(enabledIn(other, CommandId::ChannelBans));
    EXPECT_TRUE(enabledIn(other, CommandId::ChannelProperties));
    EXPECT_TRUE(other->HandleCommand(CommandId::ChannelBans));
    EXPECT_TRUE(other->HandleCommand(CommandId::ChannelProperties));
    EXPECT_EQ(m_shell.m_banLists, std::vector<std::string>{m_session->Key() + "|#other"});
    EXPECT_EQ(m_shell.m_propertySheets, std::vector<std::string>{m_session->Key() + "|#other"});
}

// "Kto to je" and "Vlastnosti" of the user menu open the properties sheet too.
TEST_F(ChannelMenuTest, UserPropertiesAreEnabledOnlyWhenTheShellHasThem)
{
    ConversationWindow *query = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_NE(query, nullptr);
    EXPECT_FALSE(Enabled(query, CommandId::UserWhois));
    EXPECT_FALSE(Enabled(query, CommandId::UserProperties));
    query->HandleCommand(CommandId::UserProperties);
    EXPECT_TRUE(m_shell.m_propertySheets.empty());

    m_shell.m_hasPropertySheets = true;
    EXPECT_TRUE(Enabled(query, CommandId::UserWhois));
    EXPECT_TRUE(Enabled(query, CommandId::UserProperties));
    query->HandleCommand(CommandId::UserProperties);
    EXPECT_EQ(m_shell.m_propertySheets, std::vector<std::string>{m_session->Key() + "|bob"});
}

// Without direct connections in the application, the user menu cannot start one.
TEST_F(ChannelMenuTest, DirectChatAndFileAreEnabledOnlyWhenTheShellHasThem)
{
    ConversationWindow *query = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_NE(query, nullptr);
    EXPECT_FALSE(Enabled(query, CommandId::UserDccChat));
    EXPECT_FALSE(Enabled(query, CommandId::UserDccSend));
    query->HandleCommand(CommandId::UserDccChat);
    EXPECT_TRUE(Lines().empty());

    m_shell.m_hasDcc = true;
    EXPECT_TRUE(Enabled(query, CommandId::UserDccChat));
    EXPECT_TRUE(Enabled(query, CommandId::UserDccSend));
    query->HandleCommand(CommandId::UserDccChat);
    EXPECT_EQ(Lines(), std::vector<std::string>{"/dcc chat connect bob"});
}

// The bar is a narrow column of pictures: each button shows a picture only
// and tells its text in the tool tip; a real click runs the command.
TEST_F(ChannelMenuTest, ToolBarIsANarrowColumnOfPictureButtonsWithTextTips)
{
    ConversationToolBar *bar = m_frame->Bar();
    const int ids[] = {CommandId::ChannelTopic, CommandId::ChannelBans, CommandId::ChannelAddFavourite,
                       CommandId::ChannelProperties, CommandId::UserMessageFirst + 1};
    for (int id : ids) {
        QAction *action = bar->Action(id);
        ASSERT_NE(action, nullptr);
        EXPECT_FALSE(action->icon().isNull()) << id;
        auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
    EXPECT_EQ(bar->Action(CommandId::ChannelTopic)->toolTip(), QString::fromUtf8("Zvoliť Tému ..."));
    EXPECT_EQ(bar->Action(CommandId::ChannelBans)->toolTip(), QString::fromUtf8("Zakázaní Užívatelia ..."));
    EXPECT_EQ(bar->Action(CommandId::ChannelAddFavourite)->toolTip(), QString::fromUtf8("Pridať K Obľúbeným"));
    EXPECT_LE(bar->width(), 40);
    EXPECT_EQ(m_frame->View()->x(), bar->width() + 1);

    QWidget *favourite = bar->widgetForAction(bar->Action(CommandId::ChannelAddFavourite));
    QTest::mouseClick(favourite, Qt::LeftButton, {}, favourite->rect().center());
    EXPECT_EQ(Lines(), (std::vector<std::string>{"/favorite add #chan"}));
}

// Every button shows its picture; the five user messages are told apart by
// their numbers, and the channel menu shows the bar's pictures beside the
// same commands.
TEST_F(ChannelMenuTest, ToolBarPicturesAreDrawnAndSharedWithTheMenu)
{
    ConversationToolBar *bar = m_frame->Bar();
    QList<QImage> userMessagePictures;
    for (QAction *action : bar->actions()) {
        if (action->isSeparator())
            continue;
        const int id = action->data().toInt();
        EXPECT_GT(IconInk(action->icon(), 16), 16) << id;
        EXPECT_GT(IconInk(action->icon(), 44), 44) << id;
        if (id >= CommandId::UserMessageFirst)
            userMessagePictures << action->icon().pixmap(QSize(32, 32), 1.0).toImage();
        else
            EXPECT_EQ(m_frame->Menu()->Action(id)->icon().cacheKey(), action->icon().cacheKey()) << id;
    }
    ASSERT_EQ(userMessagePictures.size(), 5);
    for (int k = 1; k < 5; ++k)
        EXPECT_NE(userMessagePictures[k], userMessagePictures[0]) << k;
    EXPECT_GT(IconInk(m_frame->Menu()->Action(CommandId::ChannelRefresh)->icon(), 16), 16);
}

TEST_F(ChannelMenuTest, ViewTogglesFlipAndShowTheirState)
{
    EXPECT_TRUE(Checked(CommandId::ViewTimeStamps));
    Run(CommandId::ViewTimeStamps);
    Run(CommandId::ViewFullAddress);
    Run(CommandId::ViewSmileys);
    Run(CommandId::ViewShowAway);
    Run(CommandId::ViewAutoScroll);
    const Conversation::Toggles &toggles = m_channel->GetToggles();
    EXPECT_FALSE(toggles.timeStamps);
    EXPECT_TRUE(toggles.fullAddress);
    EXPECT_FALSE(toggles.smileys);
    EXPECT_FALSE(toggles.showAway);
    EXPECT_FALSE(toggles.autoScroll);
    EXPECT_FALSE(m_frame->View()->AutoScroll());
    EXPECT_FALSE(Checked(CommandId::ViewTimeStamps));
    EXPECT_TRUE(Checked(CommandId::ViewFullAddress));
}

TEST_F(ChannelMenuTest, TheInputDialogAsksWithItsTitleAndPrompt)
{
    m_frame->Menu()->SetTextPrompt({});
    ConversationMenu menu;
    menu.SetConversation(m_channel);
    std::vector<std::string> lines;
    menu.SetCommandRunner([&](const std::string &line) {
        lines.push_back(line);
        return 1;
    });
    QString seenTitle, seenPrompt;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitFor([] { return qobject_cast<TextInputDialog *>(QApplication::activeModalWidget()); }));
        auto *dialog = qobject_cast<TextInputDialog *>(QApplication::activeModalWidget());
        seenTitle = dialog->windowTitle();
        seenPrompt = dialog->PromptLabel()->text();
        dialog->TextBox()->setEditText(QStringLiteral("z dialógu"));
        dialog->accept();
    });
    EXPECT_TRUE(menu.Run(CommandId::ChannelTopic));
    EXPECT_EQ(seenTitle, QString::fromUtf8(Strings::Get(Str::TopicTitle)));
    EXPECT_EQ(seenPrompt, QString::fromUtf8(Strings::Get(Str::TopicPrompt)));
    EXPECT_EQ(lines, std::vector<std::string>{"/servermsg TOPIC #chan :z dialógu"});
}
