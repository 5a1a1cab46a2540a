#include "find/MentionListModel.h"

#include "session/MentionList.h"

#include <QDateTime>
#include <QFont>

#include <gtest/gtest.h>

namespace {

Mention Make(const std::string &window, const std::string &text, int64_t time)
{
    Mention mention;
    mention.m_sessionKey = "krnl:1:127.0.0.1:6667";
    mention.m_network = "Siet";
    mention.m_window = window;
    mention.m_nick = "ann";
    mention.m_text = text;
    mention.m_time = time;
    return mention;
}

} // namespace

TEST(MentionListModel, RowsShowTheMentionsNewestFirstUnreadOnesBold)
{
    MentionList mentions;
    const int64_t today = QDateTime::currentSecsSinceEpoch();
    const int64_t lastWeek = today - 7 * 24 * 3600;
    mentions.Add(Make("#brimo", "<b>me</b>: ahoj", lastWeek));
    mentions.Add(Make("krnl:1:127.0.0.1:6667", "me, si tu?", today));
    MentionListModel model(mentions);
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), int(MentionListModel::ColumnCount));
    const auto cell = [&](int row, int column) { return model.index(row, column).data().toString(); };

    EXPECT_EQ(cell(0, MentionListModel::WindowColumn), QStringLiteral("Siet")) << "the status window";
    EXPECT_EQ(cell(1, MentionListModel::WindowColumn), QStringLiteral("#brimo"));
    EXPECT_EQ(cell(1, MentionListModel::TextColumn), QStringLiteral("<b>me</b>: ahoj")) << "text stays text";
    EXPECT_EQ(cell(0, MentionListModel::TimeColumn), QDateTime::fromSecsSinceEpoch(today).toString("HH:mm:ss"));
    EXPECT_TRUE(cell(1, MentionListModel::TimeColumn).contains(QLatin1Char('.'))) << "another day says which";
    EXPECT_EQ(model.headerData(MentionListModel::NickColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Prezývka"));

    const auto bold = [&](int row) { return model.index(row, 2).data(Qt::FontRole).value<QFont>().bold(); };
    EXPECT_TRUE(bold(0));
    mentions.MarkRead(mentions.At(0).m_number);
    EXPECT_FALSE(bold(0));
    EXPECT_TRUE(bold(1));
}
