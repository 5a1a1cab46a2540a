#include "nicklist/NickListToolTip.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include "text/Strings.h"
#include "text/Words.h"

namespace {

constexpr int kTipOffset = 16; // below and right of the mouse pointer, clear of the cursor

} // namespace

NickListToolTip::NickListToolTip(QWidget *parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_icon(new QLabel(this))
    , m_title(new QLabel(this))
    , m_text(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);

    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(iconSize));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setTextFormat(Qt::PlainText);
    m_text->setTextFormat(Qt::PlainText);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_text, 1, 1);
}

std::string NickListToolTip::TipText(char status, bool away, bool contact)
{
    const char *words = Strings::Get(Str::NickStatusWords);
    std::string text;
    int roleWord = 0;
    if (status == '@')
        roleWord = 2;
    else if (status == '%')
        roleWord = 3;
    else if (status == '+')
        roleWord = 4;
    if (roleWord != 0)
        text += GetWord(words, roleWord) + "\n";
    text += GetWord(words, away ? 6 : 5);
    if (contact)
        text += "\n" + GetWord(words, 7);
    return text;
}

void NickListToolTip::ShowTip(const QPoint &globalPos, const QString &title, const QString &text)
{
    const bool changed = title != m_title->text() || text != m_text->text();
    m_title->setText(title);
    m_text->setText(text);
    if (changed || !isVisible()) {
        adjustSize();
        QPoint at = globalPos + QPoint(kTipOffset, kTipOffset);
        if (const QScreen *screen = QApplication::screenAt(globalPos)) {
            const QRect area = screen->availableGeometry();
            at.setX(qMin(at.x(), area.right() - width()));
            at.setY(qMin(at.y(), area.bottom() - height()));
        }
        move(at);
    }
    show();
    raise();
}

void NickListToolTip::ClearTip()
{
    m_title->clear();
    m_text->clear();
    hide();
}

QString NickListToolTip::Title() const
{
    return m_title->text();
}

QString NickListToolTip::Text() const
{
    return m_text->text();
}
