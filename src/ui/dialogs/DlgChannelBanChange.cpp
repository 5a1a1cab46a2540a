#include "dialogs/DlgChannelBanChange.h"

#include "dialogs/MinutesBox.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

CDlgChannelBanChange::CDlgChannelBanChange(int minutes, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(FromStr(Str::BanChangeTitle));
    m_minutes = CreateMinutesBox(minutes, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgChannelBanChange::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgChannelBanChange::reject);
    auto *form = new QFormLayout(this);
    form->addRow(FromStr(Str::MinutesLabel), m_minutes);
    form->addRow(buttons);
    m_minutes->setFocus();
    m_minutes->selectAll();
}

int CDlgChannelBanChange::Minutes() const
{
    return m_minutes->value();
}
