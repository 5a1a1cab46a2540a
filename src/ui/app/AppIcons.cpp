#include "app/AppIcons.h"

#include "app/CommandIds.h"
#include "widgets/WhileAppRuns.h"

#include <QFont>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

// The drawing lives in a static library: its resource must be registered
// explicitly, or the linker drops it. Outside any namespace, as the macro needs.
static void RegisterApplicationPicture()
{
    Q_INIT_RESOURCE(ui_app);
}

namespace {

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

// A square button picture with a short sign on it.
QPixmap Sign(const QColor &colour, const QString &text)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker(160));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont font;
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 8 : 11);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
    return pixmap;
}

// The program's sign from its SVG drawing, at the sizes desktops ask for.
QIcon ApplicationIcon()
{
    RegisterApplicationPicture();
    QSvgRenderer renderer(QStringLiteral(":/icons/brimo.svg"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
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
        return QIcon(Sign(QColor(0x2E, 0x8B, 0x57), QStringLiteral("?")));
    case 3:
        return QIcon(Sign(QColor(0x80, 0x40, 0xA0), QStringLiteral("S")));
    case 4:
        return QIcon(Sign(QColor(0x40, 0x70, 0x90), QStringLiteral("H")));
    default:
        return QIcon(Bubble(16, QColor(0x1F, 0x5F, 0xBF), QString()));
    }
}

QIcon DrawCommand(int id)
{
    using namespace CommandId;
    struct Picture
    {
        int id;
        unsigned rgb;
        const char *text;
    };
    static const Picture pictures[] = {
        {Connect, 0x2E8B57, "»"},
        {Favourites, 0xDAA520, "★"},
        {ChannelSearch, 0x407090, "#"},
        {AddressBook, 0x8B5A2B, "@"},
        {AwayOn, 0x708090, "Z"},
        {AwayOff, 0x3CB371, "A"},
        {IgnoreList, 0xB22222, "⊘"},
        {Settings, 0x505050, "⚙"},
        {About, 0x1F5FBF, "i"},
        {EditUndo, 0x607080, "↶"},
        {EditRedo, 0x607080, "↷"},
        {EditCut, 0x607080, "✂"},
        {EditCopy, 0x607080, "C"},
        {EditPaste, 0x607080, "V"},
        {EditPasteSpecial, 0x607080, "V+"},
        {TextColourMenu, 0xC03030, "A"},
        {BackgroundColourMenu, 0x3030C0, "▇"},
        {Bold, 0x303030, "B"},
        {Underline, 0x303030, "U"},
        {Plain, 0x909090, "P"},
        {Inverse, 0x000000, "I"},
        {ChannelTopic, 0x2E8B57, "T"},
        {ChannelBans, 0xB22222, "⊘"},
        {ChannelAddFavourite, 0xDAA520, "★"},
        {ChannelProperties, 0x407090, "≡"},
        {UserMessageFirst, 0x8040A0, "1"},
        {UserMessageFirst + 1, 0x8040A0, "2"},
        {UserMessageFirst + 2, 0x8040A0, "3"},
        {UserMessageFirst + 3, 0x8040A0, "4"},
        {UserMessageFirst + 4, 0x8040A0, "5"},
    };
    for (const Picture &picture : pictures)
        if (picture.id == id)
            return QIcon(Sign(QColor::fromRgb(picture.rgb), QString::fromUtf8(picture.text)));
    return QIcon();
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
    painter.drawText(QRect(58, 44, 92, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("IRC klient"));
    return pixmap;
}

} // namespace AppIcons
