#include "dialogs/AppearanceSettingsPage.h"

#include "config/AppSettings.h"
#include "config/Config.h"
#include "dialogs/ColourButton.h"
#include "dialogs/FontDialog.h"
#include "widgets/Utf8Text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ColourKey
{
    const char *key;
    const char *label;
};

// In the order of AppearanceSettingsPage::ColourIndex.
const ColourKey kColourKeys[] = {
    {"Color Info", "&Informácie:"}, {"Color Text", "&Text:"}, {"Color High", "Zvýraz&nené:"},
    {"Color Error", "&Chyby:"},     {"Color Time", "Č&as:"},  {"Color List", "Z&oznam prezývok:"},
};

} // namespace

AppearanceSettingsPage::AppearanceSettingsPage(const AppSettings &settings, QWidget *parent)
    : QWidget(parent), m_face(settings.m_fontName), m_size(qBound(1, settings.m_fontSize, FontDialog::kMaximumSize))
{
    const uint32_t colours[] = {settings.m_colorInfo,  settings.m_colorText, settings.m_colorHigh,
                                settings.m_colorError, settings.m_colorTime, settings.m_colorList};
    auto *colourGroup = new QGroupBox(QStringLiteral("Farby"), this);
    auto *colourForm = new QFormLayout(colourGroup);
    for (size_t i = 0; i < m_colours.size(); ++i) {
        m_colours[i] = new ColourButton(colours[i], colourGroup);
        colourForm->addRow(FromUtf8(kColourKeys[i].label), m_colours[i]);
    }

    auto *fontGroup = new QGroupBox(QStringLiteral("Písmo"), this);
    m_fontButton = new QPushButton(QStringLiteral("Zmeniť &písmo ..."), fontGroup);
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

bool AppearanceSettingsPage::Write()
{
    bool ok = true;
    for (size_t i = 0; i < m_colours.size(); ++i)
        ok = WriteColour(kBaseSection, kColourKeys[i].key, m_colours[i]->Colour()) && ok;
    ok = WriteString(kBaseSection, "Font", m_face) && ok;
    return WriteInt(kBaseSection, "Font Size", m_size) && ok;
}
