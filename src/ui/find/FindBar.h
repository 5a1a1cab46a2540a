// The find bar of a conversation window: finds and marks text in its view.
#pragma once

#include "find/ViewFinder.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TextView;

// A strip with the text to find, its options (case, whole word, regular
// expression), the count of hits ("3 z 17"), buttons to the previous and
// next hit and a close button. Typing searches (a moment after the last key,
// so that a long scroll-back is searched once); Enter and F3 go to the next
// hit, Shift+Enter and Shift+F3 to the previous; Esc closes. Without hits
// the field turns red; a regular expression that does not compile says where.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    // How long typing may pause before the search starts.
    static constexpr int kTypingPauseMs = 150;

    explicit FindBar(TextView *view, QWidget *parent = nullptr);

    // Shows the bar with the keyboard in its field, the text selected.
    // A non-empty text replaces what the field holds.
    void Open(const QString &text = QString());
    // Takes the marks away, emits closed and hides the bar.
    void Close();
    // The next or previous hit (a search still waiting runs first and its
    // hit counts as the one gone to).
    void FindNext();
    void FindPrevious();

    QLineEdit *Field() const { return m_field; }
    QLabel *CountLabel() const { return m_count; }
    QCheckBox *CaseBox() const { return m_case; }
    QCheckBox *WordBox() const { return m_word; }
    QCheckBox *ExpressionBox() const { return m_expression; }
    const ViewFinder &Finder() const { return m_finder; }

signals:
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void search();
    bool searchIfWaiting();
    void showCount();
    FindOptions options() const;

    ViewFinder m_finder;
    QLineEdit *m_field;
    QLabel *m_count;
    QToolButton *m_previous;
    QToolButton *m_next;
    QCheckBox *m_case;
    QCheckBox *m_word;
    QCheckBox *m_expression;
    QToolButton *m_close;
    QTimer m_typingPause;
};
