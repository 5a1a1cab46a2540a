// ScriptEditorWindow: the script editor window.
#pragma once

#include "app/ShellChild.h"
#include "script/ScriptRunOnDialog.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class ScriptEdit;
class QLabel;
class ScriptEngine;
class SessionTable;
class Shell;

// The script editor: a child window of the main window editing one Tcl
// script file. It saves (asking before it writes over another file), checks
// the script in a fresh interpreter (Parse, F7) and runs it in a window of
// the user's choice (Run, F5: "/join" for a channel, then "/load"). Closed
// with changes not saved, it asks whether to save them first. Its status line tells the file, the caret's line, the number of lines and the
// length after every key.
class ScriptEditorWindow : public QWidget, public ShellChild
{
    Q_OBJECT

public:
    // Largest file that is opened (bytes, exclusive).
    static constexpr qint64 kMaxFileSize = 2147483647;

    // Asks where to run; none when cancelled. By default the run-on dialog.
    using ChooseTarget = std::function<std::optional<ScriptRunOnDialog::Target>(
        const std::vector<ScriptRunOnDialog::Target> &targets, const ScriptRunOnDialog::Target &previous)>;

    ScriptEditorWindow(ScriptEngine &engine, Shell &shell, SessionTable &sessions, QWidget *parent = nullptr);

    // Opens a file into the editor; false (and a message box) when it is too
    // big or cannot be read.
    bool OpenFile(const std::string &path);
    // Saves to the file, or asks for one while the script has none.
    bool Save();
    bool SaveAs();
    // Checks the script; showOk: also say so when it is fine.
    bool Parse(bool showOk = true);
    void Run();

    // The file (empty for a new script) and the window caption.
    const std::string &FilePath() const { return m_path; }
    QString Caption() const;
    QString StatusText() const;
    bool IsModified() const;
    ScriptEdit *Editor() const { return m_edit; }
    void SetChooseTarget(ChooseTarget choose) { m_chooseTarget = std::move(choose); }

    // ShellChild
    QString SessionName() const override { return {}; }
    QString WindowName() const override { return Caption(); }
    QString ButtonToolTip() const override { return Caption(); }
    int ButtonImage() const override { return 3; }
    bool UpdateCommand(int id, bool &enabled, bool &checked) const override;
    bool HandleCommand(int id) override;
    // Save, Discard or Cancel while the script has changes not saved; true
    // when nothing is lost by closing (saved, discarded or none).
    bool ConfirmClose() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The file, or "Nový skript" while there is none.
    QString Title() const;
    bool WriteTo(const std::string &path);
    void SetPath(const std::string &path);
    void UpdateStatus();
    int Message(const std::string &text, int buttons) const;
    std::optional<ScriptRunOnDialog::Target> AskTarget(const std::vector<ScriptRunOnDialog::Target> &targets);

    ScriptEngine &m_engine;
    Shell &m_shell;
    SessionTable &m_sessions;
    ScriptEdit *m_edit;
    QLabel *m_status;
    std::string m_path;
    ChooseTarget m_chooseTarget;
    ScriptRunOnDialog::Target m_previousTarget;
};
