#pragma once

#include <QWidget>

class QPlainTextEdit;

// The debug log window "Brimo - Debug": a read-only text of every line the
// program writes to its debug log, kept scrolled to the end. A top-level
// window; closing it destroys it.
class DebugLogWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DebugLogWindow(QWidget *parent = nullptr);

    // Adds text as given (CR LF pairs are line breaks) and scrolls to the end.
    void AddText(const QString &text);
    QString Text() const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QPlainTextEdit *m_edit;
};
