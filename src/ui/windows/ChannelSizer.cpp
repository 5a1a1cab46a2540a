#include "windows/ChannelSizer.h"

#include <QMouseEvent>

CChannelSizer::CChannelSizer(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SizeHorCursor);
    setFixedWidth(kWidth);
}

void CChannelSizer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    event->accept();
}

void CChannelSizer::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        RequestWidthAt(event->position().toPoint());
    event->accept();
}

void CChannelSizer::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        RequestWidthAt(event->position().toPoint());
        m_dragging = false;
    }
    event->accept();
}

void CChannelSizer::RequestWidthAt(const QPoint &pos)
{
    QWidget *window = parentWidget();
    if (!window)
        return;
    emit widthRequested(window->width() - mapToParent(pos).x());
}
