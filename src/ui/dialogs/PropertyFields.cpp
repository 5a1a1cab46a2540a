#include "dialogs/PropertyFields.h"

#include <QLineEdit>

QLineEdit *ReadOnlyField(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

void ShowInField(QLineEdit *field, const std::string &text)
{
    field->setText(QString::fromStdString(text));
    field->setCursorPosition(0);
}
