#pragma once

#include <QMdiArea>
#include <QPixmap>

// The client area of the main window: the child windows over a plain
// background with the program's logo near the bottom right corner.
class CMainFrameMdi : public QMdiArea
{
    Q_OBJECT

public:
    explicit CMainFrameMdi(QWidget *parent = nullptr);

    // Where the logo goes: 170 pixels left of the right edge and 90 above the
    // bottom of an area of this size.
    static QPoint LogoPosition(const QSize &area);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_logo;
};
