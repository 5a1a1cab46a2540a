#include <gtest/gtest.h>

#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "support/FakeConversationView.h"

namespace {

TEST(Conversation, PrintNeedsTextAndAView)
{
    Conversation conversation(nullptr, "#c", Conversation::KindChannel, Conversation::TypeChannel);
    EXPECT_FALSE(conversation.Print("no view yet", TextClass::Info));

    FakeConversationView view(conversation);
    conversation.AttachView(&view);
    EXPECT_FALSE(conversation.Print("", TextClass::Info));
    EXPECT_FALSE(conversation.Activity());
    EXPECT_TRUE(view.Lines().empty());

    EXPECT_TRUE(conversation.Print("hello", TextClass::Error, 77));
    ASSERT_EQ(view.Lines().size(), 1u);
    EXPECT_EQ(view.Lines()[0].text, "hello");
    EXPECT_EQ(view.Lines()[0].textClass, 3);
    EXPECT_EQ(view.Lines()[0].time, 77);
    EXPECT_TRUE(conversation.Activity());

    view.DestroyNativeWindow();
    EXPECT_FALSE(conversation.HasView());
    EXPECT_FALSE(conversation.Print("after the window went", TextClass::Info));
}

TEST(Conversation, SetTopicStripsCodesKeepsHistoryAndSetsTheCaption)
{
    Conversation conversation(nullptr, "#c", Conversation::KindChannel, Conversation::TypeChannel);
    FakeConversationView view(conversation);
    conversation.AttachView(&view);

    conversation.SetTopic("\x02"
                          "bold\x02 \x03"
                          "4red");
    EXPECT_EQ(conversation.GetTopic(), "bold red");
    EXPECT_EQ(conversation.Title(), "#c bold red");
    EXPECT_EQ(view.Title(), "#c bold red");
    ASSERT_EQ(view.Topics().size(), 1u);
    EXPECT_EQ(view.Topics()[0], "bold red");

    conversation.SetTopic("");
    EXPECT_EQ(conversation.Title(), "#c");
    EXPECT_EQ(conversation.Channel().TopicHistory().size(), 2u);
}

TEST(Conversation, ClosingTheConversationClosesTheViewOnce)
{
    FakeConversationView *viewPtr;
    auto conversation =
        std::make_unique<Conversation>(nullptr, "nick", Conversation::KindText, Conversation::TypePrivate);
    FakeConversationView view(*conversation);
    viewPtr = &view;
    conversation->AttachView(viewPtr);
    conversation.reset();
    EXPECT_TRUE(view.IsClosed());
    EXPECT_EQ(view.GetConversation(), nullptr);
}

TEST(Conversation, CurrentUserIsThePartnerOrTheSelectedNick)
{
    Conversation query(nullptr, "bob", Conversation::KindText, Conversation::TypePrivate);
    EXPECT_EQ(query.CurrentUser(), "bob");

    Conversation channel(nullptr, "#c", Conversation::KindChannel, Conversation::TypeChannel);
    EXPECT_EQ(channel.CurrentUser(), "");
    channel.Nicks().AddNick("@alice");
    channel.Nicks().SelectNick("alice");
    EXPECT_EQ(channel.CurrentUser(), "alice");
}

TEST(Conversation, WithoutSessionCommandsDoNothing)
{
    Conversation channel(nullptr, "#c", Conversation::KindChannel, Conversation::TypeChannel);
    channel.ApplyModes("+b", "x!*@*", ":op!u@h MODE #c +b x!*@*");
    EXPECT_EQ(channel.RunCommand("/servermsg MODE #c"), 0);
    channel.RefreshChannel(); // empties the ban list even without a session
    EXPECT_TRUE(channel.Channel().BanList().empty());
}

} // namespace
