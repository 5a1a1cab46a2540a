// Icons the program paints itself, sharp on screens of any scale.
#pragma once

#include <QIcon>
#include <QSize>

#include <functional>

class QPainter;

// An icon of size device-independent pixels painted by draw in those units,
// once for each pixel ratio a screen is likely to have (1, 1.5, 2, 3), so
// that Qt picks a pixmap with as many pixels as the screen shows and never
// stretches a small one.
QIcon DrawnIcon(QSize size, const std::function<void(QPainter &)> &draw);
