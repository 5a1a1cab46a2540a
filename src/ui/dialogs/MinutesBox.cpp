#include "dialogs/MinutesBox.h"

#include <QSpinBox>

namespace {

constexpr int kMostMinutes = 10 * 366 * 24 * 60;

} // namespace

QSpinBox *CreateMinutesBox(int minutes, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, kMostMinutes);
    box->setValue(minutes);
    box->setAlignment(Qt::AlignRight);
    return box;
}
