#include "widgets/OnScreen.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

qint64 Overlap(const QRect &a, const QRect &b)
{
    const QRect shared = a.intersected(b);
    return shared.isEmpty() ? 0 : qint64(shared.width()) * shared.height();
}

} // namespace

QRect OnScreen(const QRect &place, const QList<QRect> &screens)
{
    if (screens.isEmpty() || place.isEmpty())
        return place;
    QRect screen = screens.front();
    qint64 best = 0;
    for (const QRect &candidate : screens) {
        if (candidate.contains(place))
            return place;
        const qint64 overlap = Overlap(place, candidate);
        if (overlap > best) {
            best = overlap;
            screen = candidate;
        }
    }
    const QSize size = place.size().boundedTo(screen.size());
    const int left = std::clamp(place.left(), screen.left(), screen.left() + screen.width() - size.width());
    const int top = std::clamp(place.top(), screen.top(), screen.top() + screen.height() - size.height());
    return QRect(QPoint(left, top), size);
}

QList<QRect> AvailableScreens()
{
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    return screens;
}
