// The description panel of the command pop-up.
#pragma once

#include <QWidget>

// The description panel of the command pop-up: over a background picture the
// selected command's name, its description (word-wrapped) and, for a script
// command, the "skript" mark.
class CommandPopupPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr QRgb kTitleColor = 0x0044AA;  // RGB 0, 68, 170
    static constexpr QRgb kTextColor = 0x8C8C8C;   // RGB 140, 140, 140
    static constexpr QRgb kScriptColor = 0xF09600; // RGB 240, 150, 0

    explicit CommandPopupPanel(QWidget *parent = nullptr);

    void SetContent(const QString &title, const QString &text, bool scriptMark);
    QString Title() const { return m_title; }
    QString Text() const { return m_text; }
    bool ShowsScriptMark() const { return m_scriptMark; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int kMargin = 10;
    static constexpr int kTextIndent = 5; // the text sits a little right of the title

    void PaintBackground(QPainter &painter);

    QString m_title;
    QString m_text;
    bool m_scriptMark = false;
};
