#include "dialogs/QuestionDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "widgets/Utf8Text.h"

QuestionDialog::QuestionDialog(const Question &question, QWidget *parent)
    : QDialog(parent)
    , m_question(question)
    , m_text(new QLabel(this))
    , m_accept(new QPushButton(FromStr(Str::AcceptButton), this))
    , m_decline(new QPushButton(FromStr(Str::DeclineButton), this))
    , m_ignore(new QPushButton(FromStr(Str::IgnoreButton), this))
{
    setModal(false);
    setWindowTitle(QString::fromStdString(question.Caption()));
    m_text->setText(QString::fromStdString(question.Text()));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMinimumWidth(320);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_accept);
    buttons->addWidget(m_decline);
    buttons->addWidget(m_ignore);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    m_accept->setDefault(true);

    connect(m_accept, &QPushButton::clicked, this, [this] { Answer(Accepted); });
    connect(m_decline, &QPushButton::clicked, this, [this] { Answer(Declined); });
    if (question.kind == Question::Certificate) {
        m_accept->setText(FromStr(Str::AcceptOnceButton));
        m_ignore->setText(FromStr(Str::AcceptAlwaysButton));
        // Refusing is the safe choice Enter should make.
        m_accept->setDefault(false);
        m_decline->setDefault(true);
    }
    if (question.NeedsConfirmation()) {
        // The offer points where it should not: Enter must not take it.
        m_accept->setDefault(false);
        m_decline->setDefault(true);
    }
    const int third = question.kind == Question::Certificate ? AcceptedAlways : Ignored;
    connect(m_ignore, &QPushButton::clicked, this, [this, third] { Answer(third); });
}

QString QuestionDialog::QuestionText() const
{
    return m_text->text();
}

void QuestionDialog::Answer(int result)
{
    emit answered(result);
}

void QuestionDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_centred || !parentWidget())
        return;
    m_centred = true;
    const QRect owner = parentWidget()->frameGeometry();
    move(owner.center() - rect().center());
}
