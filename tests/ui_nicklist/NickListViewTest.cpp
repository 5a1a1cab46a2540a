#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>

#include "conversation/NickList.h"
#include "nicklist/NickListView.h"
#include "nicklist/NickListToolTip.h"
#include "nicklist/NickListDelegate.h"
#include "nicklist/NickListModel.h"
#include "nicklist/UserMenu.h"
#include "support/WaitFor.h"

namespace {

constexpr uint32_t kListColor = 0xCEDFF6;
constexpr int kIconPixels = 16; // the status pictures at scale 1

class ChannelUsersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_view = std::make_unique<NickListView>();
        m_view->SetContactTest([this](const std::string &nick) { return m_contacts.count(nick) > 0; });
        m_view->SetListColor(kListColor);
        m_view->resize(160, 240);
        m_view->SetNickList(&m_list);
    }

    void ShowView()
    {
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void AddMembers(std::initializer_list<const char *> texts)
    {
        for (const char *text : texts)
            m_list.AddNick(text);
    }

    QPoint CenterOf(int row) const { return m_view->visualRect(m_view->Model()->index(row)).center(); }
    QWidget *Viewport() const { return m_view->viewport(); }

    void MoveMouse(const QPoint &pos)
    {
        QTest::mouseMove(Viewport(), pos);
        QApplication::processEvents();
    }

    NickList m_list;
    std::set<std::string> m_contacts;
    std::unique_ptr<NickListView> m_view;
};

QColor Rgb(uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The darkest pixel of an area: the core of the glyph strokes drawn there.
QColor DarkestIn(const QImage &image, const QRect &area)
{
    QColor darkest = Qt::white;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() < darkest.lightness())
                darkest = c;
        }
    return darkest;
}

// The pixel of an area that differs most from its background: a glyph's core.
QColor FurthestFrom(const QImage &image, const QRect &area, const QColor &background)
{
    QColor furthest = background;
    int distance = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int d = std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
                + std::abs(c.blue() - background.blue());
            if (d > distance) {
                distance = d;
                furthest = c;
            }
        }
    return furthest;
}

bool AreaIsOneColour(const QImage &image, const QRect &area, const QColor &color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() != color.rgb())
                return false;
    return true;
}

int ColourDistance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

} // namespace

TEST_F(ChannelUsersTest, ModelFollowsTheCoreListRowByRow)
{
    AddMembers({"zed", "+amy", "@Carl", "%dan", "@bob"});
    NickListModel *model = m_view->Model();
    ASSERT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->index(0).data().toString(), "bob");
    EXPECT_EQ(model->index(2).data().toString(), "dan");
    EXPECT_EQ(model->index(2).data(NickListModel::EntryTextRole).toString(), "%dan");
    EXPECT_EQ(model->index(3).data(NickListModel::StatusRole).toInt(), '+');

    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    m_list.SetNickAway("amy", "AWAY");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 3);
    EXPECT_TRUE(model->index(3).data(NickListModel::AwayRole).toBool());

    m_list.RemoveNick("carl");
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->index(1).data().toString(), "dan");
}

TEST_F(ChannelUsersTest, TenThousandMembersArriveAsSingleRowInsertions)
{
    ShowView();
    std::vector<std::string> texts;
    for (int i = 0; i < 10000; ++i)
        texts.push_back((i % 9 == 0 ? "@n" : "n") + std::to_string(i));
    std::shuffle(texts.begin(), texts.end(), std::mt19937(7));

    NickListModel *model = m_view->Model();
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    QSignalSpy relaid(model, &QAbstractItemModel::layoutChanged);
    for (const std::string &text : texts)
        m_list.AddNick(text);
    QApplication::processEvents();

    EXPECT_EQ(inserted.count(), 10000);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(relaid.count(), 0);
    ASSERT_EQ(model->rowCount(), 10000);
    EXPECT_EQ(model->index(0).data(NickListModel::StatusRole).toInt(), '@');
    EXPECT_EQ(model->index(9999).data(NickListModel::StatusRole).toInt(), 0);
}

TEST_F(ChannelUsersTest, LeftClickSelectsTheMemberAndReturnsTheFocus)
{
    AddMembers({"@bob", "+amy", "zed"});
    ShowView();
    QSignalSpy focus(m_view.get(), &NickListView::focusToConversation);

    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CenterOf(1));
    EXPECT_EQ(m_list.SelectedNick(), "amy");
    EXPECT_EQ(focus.count(), 1);
    EXPECT_EQ(m_view->selectionModel()->selectedIndexes().value(0).row(), 1);

    // The core's own selection shows in the view too.
    m_list.SelectNick("zed");
    EXPECT_EQ(m_view->selectionModel()->selectedIndexes().value(0).row(), 2);
    // A member joining above the selection does not move it to someone else.
    m_list.AddNick("@aaa");
    EXPECT_EQ(m_view->selectionModel()->selectedIndexes().value(0).row(), 3);
    EXPECT_EQ(m_list.SelectedNick(), "zed");
}

TEST_F(ChannelUsersTest, DoubleClickAsksForAPrivateConversation)
{
    AddMembers({"@bob", "+amy"});
    ShowView();
    QSignalSpy commands(m_view.get(), &NickListView::commandRequested);

    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, CenterOf(1));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toString(), "/query amy");
    EXPECT_EQ(m_list.SelectedNick(), "amy");

    // Below the members nothing is current yet: nothing happens.
    m_list.SelectIndex(-1);
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, QPoint(40, 200));
    EXPECT_EQ(commands.count(), 1);
}

TEST_F(ChannelUsersTest, RightClickSelectsAndPopsUpTheUserMenuWithItsDefaultItem)
{
    AddMembers({"@bob", "+amy", "zed"});
    ShowView();
    UserMenu menu;
    m_view->SetUserMenu(&menu);
    QSignalSpy requested(m_view.get(), &NickListView::userMenuRequested);

    // Outside the members with nothing selected: no menu.
    QTest::mouseClick(Viewport(), Qt::RightButton, {}, QPoint(40, 200));
    EXPECT_EQ(requested.count(), 0);
    EXPECT_FALSE(menu.isVisible());

    QTest::mouseClick(Viewport(), Qt::RightButton, {}, CenterOf(2));
    EXPECT_EQ(m_list.SelectedNick(), "zed");
    ASSERT_EQ(requested.count(), 1);
    EXPECT_TRUE(WaitFor([&] { return menu.isVisible(); }, 5000));
    EXPECT_EQ(menu.defaultAction(), menu.Action(UserMenu::OpenQuery));

    menu.hide();
    EXPECT_EQ(menu.defaultAction(), nullptr);
}

TEST_F(ChannelUsersTest, TipTellsRolePresenceAndContact)
{
    AddMembers({"@bob", "+amy", "%dan", "zed"});
    m_list.SetNickAway("bob", "AWAY");
    m_contacts.insert("bob");
    ShowView();
    NickListToolTip *tip = m_view->Tip();

    MoveMouse(CenterOf(0)); // @bob, away, a contact
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->Title(), "bob");
    EXPECT_EQ(tip->Text(), QString::fromUtf8("Operátor\nNeprítomný\nKontakt"));

    MoveMouse(CenterOf(2)); // +amy, present: the words keep their commas
    EXPECT_EQ(tip->Title(), "amy");
    EXPECT_EQ(tip->Text(), QString::fromUtf8("Moderátor,\nPrítomný,"));

    MoveMouse(CenterOf(1)); // %dan
    EXPECT_EQ(tip->Title(), "dan");
    EXPECT_EQ(tip->Text(), QString::fromUtf8("Polo-Operátor\nPrítomný,"));

    MoveMouse(CenterOf(3)); // zed: no role line
    EXPECT_EQ(tip->Text(), QString::fromUtf8("Prítomný,"));

    MoveMouse(QPoint(40, 200)); // below the members
    EXPECT_FALSE(tip->isVisible());
    EXPECT_TRUE(tip->Title().isEmpty());
}

TEST(ChannelUsersTipText, WordsOfTheStatusString)
{
    EXPECT_EQ(NickListToolTip::TipText('+', false, false), "Moderátor,\nPrítomný,");
    EXPECT_EQ(NickListToolTip::TipText('?', true, true), "Neprítomný\nKontakt");
    EXPECT_EQ(NickListToolTip::TipText(0, false, true), "Prítomný,\nKontakt");
}

TEST_F(ChannelUsersTest, RemovingAMemberKeepsTheScrollPosition)
{
    for (int i = 0; i < 200; ++i)
        m_list.AddNick("member" + std::to_string(1000 + i));
    ShowView();
    QScrollBar *bar = m_view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 60);
    bar->setValue(50);
    QApplication::processEvents();
    const int before = bar->value();

    m_list.RemoveNick("member1010"); // above the visible members
    m_list.RemoveNick("member1190"); // below them
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), before);
}

TEST_F(ChannelUsersTest, DrawsSelectionAwayIconsAndTheListColourBelow)
{
    AddMembers({"@bob", "+amy", "zed", "walt"});
    m_list.SetNickAway("zed", "AWAY");
    m_list.SelectNick("amy");
    ShowView();

    const QImage image = m_view->viewport()->grab().toImage();
    const auto rectOf = [&](const char *nick) {
        int row = -1;
        m_list.FindNick(nick, &row);
        return m_view->visualRect(m_view->Model()->index(row));
    };
    const QRect bob = rectOf("bob");
    const QRect amy = rectOf("amy");
    const QRect zed = rectOf("zed");
    const QRect walt = rectOf("walt");
    EXPECT_EQ(bob.height(), NickListDelegate::kItemHeight);

    // Backgrounds: blue behind the selection, "Color List" elsewhere and below.
    EXPECT_EQ(image.pixelColor(bob.right() - 2, bob.top() + 1).rgb(), Rgb(kListColor).rgb());
    EXPECT_EQ(image.pixelColor(amy.right() - 2, amy.top() + 1).rgb(), QColor(0, 102, 204).rgb());
    EXPECT_TRUE(AreaIsOneColour(image, QRect(0, zed.bottom() + 1, image.width(), 30), Rgb(kListColor)));

    // Icons at the left edge: the operator has one, a plain present member none.
    const QRect iconArea(0, 0, NickListDelegate::kTextIndent - 2, NickListDelegate::kItemHeight);
    EXPECT_FALSE(AreaIsOneColour(image, iconArea.translated(bob.topLeft()), Rgb(kListColor)));
    EXPECT_TRUE(AreaIsOneColour(image, iconArea.translated(walt.topLeft()), Rgb(kListColor)));
    EXPECT_FALSE(AreaIsOneColour(image, iconArea.translated(zed.topLeft()), Rgb(kListColor)));

    // Text: the away member grey, the present one in the window-text colour.
    const QPalette palette = m_view->palette();
    const QRect textArea(NickListDelegate::kTextIndent, 0, 60, NickListDelegate::kItemHeight);
    const QColor zedText = DarkestIn(image, textArea.translated(zed.topLeft()));
    const QColor waltText = DarkestIn(image, textArea.translated(walt.topLeft()));
    EXPECT_LT(ColourDistance(zedText, palette.color(QPalette::Active, QPalette::Dark)), 60);
    EXPECT_LT(waltText.lightness(), 80); // glyph edges are smoothed: near black is black
    EXPECT_GT(ColourDistance(zedText, waltText), 200);
}

TEST_F(ChannelUsersTest, AnAwayMemberIsDrawnInTheSelectionColoursWhileSelected)
{
    AddMembers({"zed"});
    m_list.SetNickAway("zed", "AWAY");
    m_list.SelectNick("zed");
    ShowView();
    const QImage image = m_view->viewport()->grab().toImage();
    const QRect zed = m_view->visualRect(m_view->Model()->index(0));
    EXPECT_EQ(image.pixelColor(zed.right() - 2, zed.top() + 1).rgb(), QColor(0, 102, 204).rgb());
    // The strokes on the blue are in the highlight-text colour, not grey.
    const QRect textArea(zed.left() + NickListDelegate::kTextIndent, zed.top(), 60, zed.height());
    const QColor highlightText = m_view->palette().color(QPalette::Active, QPalette::HighlightedText);
    const QColor grey = m_view->palette().color(QPalette::Active, QPalette::Dark);
    const QColor stroke = FurthestFrom(image, textArea, QColor(0, 102, 204));
    EXPECT_LT(ColourDistance(stroke, highlightText), ColourDistance(stroke, grey));
}

// The bounding box of the pixels of an area that differ from a colour.
QRect PaintedIn(const QImage &image, const QRect &area, const QColor &background)
{
    QRect painted;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() != background.rgb())
                painted |= QRect(x, y, 1, 1);
    return painted;
}

// The largest difference of a colour channel between an area of an image and
// a picture laid over a colour.
int LargestDifference(const QImage &image, const QPoint &at, const QImage &picture, const QColor &background)
{
    QImage expected(picture.size(), QImage::Format_ARGB32);
    expected.fill(background);
    QImage pixels = picture;
    pixels.setDevicePixelRatio(1.0); // an @2x file reads as ratio 2: compare pixel for pixel
    QPainter painter(&expected);
    painter.drawImage(0, 0, pixels);
    painter.end();
    int largest = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QColor want = expected.pixelColor(x, y);
            const QColor got = image.pixelColor(at.x() + x, at.y() + y);
            largest = std::max({largest, std::abs(want.red() - got.red()), std::abs(want.green() - got.green()),
                                std::abs(want.blue() - got.blue())});
        }
    return largest;
}

TEST_F(ChannelUsersTest, StatusIconsKeepTheirSizeAndDetailOnAScreenOfScaleTwo)
{
    AddMembers({"@bob", "+amy"});
    ShowView();
    QPixmap canvas(m_view->viewport()->size() * 2);
    canvas.setDevicePixelRatio(2.0);
    m_view->viewport()->render(&canvas);
    const QImage image = canvas.toImage();

    const char *pictures[] = {":/icons/nicklist/operator@2x.png", ":/icons/nicklist/voice@2x.png"};
    for (int row : {0, 1}) {
        const QRect item = m_view->visualRect(m_view->Model()->index(row));
        const QRect iconArea(item.left() * 2, item.top() * 2, (NickListDelegate::kTextIndent - 2) * 2,
                             item.height() * 2);
        const QRect icon = PaintedIn(image, iconArea, Rgb(kListColor));
        ASSERT_FALSE(icon.isEmpty()) << row;
        EXPECT_LE(icon.width(), 2 * kIconPixels) << row;
        EXPECT_LE(icon.height(), 2 * kIconPixels) << row;
        EXPECT_GE(icon.width(), kIconPixels) << row << ": drawn at its size, not at half";

        // Pixel for pixel the picture drawn for this scale, not the small one stretched.
        const QImage picture(QString::fromLatin1(pictures[row]));
        ASSERT_EQ(picture.size(), QSize(2 * kIconPixels, 2 * kIconPixels)) << pictures[row];
        const QPoint at((item.left() + 2) * 2, (item.top() + (item.height() - kIconPixels) / 2) * 2);
        EXPECT_LE(LargestDifference(image, at, picture, Rgb(kListColor)), 3) << pictures[row];
    }
}

TEST_F(ChannelUsersTest, DetachedListShowsNothingAndClicksDoNothing)
{
    AddMembers({"bob"});
    ShowView();
    m_view->SetNickList(nullptr);
    EXPECT_EQ(m_view->Model()->rowCount(), 0);
    QSignalSpy commands(m_view.get(), &NickListView::commandRequested);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseClick(Viewport(), Qt::RightButton, {}, QPoint(30, 10));
    EXPECT_EQ(commands.count(), 0);
    // The list no longer reports to the view.
    m_list.AddNick("amy");
    EXPECT_EQ(m_view->Model()->rowCount(), 0);
}
