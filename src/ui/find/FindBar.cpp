#include "find/FindBar.h"

#include "view/TextView.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace {

// The field of a search that finds nothing.
const QColor kNothingFoundColour(255, 200, 200);

QToolButton *ArrowButton(Qt::ArrowType arrow, StrText tip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(FromStr(tip));
    return button;
}

} // namespace

FindBar::FindBar(TextView *view, QWidget *parent)
    : QWidget(parent)
    , m_finder(view)
    , m_field(new QLineEdit(this))
    , m_count(new QLabel(this))
    , m_previous(ArrowButton(Qt::UpArrow, Str::FindPreviousTip, this))
    , m_next(ArrowButton(Qt::DownArrow, Str::FindNextTip, this))
    , m_case(new QCheckBox(FromStr(Str::FindCaseSensitive), this))
    , m_word(new QCheckBox(FromStr(Str::FindWholeWord), this))
    , m_expression(new QCheckBox(FromStr(Str::FindRegularExpression), this))
    , m_close(new QToolButton(this))
{
    setAutoFillBackground(true);
    m_field->setPlaceholderText(FromStr(Str::FindPlaceholder));
    m_field->setClearButtonEnabled(true);
    m_field->setMinimumWidth(160);
    m_field->installEventFilter(this);
    m_count->setTextFormat(Qt::PlainText);
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("00000 z 00000")));
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    m_close->setAutoRaise(true);
    m_close->setToolTip(FromStr(Str::FindCloseTip));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addSpacing(6);
    layout->addWidget(m_case);
    layout->addWidget(m_word);
    layout->addWidget(m_expression);
    layout->addWidget(m_close);

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &FindBar::search);
    connect(m_field, &QLineEdit::textChanged, &m_typingPause, qOverload<>(&QTimer::start));
    for (QCheckBox *box : {m_case, m_word, m_expression})
        connect(box, &QCheckBox::toggled, this, &FindBar::search);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::FindPrevious);
    connect(m_next, &QToolButton::clicked, this, &FindBar::FindNext);
    connect(m_close, &QToolButton::clicked, this, &FindBar::Close);
    connect(&m_finder, &ViewFinder::hitsChanged, this, &FindBar::showCount);
    hide();
}

void FindBar::Open(const QString &text)
{
    if (!text.isEmpty())
        m_field->setText(text);
    const bool wasHidden = isHidden();
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
    // The marks went with the bar: a bar shown again marks what its field holds.
    if (wasHidden || m_finder.Pattern().Text() != m_field->text())
        search();
}

void FindBar::Close()
{
    m_typingPause.stop();
    m_finder.Stop();
    // Told before the bar hides, so that the owner can hand the keyboard on:
    // hidden with it, the bar would pass it to the next widget as Tab does.
    emit closed();
    hide();
}

void FindBar::FindNext()
{
    if (!searchIfWaiting())
        m_finder.Next();
}

void FindBar::FindPrevious()
{
    if (!searchIfWaiting())
        m_finder.Previous();
}

bool FindBar::searchIfWaiting()
{
    if (!m_typingPause.isActive() && m_finder.Pattern().Text() == m_field->text())
        return false;
    search();
    return true;
}

FindOptions FindBar::options() const
{
    FindOptions options;
    options.m_caseSensitive = m_case->isChecked();
    options.m_wholeWord = m_word->isChecked();
    options.m_regularExpression = m_expression->isChecked();
    return options;
}

void FindBar::search()
{
    m_typingPause.stop();
    m_finder.SetPattern(FindPattern(m_field->text(), options()));
    showCount();
}

void FindBar::showCount()
{
    const FindPattern &pattern = m_finder.Pattern();
    bool nothing = false;
    if (pattern.IsEmpty()) {
        m_count->clear();
    } else if (!pattern.IsValid()) {
        m_count->setText(FromUtf8(Strings::Format(Str::FindBadExpression, pattern.ErrorOffset())));
        nothing = true;
    } else {
        m_count->setText(FromUtf8(Strings::Format(Str::FindCount, m_finder.CurrentNumber(), m_finder.Count())));
        nothing = m_finder.Count() == 0;
    }
    QPalette colours = palette();
    if (nothing)
        colours.setColor(QPalette::Base, kNothingFoundColour);
    m_field->setPalette(colours);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool back = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F3:
            back ? FindPrevious() : FindNext();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}
