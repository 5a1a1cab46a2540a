#pragma once

#include "shell/Question.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The modeless question about an incoming request: a private-message request
// or a DCC chat or file offer. Its buttons accept, decline or ignore the
// sender; the application carries the answer out.
class CDlgQuestion : public QDialog
{
    Q_OBJECT

public:
    enum Result { Accepted = 1, Declined = 2, Ignored = 3 };

    explicit CDlgQuestion(const Question &question, QWidget *parent = nullptr);

    const Question &GetQuestion() const { return m_question; }
    QString QuestionText() const;
    QPushButton *AcceptButton() const { return m_accept; }
    QPushButton *DeclineButton() const { return m_decline; }

signals:
    void answered(int result);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Answer(int result);

    Question m_question;
    QLabel *m_text;
    QPushButton *m_accept;
    QPushButton *m_decline;
    QPushButton *m_ignore;
    bool m_centred = false;
};
