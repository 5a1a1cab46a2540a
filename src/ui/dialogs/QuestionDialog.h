#pragma once

#include "conversation/Question.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The modeless question about an incoming request: a private-message request
// or a DCC chat or file offer. Its buttons accept, decline or ignore the
// sender; the application carries the answer out. About a server certificate
// the buttons accept it once, refuse it or accept it always.
class QuestionDialog : public QDialog
{
    Q_OBJECT

public:
    enum Result { Accepted = 1, Declined = 2, Ignored = 3, AcceptedAlways = 4 };

    explicit QuestionDialog(const Question &question, QWidget *parent = nullptr);

    const Question &GetQuestion() const { return m_question; }
    QString QuestionText() const;
    QPushButton *AcceptButton() const { return m_accept; }
    QPushButton *DeclineButton() const { return m_decline; }
    // "Ignore", or "accept always" for a certificate.
    QPushButton *ThirdButton() const { return m_ignore; }

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
