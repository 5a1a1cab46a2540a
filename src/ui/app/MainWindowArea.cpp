#include "app/MainWindowArea.h"

#include "app/AppIcons.h"
#include "windows/ChildWindow.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace {

// The size of each of `count` cascaded windows stepped by `step` pixels.
QSize CascadeSize(const QSize &area, int count, int step)
{
    const int shift = (count - 1) * step;
    const QSize usable = ChildWindow::kUsableSize.boundedTo(area);
    return QSize(area.width() - shift, area.height() - shift).expandedTo(usable);
}

} // namespace

MainWindowArea::MainWindowArea(QWidget *parent) : QMdiArea(parent), m_logo(AppIcons::Logo())
{
    setBackground(QColor(0x80, 0x80, 0x80));
    setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
}

QPoint MainWindowArea::LogoPosition(const QSize &area)
{
    return QPoint(area.width() - 170, area.height() - 90);
}

// QMdiArea's own cascade gives each window its size hint, which for a
// conversation window is a sliver of a title bar.
void MainWindowArea::Cascade()
{
    QList<QMdiSubWindow *> windows = subWindowList(QMdiArea::StackingOrder);
    windows.removeIf([](const QMdiSubWindow *window) { return window->isHidden() || window->isMinimized(); });
    if (windows.isEmpty())
        return;
    QMdiSubWindow *active = activeSubWindow();
    const QSize area = viewport()->size();
    const int step = CascadeStep(windows.constFirst());
    const QSize size = CascadeSize(area, windows.size(), step);
    const int places = qMax(1, qMin(area.width() - size.width(), area.height() - size.height()) / step + 1);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        if (window->isMaximized())
            window->showNormal();
        const int offset = (i % places) * step;
        window->setGeometry(offset, offset, size.width(), size.height());
        window->raise();
    }
    if (active)
        setActiveSubWindow(active);
}

int MainWindowArea::CascadeStep(const QMdiSubWindow *window) const
{
    QStyleOptionTitleBar option;
    option.initFrom(window);
    return qMax(1, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
}

void MainWindowArea::paintEvent(QPaintEvent *event)
{
    QMdiArea::paintEvent(event);
    QPainter painter(viewport());
    painter.drawPixmap(LogoPosition(viewport()->size()), m_logo);
}
