#include "dialogs/IgnoreEntryDialog.h"

#include "dialogs/MinutesBox.h"
#include "session/IgnoreList.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

IgnoreEntryDialog::IgnoreEntryDialog(int flags, int minutes, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(FromStr(Str::IgnoreChangeTitle));
    m_channelText = new QCheckBox(FromStr(Str::IgnoreChannelText), this);
    m_privateText = new QCheckBox(FromStr(Str::IgnorePrivateText), this);
    m_direct = new QCheckBox(FromStr(Str::IgnoreDirect), this);
    m_channelText->setChecked(flags & IgnoreList::ChannelText);
    m_privateText->setChecked(flags & IgnoreList::PrivateText);
    m_direct->setChecked(flags & IgnoreList::Ctcp);
    m_minutes = CreateMinutesBox(minutes, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &IgnoreEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &IgnoreEntryDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(new QLabel(FromStr(Str::IgnoreWhatLabel), this));
    form->addRow(m_channelText);
    form->addRow(m_privateText);
    form->addRow(m_direct);
    form->addRow(FromStr(Str::MinutesLabel), m_minutes);
    form->addRow(buttons);
    m_channelText->setFocus();
}

int IgnoreEntryDialog::Flags() const
{
    return (m_channelText->isChecked() ? IgnoreList::ChannelText : 0)
        | (m_privateText->isChecked() ? IgnoreList::PrivateText : 0) | (m_direct->isChecked() ? IgnoreList::Ctcp : 0);
}

int IgnoreEntryDialog::Minutes() const
{
    return m_minutes->value();
}
