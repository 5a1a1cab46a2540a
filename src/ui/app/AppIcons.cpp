#include "app/AppIcons.h"

#include "app/CommandIds.h"
#include "app/SvgIconEngine.h"
#include "widgets/Utf8Text.h"
#include "widgets/WhileAppRuns.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

// The drawing lives in a static library: its resource must be registered
// explicitly, or the linker drops it. Outside any namespace, as the macro needs.
static void RegisterPictures()
{
    Q_INIT_RESOURCE(ui_app);
    Q_INIT_RESOURCE(ui_icons);
}

namespace {

QByteArray ReadResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The drawing of a picture of the icon theme, in the colour of the text: the
// theme draws in one dark grey, which a dark colour scheme would hide.
QByteArray ThemeDrawing(const char *name)
{
    RegisterPictures();
    QByteArray svg = ReadResource(QStringLiteral(":/icons/breeze/%1.svg").arg(QLatin1String(name)));
    const QByteArray text = QGuiApplication::palette().color(QPalette::WindowText).name().toLatin1();
    return svg.replace(QByteArrayLiteral("#232629"), text);
}

QIcon ThemeIcon(const char *name)
{
    return QIcon(new SvgIconEngine(ThemeDrawing(name)));
}

// A speech bubble, the program's sign, in the given colour.
QPixmap Bubble(int size, const QColor &colour, const QString &letter)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath path;
    path.addRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.66), s * 0.18, s * 0.18);
    QPainterPath tail;
    tail.moveTo(s * 0.25, s * 0.66);
    tail.lineTo(s * 0.20, s * 0.95);
    tail.lineTo(s * 0.48, s * 0.68);
    path = path.united(tail);
    QLinearGradient gradient(0, 0, 0, s);
    gradient.setColorAt(0, colour.lighter(140));
    gradient.setColorAt(1, colour);
    painter.setBrush(gradient);
    painter.setPen(QPen(colour.darker(150), s / 16.0));
    painter.drawPath(path);
    QFont font;
    font.setBold(true);
    font.setPixelSize(qMax(6, int(s * 0.5)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, s * 0.04, s, s * 0.68), Qt::AlignCenter, letter);
    return pixmap;
}

// The program's sign, drawn from its SVG at whatever size the desktop asks for.
QIcon ApplicationIcon()
{
    RegisterPictures();
    return QIcon(new SvgIconEngine(ReadResource(QStringLiteral(":/icons/brimo.svg"))));
}

// Pictures are drawn once and shared: every window's tool bar shows the same
// ones, and the window bar asks for its pair again at every blink. Keys are
// command numbers; the pictures that are not commands have negative keys.
template <typename Draw>
QIcon Drawn(int key, Draw draw)
{
    auto &drawn = WhileAppRuns<QHash<int, QIcon>>();
    auto found = drawn.constFind(key);
    if (found == drawn.constEnd())
        found = drawn.insert(key, draw());
    return *found;
}

constexpr int kApplicationKey = -1;
constexpr int kTrayBlinkKey = -2;
constexpr int kWindowImageKey = -100; // minus the index

QIcon BubbleIcon(const QColor &colour, const QString &letter)
{
    QIcon icon;
    for (int size : {16, 22, 32, 48})
        icon.addPixmap(Bubble(size, colour, letter));
    return icon;
}

QIcon DrawWindowImage(int index)
{
    switch (index) {
    case 1:
        return QIcon(Bubble(16, QColor(0xE0, 0x70, 0x10), QStringLiteral("!")));
    case 2:
        return ThemeIcon("help-contents");
    case 3:
        return ThemeIcon("text-x-script");
    case 4:
        return ThemeIcon("edit-find");
    default:
        return QIcon(Bubble(16, QColor(0x1F, 0x5F, 0xBF), QString()));
    }
}

// The picture of each command, by its name in the icon theme. A command of a
// tool bar shows the same picture beside its menu items.
const char *CommandIconName(int id)
{
    using namespace CommandId;
    struct Picture
    {
        int id;
        const char *name;
    };
    static const Picture pictures[] = {
        // Pripojiť
        {Connect, "network-connect"},
        {Reconnect, "view-refresh"},
        {Favourites, "bookmarks"},
        {ChannelSearch, "edit-find"},
        {FindEverywhere, "edit-find"},
        {SearchJoin, "irc-channel-active"},
        {SearchAddFavourite, "bookmark-new"},
        {SearchShowUsers, "system-users"},
        {SearchSendMessage, "mail-send"},
        {SearchSaveList, "document-save-as"},
        {AddressBook, "address-book-new"},
        {IgnoreList, "view-hidden"},
        {AwayOn, "im-user-away"},
        {AwayOff, "im-user-online"},
        {Settings, "configure"},
        {Exit, "application-exit"},
        // Úpravy
        {EditUndo, "edit-undo"},
        {EditRedo, "edit-redo"},
        {EditCut, "edit-cut"},
        {EditCopy, "edit-copy"},
        {EditPaste, "edit-paste"},
        {EditPasteSpecial, "edit-paste-as"},
        {TextColourMenu, "format-text-color"},
        {BackgroundColourMenu, "format-fill-color"},
        {Bold, "format-text-bold"},
        {Underline, "format-text-underline"},
        {Plain, "edit-clear-all"},
        {Inverse, "color-mode-invert-text"},
        {FindInWindow, "edit-find"},
        // Zobraziť
        {ViewSource, "format-text-code"},
        {ViewSaveAs, "document-save-as"},
        // Kanál
        {ChannelTopic, "draw-text"},
        {ChannelBans, "mail-thread-ignored"},
        {ChannelRefresh, "view-refresh"},
        {ChannelAddFavourite, "bookmark-new"},
        {ChannelProperties, "document-properties"},
        {ChannelSearchHere, "edit-find"},
        {LoadScript, "document-import"},
        // Užívateľ
        {UserQuery, "dialog-messages"},
        {UserWhois, "im-user"},
        {UserProperties, "document-properties"},
        {UserAddContact, "list-add-user"},
        {UserDccChat, "call-start"},
        {UserDccSend, "document-send"},
        {UserOp, "irc-operator"},
        {UserDeop, "irc-remove-operator"},
        {UserVoice, "irc-voice"},
        {UserDevoice, "irc-unvoice"},
        {UserKick, "im-kick-user"},
        {UserKickReason, "im-kick-user"},
        {UserBan, "mail-thread-ignored"},
        {UserBanKick, "im-ban-kick-user"},
        {UserBanKickReason, "im-ban-kick-user"},
        {UserIgnore, "view-hidden"},
        // Okná
        {WindowCascade, "window-duplicate"},
        {WindowTile, "view-split-left-right"},
        {NextWindow, "go-next"},
        {Mentions, "dialog-messages"},
        {Transfers, "document-send"},
        {PreviousWindow, "go-previous"},
        // Skript
        {NewScript, "document-new"},
        {OpenScript, "document-open"},
        {ScriptSave, "document-save"},
        {ScriptSaveAs, "document-save-as"},
        {ScriptClose, "document-close"},
        {ScriptParse, "tools-check-spelling"},
        {ScriptRun, "media-playback-start"},
        // Pomocník
        {Help, "help-contents"},
        {DonationPage, "help-donate"},
        {About, "help-about"},
    };
    for (const Picture &picture : pictures)
        if (picture.id == id)
            return picture.name;
    return nullptr;
}

QIcon DrawCommand(int id)
{
    // The five user messages of a channel: a speech bubble with the number.
    const int userMessage = id - CommandId::UserMessageFirst;
    if (userMessage >= 0 && userMessage < 5)
        return QIcon(new SvgIconEngine(ThemeDrawing("dialog-messages"), QString::number(userMessage + 1)));
    const char *name = CommandIconName(id);
    return name ? ThemeIcon(name) : QIcon();
}

} // namespace

namespace AppIcons {

QIcon Application()
{
    return Drawn(kApplicationKey, [] { return ApplicationIcon(); });
}

QIcon TrayBlink()
{
    return Drawn(kTrayBlinkKey, [] { return BubbleIcon(QColor(0xE0, 0x70, 0x10), QStringLiteral("!")); });
}

QIcon WindowImage(int index)
{
    return Drawn(kWindowImageKey - index, [index] { return DrawWindowImage(index); });
}

QIcon Command(int id)
{
    return Drawn(id, [id] { return DrawCommand(id); });
}

QPixmap Logo()
{
    QPixmap pixmap(150, 70);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(4, 11, Bubble(48, QColor(0x1F, 0x5F, 0xBF), QStringLiteral("B")));
    QFont font;
    font.setBold(true);
    font.setPixelSize(26);
    painter.setFont(font);
    painter.setPen(QColor(0xF0, 0xF4, 0xFA));
    painter.drawText(QRect(56, 8, 94, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Brimo"));
    font.setBold(false);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(QRect(58, 44, 92, 18), Qt::AlignLeft | Qt::AlignVCenter, FromStr(Str::AppTagline));
    return pixmap;
}

} // namespace AppIcons
