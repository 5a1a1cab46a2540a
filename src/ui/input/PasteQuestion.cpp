#include "input/PasteQuestion.h"

#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QMessageBox>
#include <QPushButton>

PasteQuestion::Answer PasteQuestion::Ask(QWidget *parent, int lines)
{
    QMessageBox box(QMessageBox::Question, FromStr(Str::PasteTitle), FromUtf8(Strings::Format(Str::PastePrompt, lines)),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *send = box.addButton(FromUtf8(Strings::Format(Str::PasteSendLines, lines)), QMessageBox::AcceptRole);
    QPushButton *join = box.addButton(FromStr(Str::PasteJoinLines), QMessageBox::ActionRole);
    QPushButton *cancel = box.addButton(FromStr(Str::PasteCancel), QMessageBox::RejectRole);
    box.setDefaultButton(join);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == send)
        return Answer::SendLines;
    if (box.clickedButton() == join)
        return Answer::JoinLines;
    return Answer::Cancel;
}
