// The tool tip of the nick list: a member's role and presence.
#pragma once

#include <QFrame>

#include <string>

class QLabel;

// The tool tip of the nick list: the member's nick as its title beside the
// information icon, and below it the member's role and presence.
class NickListToolTip : public QFrame
{
    Q_OBJECT

public:
    explicit NickListToolTip(QWidget *parent = nullptr);

    // The text for a member with the given status character ('@', '%', '+'
    // or anything else), presence and address-book membership, taken word by
    // word from Str::NickStatusWords.
    static std::string TipText(char status, bool away, bool contact);

    // Shows the tip with its title and text near a point of the screen.
    void ShowTip(const QPoint &globalPos, const QString &title, const QString &text);
    // Empties the tip and hides it.
    void ClearTip();

    QString Title() const;
    QString Text() const;

private:
    QLabel *m_icon;
    QLabel *m_title;
    QLabel *m_text;
};
