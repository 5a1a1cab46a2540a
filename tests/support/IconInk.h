#pragma once

// Header only: it needs QtGui, which the tests of the core do not link.

#include <QIcon>
#include <QImage>

// How many pixels of an icon drawn at size by size pixels are not fully
// transparent: zero for a picture that is missing or cannot be drawn.
inline int IconInk(const QIcon &icon, int size, QIcon::Mode mode = QIcon::Normal)
{
    const QImage image = icon.pixmap(QSize(size, size), 1.0, mode).toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qAlpha(image.pixel(x, y)) > 0;
    return ink;
}
