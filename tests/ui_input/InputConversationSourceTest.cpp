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
    EXPECT_EQ(m_list->Count(), 29);
    channel.Scripts()["fun"] = "fun.tcl";
    Type("n");
    EXPECT_EQ(m_list->Count(), 30);
    EXPECT_EQ(m_list->SelectedName(), "fun");
    EXPECT_EQ(m_list->PanelText(), "Zábava");
}

} // namespace
