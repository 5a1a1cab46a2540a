// The splitter between a channel window's text and its nick list.
#pragma once

#include <QWidget>

// The 5-pixel splitter between the text and the nick list of a channel
// window. Dragging it asks for a nick list as wide as the distance between
// the mouse and the right edge of the window it sits in, while the mouse moves.
class NickListSplitter : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 5;

    explicit NickListSplitter(QWidget *parent = nullptr);

signals:
    void widthRequested(int nickListWidth);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void RequestWidthAt(const QPoint &pos);

    bool m_dragging = false;
};
