#include "dialogs/NoticesWindow.h"

#include "widgets/Utf8Text.h"

#include <QCloseEvent>
#include <QFont>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

NoticesWindow::NoticesWindow(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(FromStr(Str::NoticesTitle));
    setModal(false);
    m_text = new QTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setAcceptRichText(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_text);
    resize(480, 240);
}

void NoticesWindow::AppendLine(const std::string &html, const QString &fontFace)
{
    if (isHidden()) {
        CentreOnOwner();
        show();
    }
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    if (!m_text->document()->isEmpty())
        cursor.insertBlock();
    // The lines carry colours and styles of their own, but no font.
    QFont font = m_text->document()->defaultFont();
    font.setFamilies({fontFace});
    m_text->document()->setDefaultFont(font);
    cursor.insertHtml(FromUtf8(html));
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
}

void NoticesWindow::CentreOnOwner()
{
    const QWidget *owner = parentWidget();
    if (!owner)
        return;
    const QRect frame = owner->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}

void NoticesWindow::reject()
{
    HideAndClear();
}

void NoticesWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    HideAndClear();
}

void NoticesWindow::HideAndClear()
{
    hide();
    m_text->clear();
}
