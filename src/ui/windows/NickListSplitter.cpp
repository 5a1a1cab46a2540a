#include "windows/NickListSplitter.h"

#include <QMouseEvent>

NickListSplitter::NickListSplitter(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SizeHorCursor);
    setFixedWidth(kWidth);
}

void NickListSplitter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    event->accept();
}

void NickListSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        RequestWidthAt(event->position().toPoint());
    event->accept();
}

void NickListSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        RequestWidthAt(event->position().toPoint());
        m_dragging = false;
    }
    event->accept();
}

void NickListSplitter::RequestWidthAt(const QPoint &pos)
{
    QWidget *window = parentWidget();
    if (!window)
        return;
    emit widthRequested(window->width() - mapToParent(pos).x());
}
