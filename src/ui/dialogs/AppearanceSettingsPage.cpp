#include "dialogs/AppearanceSettingsPage.h"

#include "config/AppSettings.h"
#include "dialogs/ColourButton.h"
#include "dialogs/FontDialog.h"
#include "widgets/Utf8Text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ColourField
{
    uint32_t AppSettings::*member;
    StrText label;
};

// In the order of AppearanceSettingsPage::ColourIndex.
const ColourField kColourFields[] = {
    {&AppSettings::m_colorInfo, Str::InfoColourLabel}, {&AppSettings::m_colorText, Str::TextColourLabel},
    {&AppSettings::m_colorHigh, Str::HighColourLabel}, {&AppSettings::m_colorError, Str::ErrorColourLabel},
    {&AppSettings::m_colorTime, Str::TimeColourLabel}, {&AppSettings::m_colorList, Str::NickListColourLabel},
};

} // namespace

AppearanceSettingsPage::AppearanceSettingsPage(const AppSettings &settings, QWidget *parent)
    : QWidget(parent), m_face(settings.m_fontName), m_size(qBound(1, settings.m_fontSize, FontDialog::kMaximumSize))
{
    auto *colourGroup = new QGroupBox(FromStr(Str::ColoursGroup), this);
    auto *colourForm = new QFormLayout(colourGroup);
    for (size_t i = 0; i < m_colours.size(); ++i) {
        m_colours[i] = new ColourButton(settings.*kColourFields[i].member, colourGroup);
        colourForm->addRow(FromStr(kColourFields[i].label), m_colours[i]);
    }

    auto *fontGroup = new QGroupBox(FromStr(Str::FontTitle), this);
    m_fontButton = new QPushButton(FromStr(Str::ChangeFontButton), fontGroup);
    m_fontButton->setAutoDefault(false);
    m_sample = new QLabel(fontGroup);
    m_sample->setMinimumHeight(40);
    m_sample->setFrameShape(QFrame::StyledPanel);
    auto *fontLayout = new QVBoxLayout(fontGroup);
    fontLayout->addWidget(m_fontButton, 0, Qt::AlignLeft);
    fontLayout->addWidget(m_sample);
    connect(m_fontButton, &QPushButton::clicked, this, &AppearanceSettingsPage::ChooseFont);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(colourGroup);
    layout->addWidget(fontGroup);
    layout->addStretch(1);
    ShowSample();
}

void AppearanceSettingsPage::ChooseFont()
{
    FontDialog dialog(m_face, m_size, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_face = dialog.Face();
    m_size = dialog.Size();
    ShowSample();
}

void AppearanceSettingsPage::ShowSample()
{
    const QString face = FromUtf8(m_face);
    m_sample->setText(QStringLiteral("%1 %2").arg(face).arg(m_size));
    QFont font(face);
    font.setPointSize(qBound(1, m_size, FontDialog::kMaximumSize));
    m_sample->setFont(font);
}

void AppearanceSettingsPage::Apply(AppSettings &settings) const
{
    for (size_t i = 0; i < m_colours.size(); ++i)
        settings.*kColourFields[i].member = m_colours[i]->Colour();
    settings.m_fontName = m_face;
    settings.m_fontSize = m_size;
}
