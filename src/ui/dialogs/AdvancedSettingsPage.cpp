#include "dialogs/AdvancedSettingsPage.h"

#include "config/AppSettings.h"
#include "config/Config.h"
#include "dialogs/ColourButton.h"
#include "platform/SpellDictionary.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int kDescriptionRole = Qt::UserRole;

QString Text(StrText text)
{
    return FromUtf8(Strings::Get(text));
}

struct Sound
{
    const char *name;
    int value; // "Beep Baloon"
};

const Sound kSounds[] = {{"None", 0}, {"Hand", 16}, {"Question", 32}, {"Exclamation", 48}, {"Asterisk", 64}};

} // namespace

AdvancedSettingsPage::AdvancedSettingsPage(const AppSettings &settings, QWidget *parent) : QWidget(parent)
{
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({FromStr(Str::SettingColumn), FromStr(Str::ValueColumn)});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(true);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_description = new QLabel(this);
    m_description->setWordWrap(true);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setMinimumHeight(40);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setTextFormat(Qt::PlainText);

    QTreeWidgetItem *basic = AddGroup(Str::BasicGroup, Str::BasicGroupHelp);
    m_beepOnMessage = AddCheck(basic, Str::BeepOnMessage, Str::BeepOnMessageHelp, settings.m_beepOnMessage);
    m_identServer = AddCheck(basic, Str::IdentServer, Str::IdentServerHelp, settings.m_identServer);

    QTreeWidgetItem *tray = AddGroup(Str::TrayGroup, Str::TrayGroupHelp);
    m_enableTray = AddCheck(tray, Str::EnableTray, Str::EnableTrayHelp, settings.m_enableTray);
    m_showBalloon = AddCheck(tray, Str::ShowBalloon, Str::ShowBalloonHelp, settings.m_showBalloon);
    m_balloonSound = AddBalloonSound(Item(Text(Str::ShowBalloon)), settings.m_balloonSound);

    QTreeWidgetItem *messages = AddGroup(Str::MessagesGroup, Str::MessagesGroupHelp);
    m_quitMessage = AddText(messages, Text(Str::QuitMessage), Str::QuitMessageHelp, settings.m_quitMessage);
    m_partMessage = AddText(messages, Text(Str::PartMessage), Str::PartMessageHelp, settings.m_partMessage);
    m_joinMessage = AddText(messages, Text(Str::JoinMessage), Str::JoinMessageHelp, settings.m_joinMessage);
    for (size_t i = 0; i < m_userTexts.size(); ++i)
        m_userTexts[i] = AddText(messages, FromUtf8(Strings::Format(Str::UserText, int(i + 1))), Str::UserTextHelp,
                                 settings.m_userTexts[i]);
    m_highlighting = AddCheck(messages, Str::Highlighting, Str::HighlightingHelp, settings.m_highlighting);
    QTreeWidgetItem *highlighting = Item(Text(Str::Highlighting));
    m_myText = AddColour(highlighting, Str::MyTextColour, Str::MyTextColourHelp, settings.m_colorMyText);
    m_hiText = AddColour(highlighting, Str::HiTextColour, Str::HiTextColourHelp, settings.m_colorHiText);
    m_abText = AddColour(highlighting, Str::ContactColour, Str::ContactColourHelp, settings.m_colorABText);
    m_highlightWords =
        AddText(highlighting, Text(Str::HighlightWords), Str::HighlightWordsHelp, settings.m_highlightWords);
    m_noticesToWindow = AddCheck(messages, Str::NoticesToWindow, Str::NoticesToWindowHelp, settings.m_noticesToWindow);
    AddLogGroup(settings);
    AddSendingGroup(settings);

    m_tree->expandAll();
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) { ShowDescription(item); });
    m_tree->setCurrentItem(m_tree->topLevelItem(0));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_description);
}

QTreeWidgetItem *AdvancedSettingsPage::AddGroup(StrText caption, StrText help)
{
    auto *item = new QTreeWidgetItem(m_tree, {Text(caption)});
    item->setData(0, kDescriptionRole, Text(help));
    QFont font = item->font(0);
    font.setBold(true);
    item->setFont(0, font);
    item->setFirstColumnSpanned(true);
    return item;
}

QTreeWidgetItem *AdvancedSettingsPage::AddItem(QTreeWidgetItem *parent, const QString &caption, StrText help,
                                               QWidget *editor)
{
    auto *item = new QTreeWidgetItem(parent, {caption});
    item->setData(0, kDescriptionRole, Text(help));
    m_tree->setItemWidget(item, 1, editor);
    // A click into the control makes its row the current one, for its description.
    editor->installEventFilter(this);
    return item;
}

QCheckBox *AdvancedSettingsPage::AddCheck(QTreeWidgetItem *parent, StrText caption, StrText help, bool value)
{
    auto *box = new QCheckBox;
    box->setChecked(value);
    AddItem(parent, Text(caption), help, box);
    return box;
}

QLineEdit *AdvancedSettingsPage::AddText(QTreeWidgetItem *parent, const QString &caption, StrText help,
                                         const std::string &value)
{
    auto *edit = new QLineEdit(FromUtf8(value));
    edit->setCursorPosition(0);
    AddItem(parent, caption, help, edit);
    return edit;
}

ColourButton *AdvancedSettingsPage::AddColour(QTreeWidgetItem *parent, StrText caption, StrText help, uint32_t colour)
{
    auto *button = new ColourButton(colour);
    button->setMaximumWidth(80);
    AddItem(parent, Text(caption), help, button);
    return button;
}

QComboBox *AdvancedSettingsPage::AddBalloonSound(QTreeWidgetItem *parent, int sound)
{
    auto *box = new QComboBox;
    for (const Sound &choice : kSounds) {
        box->addItem(FromUtf8(choice.name), choice.value);
        if (choice.value == sound)
            box->setCurrentIndex(box->count() - 1);
    }
    AddItem(parent, Text(Str::BalloonSound), Str::BalloonSoundHelp, box);
    return box;
}

void AdvancedSettingsPage::AddLogGroup(const AppSettings &settings)
{
    QTreeWidgetItem *logs = AddGroup(Str::LogGroup, Str::LogGroupHelp);
    m_logging = AddCheck(logs, Str::LogEnabled, Str::LogEnabledHelp, settings.m_logging);
    m_logFolder = new QLineEdit(FromUtf8(settings.m_logFolder));
    m_logFolder->setPlaceholderText(FromUtf8(DefaultLogDirectory()));
    m_logFolder->setCursorPosition(0);
    AddItem(logs, Text(Str::LogFolder), Str::LogFolderHelp, m_logFolder);
    m_logReplayLines = new QSpinBox;
    m_logReplayLines->setRange(0, 10000);
    m_logReplayLines->setValue(settings.m_logReplayLines);
    m_logReplayLines->setMaximumWidth(100);
    AddItem(logs, Text(Str::LogReplayLines), Str::LogReplayLinesHelp, m_logReplayLines);
}

void AdvancedSettingsPage::AddSendingGroup(const AppSettings &settings)
{
    QTreeWidgetItem *sending = AddGroup(Str::SendingGroup, Str::SendingGroupHelp);
    m_sendInterval = new QDoubleSpinBox;
    m_sendInterval->setRange(0, 60);
    m_sendInterval->setDecimals(1);
    m_sendInterval->setSingleStep(0.5);
    m_sendInterval->setValue(settings.m_sendIntervalMs / 1000.0);
    m_sendInterval->setMaximumWidth(100);
    AddItem(sending, Text(Str::SendInterval), Str::SendIntervalHelp, m_sendInterval);
    m_spellCheck = AddCheck(sending, Str::SpellCheck, Str::SpellCheckHelp, settings.m_spellCheck);
    m_spellLanguage = new QComboBox;
    for (const std::string &name : SpellDictionary::Installed())
        m_spellLanguage->addItem(FromUtf8(name), FromUtf8(name));
    if (m_spellLanguage->count() == 0) {
        m_spellLanguage->addItem(Text(Str::SpellNoDictionary), FromUtf8(settings.m_spellLanguage));
        m_spellLanguage->setEnabled(false);
    }
    const int chosen = m_spellLanguage->findData(FromUtf8(settings.m_spellLanguage));
    m_spellLanguage->setCurrentIndex(chosen >= 0 ? chosen : 0);
    AddItem(Item(Text(Str::SpellCheck)), Text(Str::SpellLanguage), Str::SpellLanguageHelp, m_spellLanguage);
}

QTreeWidgetItem *AdvancedSettingsPage::Item(const QString &caption) const
{
    const QList<QTreeWidgetItem *> found = m_tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive, 0);
    return found.isEmpty() ? nullptr : found.front();
}

QWidget *AdvancedSettingsPage::Editor(const QString &caption) const
{
    QTreeWidgetItem *item = Item(caption);
    return item ? m_tree->itemWidget(item, 1) : nullptr;
}

bool AdvancedSettingsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
            if (m_tree->itemWidget(*it, 1) == watched) {
                m_tree->setCurrentItem(*it);
                break;
            }
    return QWidget::eventFilter(watched, event);
}

void AdvancedSettingsPage::ShowDescription(QTreeWidgetItem *item)
{
    m_description->setText(item ? item->data(0, kDescriptionRole).toString() : QString());
}

void AdvancedSettingsPage::Apply(AppSettings &settings) const
{
    settings.m_beepOnMessage = m_beepOnMessage->isChecked();
    settings.m_identServer = m_identServer->isChecked();
    settings.m_hideMinimized = true;
    settings.m_enableTray = m_enableTray->isChecked();
    settings.m_showBalloon = m_showBalloon->isChecked();
    settings.m_balloonSound = m_balloonSound->currentData().toInt();
    settings.m_quitMessage = m_quitMessage->text().toStdString();
    settings.m_partMessage = m_partMessage->text().toStdString();
    settings.m_joinMessage = m_joinMessage->text().toStdString();
    for (size_t i = 0; i < m_userTexts.size(); ++i)
        settings.m_userTexts[i] = m_userTexts[i]->text().toStdString();
    settings.m_highlighting = m_highlighting->isChecked();
    settings.m_colorMyText = m_myText->Colour();
    settings.m_colorHiText = m_hiText->Colour();
    settings.m_highlightWords = m_highlightWords->text().toStdString();
    settings.m_colorABText = m_abText->Colour();
    settings.m_noticesToWindow = m_noticesToWindow->isChecked();
    settings.m_logging = m_logging->isChecked();
    settings.m_logFolder = m_logFolder->text().trimmed().toStdString();
    settings.m_logReplayLines = m_logReplayLines->value();
    settings.m_sendIntervalMs = static_cast<int>(m_sendInterval->value() * 1000 + 0.5);
    settings.m_spellCheck = m_spellCheck->isChecked();
    settings.m_spellLanguage = m_spellLanguage->currentData().toString().toStdString();
}
