// The pictures and tool tips of the main window's bars and menus, and the
// application's own icon.
#include "AppFixture.h"
#include "support/IconInk.h"

#include "app/AppIcons.h"
#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "text/Strings.h"

#include <QAction>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

QList<QAction *> Buttons(QToolBar *bar)
{
    QList<QAction *> buttons = bar->actions();
    buttons.removeIf([](QAction *action) { return action->isSeparator(); });
    return buttons;
}

// Every command item of a menu and of its submenus.
void CollectItems(QMenu *menu, QList<QAction *> &items)
{
    for (QAction *action : menu->actions()) {
        if (action->menu())
            CollectItems(action->menu(), items);
        else if (!action->isSeparator())
            items << action;
    }
}

QString ReadResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

using BarsLookTest = AppFixture;

TEST_F(BarsLookTest, EveryButtonOfTheMainBarsShowsAPictureAndSaysWhatItDoes)
{
    ASSERT_TRUE(StartApp());
    const QString noDescription = QString::fromUtf8(Strings::Get(Str::NoDescriptionTip));
    QHash<int, QAction *> buttons;
    for (QToolBar *bar : {Frame()->ToolsBar(), Frame()->EditBar()}) {
        for (QAction *button : Buttons(bar)) {
            const int id = button->data().toInt();
            buttons.insert(id, button);
            // A missing or unreadable drawing leaves the button empty.
            EXPECT_FALSE(button->icon().isNull()) << id;
            EXPECT_GT(IconInk(button->icon(), 16), 16) << id;
            EXPECT_GT(IconInk(button->icon(), 44), 44) << id;
            EXPECT_GT(IconInk(button->icon(), 16, QIcon::Disabled), 16) << id;
            const QString tip = button->toolTip();
            EXPECT_FALSE(tip.trimmed().isEmpty()) << id;
            EXPECT_NE(tip, noDescription) << id;
            EXPECT_FALSE(tip.contains(QLatin1Char('&')) || tip.contains(QLatin1Char('\t'))) << tip.toStdString();
        }
    }
    EXPECT_EQ(buttons.size(), 9 + 12);
    EXPECT_EQ(buttons.value(CommandId::AddressBook)->toolTip(), QString::fromUtf8("Adresár ..."));
    EXPECT_EQ(buttons.value(CommandId::EditCopy)->toolTip(), QString::fromUtf8("Kopírovať"));
    EXPECT_EQ(buttons.value(CommandId::Connect)->toolTip(), QString::fromUtf8(Strings::Get(Str::ConnectTip)));

    // The menus show the same picture beside the same command.
    QList<QAction *> items;
    for (QAction *top : Frame()->menuBar()->actions())
        if (top->menu())
            CollectItems(top->menu(), items);
    int sharedWithBars = 0, withPicture = 0;
    for (QAction *item : items) {
        const int id = item->data().toInt();
        if (!item->icon().isNull()) {
            ++withPicture;
            EXPECT_GT(IconInk(item->icon(), 16), 16) << id;
        }
        if (QAction *button = buttons.value(id)) {
            ++sharedWithBars;
            EXPECT_EQ(item->icon().cacheKey(), button->icon().cacheKey()) << id;
        }
    }
    EXPECT_EQ(sharedWithBars, 8 + 12); // all but the connect button, whose menu is the servers' list
    EXPECT_GE(withPicture, 50);
    for (int id : std::initializer_list<int>{CommandId::UserWhois, CommandId::UserOp, CommandId::ChannelTopic,
                                             CommandId::Help, CommandId::ScriptRun, CommandId::WindowTile})
        EXPECT_FALSE(Frame()->Action(id)->icon().isNull()) << id;
}

TEST_F(BarsLookTest, ThemePicturesOfTheWindowBarAndTheThemeLicenceAreBundled)
{
    // Help, script and search windows.
    for (int image : {2, 3, 4})
        EXPECT_GT(IconInk(AppIcons::WindowImage(image), 16), 16) << image;
    EXPECT_TRUE(ReadResource(QStringLiteral(":/icons/breeze/COPYING")).contains(QStringLiteral("License: LGPL-3")));
    EXPECT_TRUE(ReadResource(QStringLiteral(":/icons/breeze/LGPL-3"))
                    .contains(QStringLiteral("GNU LESSER GENERAL PUBLIC LICENSE")));
}

// Desktops ask for the icon from 16 pixels to 256 and, at a scale factor of
// 2, twice that: each size is drawn at its own size, not scaled from another.
TEST_F(BarsLookTest, ApplicationIconIsDrawnAtEverySizeAskedFor)
{
    const QIcon icon = AppIcons::Application();
    for (int size : {16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256, 512}) {
        EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).size(), QSize(size, size)) << size;
        EXPECT_GT(IconInk(icon, size), size * size / 3) << size;
    }
}
