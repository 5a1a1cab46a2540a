#include "app/SvgIconEngine.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

namespace {

// Disabled pictures are the same drawing, faded as the style fades text.
constexpr qreal kDisabledOpacity = 0.4;

} // namespace

SvgIconEngine::SvgIconEngine(const QByteArray &svg, const QString &label)
    : m_svg(svg), m_label(label), m_valid(QSvgRenderer(svg).isValid())
{}

void SvgIconEngine::Draw(QPainter &painter, const QRectF &rect, QIcon::Mode mode) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (mode == QIcon::Disabled)
        painter.setOpacity(kDisabledOpacity);
    QSvgRenderer renderer(m_svg);
    renderer.render(&painter, rect);
    if (!m_label.isEmpty()) {
        QFont font = QGuiApplication::font();
        font.setBold(true);
        font.setPixelSize(qMax(6, qRound(rect.height() * 0.5)));
        painter.setFont(font);
        painter.setPen(QGuiApplication::palette().color(QPalette::WindowText));
        // The upper part of the drawing: speech bubbles have their tail below.
        const QRectF upper(rect.left(), rect.top(), rect.width(), rect.height() * 0.8);
        painter.drawText(upper, Qt::AlignCenter, m_label);
    }
    painter.restore();
}

void SvgIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State)
{
    Draw(*painter, rect, mode);
}

QPixmap SvgIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const QString cacheKey = QStringLiteral("%1x%2-%3-%4").arg(size.width()).arg(size.height()).arg(mode).arg(state);
    auto found = m_pixmaps.constFind(cacheKey);
    if (found != m_pixmaps.constEnd())
        return *found;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    if (m_valid && !size.isEmpty()) {
        QPainter painter(&pixmap);
        Draw(painter, QRectF(QPointF(0, 0), size), mode);
    }
    m_pixmaps.insert(cacheKey, pixmap);
    return pixmap;
}

QIconEngine *SvgIconEngine::clone() const
{
    return new SvgIconEngine(m_svg, m_label);
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("brimo-svg");
}

bool SvgIconEngine::isNull()
{
    return !m_valid;
}
