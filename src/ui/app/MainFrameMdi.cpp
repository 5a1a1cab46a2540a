#include "app/MainFrameMdi.h"

#include "app/AppIcons.h"

#include <QPainter>

CMainFrameMdi::CMainFrameMdi(QWidget *parent)
    : QMdiArea(parent)
    , m_logo(AppIcons::Logo())
{
    setBackground(QColor(0x80, 0x80, 0x80));
    setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
}

QPoint CMainFrameMdi::LogoPosition(const QSize &area)
{
    return QPoint(area.width() - 170, area.height() - 90);
}

void CMainFrameMdi::paintEvent(QPaintEvent *event)
{
    QMdiArea::paintEvent(event);
    QPainter painter(viewport());
    painter.drawPixmap(LogoPosition(viewport()->size()), m_logo);
}
