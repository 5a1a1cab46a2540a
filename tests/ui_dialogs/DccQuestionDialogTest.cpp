#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>

#include "conversation/Question.h"
#include "dialogs/QuestionDialog.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

namespace {

Question FileOffer()
{
    return Question::ForRequest(Question::DccFile, "bob!~bob@host.example", "s1", "x.iso", 734003200);
}

TEST(DccQuestionDialog, NamesWhereTheOfferConnects)
{
    const Question question = FileOffer().WithTarget("203.0.113.5:5000", "");
    QuestionDialog dialog(question);
    EXPECT_EQ(dialog.QuestionText().toStdString(),
              Strings::Format(Str::DccFileRequestAt, "bob", "~bob@host.example", "x.iso",
                              FormatSize(734003200).c_str(), "203.0.113.5:5000"));
    // Nothing to warn about: Enter accepts as with any offer.
    EXPECT_TRUE(dialog.AcceptButton()->isDefault());
    QSignalSpy answered(&dialog, &QuestionDialog::answered);
    dialog.AcceptButton()->click();
    ASSERT_EQ(answered.size(), 1);
    EXPECT_EQ(answered[0][0].toInt(), QuestionDialog::Accepted);
}

TEST(DccQuestionDialog, AnOfferIntoALocalNetworkIsMarkedAndEnterDeclines)
{
    const std::string kind = Strings::Get(Str::AddressPrivate);
    const Question question = FileOffer().WithTarget("192.168.1.10:5000", kind);
    ASSERT_TRUE(question.NeedsConfirmation());
    QuestionDialog dialog(question);
    const std::string text = dialog.QuestionText().toStdString();
    EXPECT_NE(text.find("192.168.1.10:5000"), std::string::npos) << text;
    EXPECT_NE(text.find(Strings::Format(Str::DccRequestWarning, "192.168.1.10:5000", kind.c_str())), std::string::npos)
        << text;
    EXPECT_FALSE(dialog.AcceptButton()->isDefault());
    EXPECT_TRUE(dialog.DeclineButton()->isDefault());
}

} // namespace
