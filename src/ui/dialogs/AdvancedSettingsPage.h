#pragma once

#include "text/Strings.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

struct AppSettings;
class ColourButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

// The fourth page of the settings sheet: a tree of groups and items (switches,
// texts, the balloon sound, three colours, the logs, the pace of sending and
// the spell checking), each with a caption and a
// description shown below the tree for the current item.
class AdvancedSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit AdvancedSettingsPage(const AppSettings &settings, QWidget *parent = nullptr);

    // Puts the page's values into the settings record; "Hide Minimized" is
    // always on.
    void Apply(AppSettings &settings) const;

    QTreeWidget *Tree() const { return m_tree; }
    QLabel *Description() const { return m_description; }
    // The item with this caption and the control in its value column (null
    // for a group).
    QTreeWidgetItem *Item(const QString &caption) const;
    QWidget *Editor(const QString &caption) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidgetItem *AddGroup(StrText caption, StrText help);
    QTreeWidgetItem *AddItem(QTreeWidgetItem *parent, const QString &caption, StrText help, QWidget *editor);
    QCheckBox *AddCheck(QTreeWidgetItem *parent, StrText caption, StrText help, bool value);
    QLineEdit *AddText(QTreeWidgetItem *parent, const QString &caption, StrText help, const std::string &value);
    ColourButton *AddColour(QTreeWidgetItem *parent, StrText caption, StrText help, uint32_t colour);
    QComboBox *AddBalloonSound(QTreeWidgetItem *parent, int sound);
    void AddLogGroup(const AppSettings &settings);
    void AddSendingGroup(const AppSettings &settings);
    void ShowDescription(QTreeWidgetItem *item);

    QTreeWidget *m_tree = nullptr;
    QLabel *m_description = nullptr;
    QCheckBox *m_beepOnMessage = nullptr;
    QCheckBox *m_identServer = nullptr;
    QCheckBox *m_enableTray = nullptr;
    QCheckBox *m_showBalloon = nullptr;
    QComboBox *m_balloonSound = nullptr;
    QLineEdit *m_quitMessage = nullptr;
    QLineEdit *m_partMessage = nullptr;
    QLineEdit *m_joinMessage = nullptr;
    std::array<QLineEdit *, 5> m_userTexts{};
    QCheckBox *m_highlighting = nullptr;
    ColourButton *m_myText = nullptr;
    ColourButton *m_hiText = nullptr;
    QLineEdit *m_highlightWords = nullptr;
    ColourButton *m_abText = nullptr;
    QCheckBox *m_noticesToWindow = nullptr;
    QCheckBox *m_logging = nullptr;
    QLineEdit *m_logFolder = nullptr;
    QSpinBox *m_logReplayLines = nullptr;
    QDoubleSpinBox *m_sendInterval = nullptr; // seconds
    QCheckBox *m_spellCheck = nullptr;
    QComboBox *m_spellLanguage = nullptr;
};
