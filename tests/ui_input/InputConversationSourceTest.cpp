#include "input/InputConversationSource.h"
#include "InputWidgetFixture.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using InputConversationSourceTest = InputWidgetFixture;

TEST_F(InputConversationSourceTest, TabCompletesFromTheConversationsNickListInListOrder)
{
    Conversation channel(nullptr, "#brimo", Conversation::KindChannel, Conversation::TypeChannel);
    for (const char *nick : {"bob", "+Bobby", "@ann", "%bozena"})
        channel.Nicks().AddNick(nick);
    const InputConversationSource source(channel);
    ASSERT_EQ(source.NickCount(), 4);
    EXPECT_EQ(source.NickEntry(0), "@ann");
    EXPECT_EQ(source.NickEntry(4), "");
    m_input->SetCompletionSource(&source);

    Type("b");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "bozena") << "'%' members come before '+' and the others";
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "Bobby");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "bob");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "b");
}

TEST_F(InputConversationSourceTest, PrivateConversationCompletesWithItsCurrentName)
{
    Conversation query(nullptr, "peter", Conversation::KindText, Conversation::TypePrivate);
    const InputConversationSource source(query);
    m_input->SetCompletionSource(&source);
    query.Rename("petra");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "petra ");
}

TEST_F(InputConversationSourceTest, ABouncersWindowCompletesItsCommandsAndAPersonsItsName)
{
    Conversation status(nullptr, "*status", Conversation::KindText, Conversation::TypePrivate);
    const InputConversationSource source(status);
    m_input->SetCompletionSource(&source);
    Type("he");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "help");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "he") << "one word begins with he";

    // Several words, one per Tab, after other words too.
    m_input->clear();
    Type("listchans a list");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "listchans a listmods");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "listchans a listavailmods");

    // A module's voice too; a person's window and a channel named so do not.
    Conversation module(nullptr, "*controlpanel", Conversation::KindText, Conversation::TypePrivate);
    EXPECT_FALSE(InputConversationSource(module).CommandWords().empty());
    Conversation person(nullptr, "peter", Conversation::KindText, Conversation::TypePrivate);
    EXPECT_TRUE(InputConversationSource(person).CommandWords().empty());
    Conversation lonely(nullptr, "*", Conversation::KindText, Conversation::TypePrivate);
    EXPECT_TRUE(InputConversationSource(lonely).CommandWords().empty());
}

TEST_F(InputConversationSourceTest, PopupFollowsTheScriptsLoadedLater)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile script(dir.filePath(QStringLiteral("fun.tcl")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("proc /fun {args} { echo \"fun\" } # Zábava\n");
    script.close();

    Conversation channel(nullptr, "#brimo", Conversation::KindChannel, Conversation::TypeChannel);
    m_input->SetScriptFilesProvider([&channel] { return InputConversationSource::ScriptFiles(channel); },
                                    dir.path().toStdString());
    Type("/fu");
    EXPECT_EQ(m_list->Count(), 30);
    channel.Scripts()["fun"] = "fun.tcl";
    Type("n");
    EXPECT_EQ(m_list->Count(), 31);
    EXPECT_EQ(m_list->SelectedName(), "fun");
    EXPECT_EQ(m_list->PanelText(), "Zábava");
}

} // namespace
