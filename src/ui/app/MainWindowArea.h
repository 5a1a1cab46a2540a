#pragma once

#include <QMdiArea>
#include <QPixmap>

// The client area of the main window: the child windows over a plain
// background with the program's logo near the bottom right corner.
class MainWindowArea : public QMdiArea
{
    Q_OBJECT

public:
    explicit MainWindowArea(QWidget *parent = nullptr);

    // Where the logo goes: 170 pixels left of the right edge and 90 above the
    // bottom of an area of this size.
    static QPoint LogoPosition(const QSize &area);

    // Windows > Cascade: the child windows that are neither hidden nor
    // minimised are restored and laid one title bar below and right of the
    // other, in their stacking order, each as large as the area leaves room
    // for and never smaller than a usable size the area can hold; when the
    // steps run out they start again at the top left corner. Every window
    // stays wholly inside the area.
    void Cascade();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int CascadeStep(const QMdiSubWindow *window) const;

    QPixmap m_logo;
};
