#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

// Presses a dialog's own OK (or Close/Cancel) button the way a user does.
inline void PressButton(QDialog *dialog, QDialogButtonBox::StandardButton which)
{
    auto *box = dialog->findChild<QDialogButtonBox *>();
    if (box && box->button(which))
        QTest::mouseClick(box->button(which), Qt::LeftButton);
}

// The newest visible child dialog of type T of a parent.
template <typename T>
T *OpenChild(QWidget *parent)
{
    T *found = nullptr;
    for (T *child : parent->findChildren<T *>()) {
        if (child->isVisible())
            found = child;
    }
    return found;
}
