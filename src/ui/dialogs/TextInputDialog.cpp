#include "dialogs/TextInputDialog.h"

#include "widgets/Utf8Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TextInputDialog::TextInputDialog(const QString &caption, const QString &prompt, const QString &text, const QStringList &choices,
                     QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    QString promptText = prompt;
    promptText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_prompt = new QLabel(promptText, this);
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setWordWrap(true);
    m_text = new QComboBox(this);
    m_text->setEditable(true);
    m_text->setInsertPolicy(QComboBox::NoInsert);
    m_text->addItems(choices);
    if (choices.isEmpty())
        m_text->setEditText(text);
    else
        m_text->setCurrentIndex(static_cast<int>(choices.size()) - 1);
    m_prompt->setBuddy(m_text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TextInputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TextInputDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    m_text->setFocus();
    m_text->lineEdit()->selectAll();
    setMinimumWidth(360);
}

TextInputDialog::TextInputDialog(StrText caption, StrText prompt, const QString &text, const QStringList &choices, QWidget *parent)
    : TextInputDialog(FromStr(caption), FromStr(prompt), text, choices, parent)
{}

QString TextInputDialog::Text() const
{
    return m_text->currentText();
}

bool TextInputDialog::Ask(QWidget *parent, const QString &caption, const QString &prompt, QString &text,
                    const QStringList &choices)
{
    TextInputDialog dialog(caption, prompt, text, choices, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = dialog.Text();
    return true;
}
