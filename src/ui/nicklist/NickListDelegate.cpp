#include "nicklist/NickListDelegate.h"

#include <QHash>
#include <QIcon>
#include <QLineF>
#include <QPainter>

#include "nicklist/NickListModel.h"

#include <algorithm>

// The icons live in a static library: their resource must be registered
// explicitly, or the linker drops it. Outside any namespace, as the macro needs.
static void RegisterNickListResources()
{
    Q_INIT_RESOURCE(ui_nicklist);
}

NickListDelegate::NickListDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
    static const bool registered = [] {
        RegisterNickListResources();
        return true;
    }();
    (void)registered;
}

QPixmap NickListDelegate::StatusIcon(const char *name, qreal devicePixelRatio)
{
    static QHash<QString, QIcon> icons;
    const QString key = QLatin1String(name);
    auto found = icons.find(key);
    if (found == icons.end()) {
        QIcon icon;
        icon.addFile(QStringLiteral(":/icons/nicklist/%1.png").arg(key));
        icon.addFile(QStringLiteral(":/icons/nicklist/%1@2x.png").arg(key));
        found = icons.insert(key, icon);
    }
    return found->pixmap(QSize(kIconSize, kIconSize), devicePixelRatio);
}

QColor NickListDelegate::TextColor(const QPalette &palette, bool selected, bool away) const
{
    if (selected)
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    if (away)
        return palette.color(QPalette::Active, QPalette::Dark); // the button-shadow colour
    return palette.color(QPalette::Active, QPalette::WindowText);
}

QColor NickListDelegate::BackgroundColor(bool selected) const
{
    return selected ? SelectionColor() : m_listColor;
}

void NickListDelegate::PaintIcons(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    const int status = index.data(NickListModel::StatusRole).toInt();
    const char *layers[5] = {};
    int count = 0;
    if (status == '@')
        layers[count++] = "operator";
    if (status == '+')
        layers[count++] = "voice";
    if (status == '%')
        layers[count++] = "halfop";
    if (index.data(NickListModel::ContactRole).toBool())
        layers[count++] = "contact";
    if (index.data(NickListModel::AwayRole).toBool())
        layers[count++] = "away";

    // A pixmap with as many pixels as the target shows, drawn at the icon's
    // size. The painter's scale holds the screen's ratio also when a widget is
    // rendered into a pixmap of its own ratio.
    const qreal ratio = std::max(painter->device()->devicePixelRatioF(),
                                 QLineF(painter->deviceTransform().map(QLineF(0, 0, 1, 0))).length());
    for (int i = 0; i < count; ++i) {
        const QPixmap icon = StatusIcon(layers[i], ratio);
        const QSize size = icon.deviceIndependentSize().toSize();
        const QPoint at(rect.left() + 2, rect.top() + (rect.height() - size.height()) / 2);
        painter->drawPixmap(at, icon);
    }
}

void NickListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const bool away = index.data(NickListModel::AwayRole).toBool();

    painter->save();
    painter->fillRect(option.rect, BackgroundColor(selected));
    PaintIcons(painter, option.rect, index);

    const QRect textRect = option.rect.adjusted(kTextIndent, 0, 0, 0);
    const QString nick = index.data(Qt::DisplayRole).toString();
    painter->setFont(option.font);
    painter->setPen(TextColor(option.palette, selected, away));
    const QString shown = option.fontMetrics.elidedText(nick, Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter->restore();
}

QSize NickListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width() > 0 ? option.rect.width() : kTextIndent, kItemHeight);
}
