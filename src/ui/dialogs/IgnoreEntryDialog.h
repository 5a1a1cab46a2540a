#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

// The kinds of traffic one ignore entry drops and how many minutes it lasts
// (0: always). No kind ticked means everything.
class IgnoreEntryDialog : public QDialog
{
    Q_OBJECT

public:
    IgnoreEntryDialog(int flags, int minutes, QWidget *parent = nullptr);

    int Flags() const;
    int Minutes() const;

    QCheckBox *ChannelTextBox() const { return m_channelText; }
    QCheckBox *PrivateTextBox() const { return m_privateText; }
    QCheckBox *DirectBox() const { return m_direct; }
    QSpinBox *MinutesBox() const { return m_minutes; }

private:
    QCheckBox *m_channelText;
    QCheckBox *m_privateText;
    QCheckBox *m_direct;
    QSpinBox *m_minutes;
};
