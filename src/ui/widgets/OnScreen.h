#pragma once

#include <QList>
#include <QRect>

// Where a window saved at place goes among the screens there are now (their
// available rectangles, the primary one first): on the screen it overlaps
// most, or on the primary one when it overlaps none (its screen was
// unplugged), moved and if need be shrunk until it lies wholly on that
// screen. A place that lies on a screen already stays as it is.
QRect OnScreen(const QRect &place, const QList<QRect> &screens);

// The available rectangles of the screens the application has, the primary first.
QList<QRect> AvailableScreens();
