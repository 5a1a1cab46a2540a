// ScriptRunOnDialog: where the script editor runs a script.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class SessionTable;

// Asks where to run the edited script: one drop-down list of every session
// and each of its conversation windows, the previous choice preselected.
class ScriptRunOnDialog : public QDialog
{
    Q_OBJECT

public:
    struct Target
    {
        std::string sessionKey;
        std::string window; // the window's name (the session key for its status window)
        bool isChannel = false;
        std::string label; // as the list shows it
        bool operator==(const Target &other) const { return sessionKey == other.sessionKey && window == other.window; }
    };

    // Every session's windows as the list offers them: its status window first.
    static std::vector<Target> TargetsOf(const SessionTable &sessions);

    ScriptRunOnDialog(const std::vector<Target> &targets, const Target &previous, QWidget *parent = nullptr);

    // The target chosen in the list.
    Target Chosen() const;
    QComboBox *List() const { return m_list; }

private:
    std::vector<Target> m_targets;
    QComboBox *m_list;
};
