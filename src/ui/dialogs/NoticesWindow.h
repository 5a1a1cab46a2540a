#pragma once

#include <QDialog>

#include <string>

class QTextEdit;

// The notices window: a modeless window of the main window that collects
// lines (notices when "Notice Msgs To Wnd" is on, WHOIS replies when asked).
// Closing it hides it and forgets its text.
class NoticesWindow : public QDialog
{
    Q_OBJECT

public:
    explicit NoticesWindow(QWidget *owner);

    // Shows the window (centred on its owner when it was hidden) and appends
    // one line of ready HTML in the font face, keeping the end in view.
    void AppendLine(const std::string &html, const QString &fontFace);

    QTextEdit *View() const { return m_text; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void HideAndClear();
    void CentreOnOwner();

    QTextEdit *m_text;
};
