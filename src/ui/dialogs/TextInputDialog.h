#pragma once

#include "text/Strings.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;

// Asks for one line of text under a caption and a prompt. The text field is
// an editable drop-down: it starts with the given text, or offers the
// caller's choices with the last one selected.
class TextInputDialog : public QDialog
{
    Q_OBJECT

public:
    TextInputDialog(const QString &caption, const QString &prompt, const QString &text, const QStringList &choices = {},
              QWidget *parent = nullptr);
    TextInputDialog(StrText caption, StrText prompt, const QString &text, const QStringList &choices = {},
              QWidget *parent = nullptr);

    QString Text() const;
    QComboBox *TextBox() const { return m_text; }
    QLabel *PromptLabel() const { return m_prompt; }

    // Runs the dialog: true with the typed text on OK; on Cancel false and
    // text unchanged.
    static bool Ask(QWidget *parent, const QString &caption, const QString &prompt, QString &text,
                    const QStringList &choices = {});

private:
    QLabel *m_prompt;
    QComboBox *m_text;
};
