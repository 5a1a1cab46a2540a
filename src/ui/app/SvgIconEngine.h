#pragma once

#include <QByteArray>
#include <QHash>
#include <QIconEngine>
#include <QPixmap>
#include <QString>

// An icon drawn from an SVG document at whatever size is asked for, so that
// it stays sharp at any scale factor, with an optional short label (a digit)
// drawn over its middle. Pixmaps are kept per size, mode and state once made.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QByteArray &svg, const QString &label = QString());

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    void Draw(QPainter &painter, const QRectF &rect, QIcon::Mode mode) const;

    QByteArray m_svg;
    QString m_label;
    bool m_valid = false;
    QHash<QString, QPixmap> m_pixmaps;
};
