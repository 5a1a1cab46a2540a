#include "dialogs/BanExpiryDialog.h"

#include "dialogs/MinutesBox.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

BanExpiryDialog::BanExpiryDialog(int minutes, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(FromStr(Str::BanChangeTitle));
    m_minutes = CreateMinutesBox(minutes, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &BanExpiryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BanExpiryDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(FromStr(Str::MinutesLabel), m_minutes);
    form->addRow(buttons);
    m_minutes->setFocus();
    m_minutes->selectAll();
}

int BanExpiryDialog::Minutes() const
{
    return m_minutes->value();
}
