#include "app/DebugLogWindow.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

DebugLogWindow::DebugLogWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_edit(new QPlainTextEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Brimo - Debug"));
    m_edit->setReadOnly(true);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    resize(640, 360);
    AddText(QStringLiteral("Debug start ...\r\n"));
}

void DebugLogWindow::AddText(const QString &text)
{
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    QTextCursor cursor(m_edit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(plain);
    m_edit->verticalScrollBar()->setValue(m_edit->verticalScrollBar()->maximum());
}

QString DebugLogWindow::Text() const
{
    return m_edit->toPlainText();
}

void DebugLogWindow::closeEvent(QCloseEvent *event)
{
    emit closed();
    QWidget::closeEvent(event);
}
