#include "script/ScriptEditorWindow.h"

#include "shell/OverwriteQuestion.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSaveFile>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/CommandIds.h"
#include "config/Config.h"
#include "conversation/ScriptLoad.h"
#include "conversation/Shell.h"
#include "script/Script.h"
#include "script/ScriptEdit.h"
#include "script/ScriptEngine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

ScriptEditorWindow::ScriptEditorWindow(ScriptEngine &engine, Shell &shell, SessionTable &sessions, QWidget *parent)
    : QWidget(parent)
    , m_engine(engine)
    , m_shell(shell)
    , m_sessions(sessions)
    , m_edit(new ScriptEdit(this))
    , m_status(new QLabel(this))
{
    m_status->setTextFormat(Qt::PlainText);
    auto *statusBar = new QStatusBar(this);
    statusBar->addWidget(m_status, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(statusBar);
    setFocusProxy(m_edit);
    connect(m_edit, &ScriptEdit::keyPressed, this, &ScriptEditorWindow::UpdateStatus);
    connect(m_edit, &ScriptEdit::cursorPositionChanged, this,
            &ScriptEditorWindow::UpdateStatus); // a click moves it too
    connect(m_edit, &ScriptEdit::modificationChanged, this, [this] { setWindowTitle(Caption()); });
    setWindowTitle(Caption());
    UpdateStatus();
}

QString ScriptEditorWindow::Title() const
{
    return m_path.empty() ? FromUtf8(Strings::Get(Str::NewScriptTitle)) : FromUtf8(m_path);
}

QString ScriptEditorWindow::Caption() const
{
    return IsModified() ? Title() + QStringLiteral(" *") : Title();
}

QString ScriptEditorWindow::StatusText() const
{
    return FromUtf8(Strings::Format(Str::ScriptEditorStatus, m_path.c_str(), m_edit->CaretLine(), m_edit->LineCount(),
                                    m_edit->CharacterCount()));
}

bool ScriptEditorWindow::IsModified() const
{
    return m_edit->isModified();
}

void ScriptEditorWindow::UpdateStatus()
{
    m_status->setText(StatusText());
}

int ScriptEditorWindow::Message(const std::string &text, int buttons) const
{
    return m_shell.MessageBox(text, "Brimo", buttons);
}

void ScriptEditorWindow::SetPath(const std::string &path)
{
    m_path = path;
    setWindowTitle(Caption());
    UpdateStatus();
}

bool ScriptEditorWindow::OpenFile(const std::string &path)
{
    QFile file(FromUtf8(path));
    if (file.size() >= kMaxFileSize) {
        Message(Strings::Get(Str::ScriptFileTooBig), Shell::ButtonsOk);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        Message(file.errorString().toStdString(), Shell::ButtonsOk);
        return false;
    }
    m_edit->setText(QString::fromUtf8(file.readAll()));
    m_edit->setModified(false);
    SetPath(path);
    return true;
}

bool ScriptEditorWindow::Save()
{
    if (m_path.empty())
        return SaveAs();
    return WriteTo(m_path);
}

bool ScriptEditorWindow::SaveAs()
{
    const std::string path =
        m_shell.SaveFileDialog(ExeDirectory(), Script::NameOf(m_path), Strings::Get(Str::ScriptFileFilter));
    if (path.empty())
        return false;
    if (path != m_path && !MayOverwrite(m_shell, path))
        return false;
    return WriteTo(path);
}

// The whole text, written anew; a failed write leaves the old file and the
// text still marked as changed.
bool ScriptEditorWindow::WriteTo(const std::string &path)
{
    QSaveFile file(FromUtf8(path));
    const QByteArray text = m_edit->text().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        Message(Strings::Format(Str::ScriptWriteFailed, path.c_str()), Shell::ButtonsOk);
        return false;
    }
    m_edit->setModified(false);
    SetPath(path);
    return true;
}

bool ScriptEditorWindow::Parse(bool showOk)
{
    std::shared_ptr<Script> script = m_engine.CreateScript(nullptr);
    if (!script) {
        Message(ScriptEngine::MissingLibraryText(), Shell::ButtonsOk);
        return false;
    }
    if (!Save())
        return false;
    const int result = script->Init(m_path);
    if (result == 0) {
        if (showOk)
            Message(Strings::Get(Str::ScriptParseOk), Shell::ButtonsOk);
        return true;
    }
    const int line = script->ErrorLine();
    Message(Strings::Format(Str::ScriptParseError, result, line, script->ErrorText().c_str()), Shell::ButtonsOk);
    m_edit->GoToLine(line);
    return false;
}

void ScriptEditorWindow::Run()
{
    if (!Parse(false))
        return;
    const std::vector<ScriptRunOnDialog::Target> targets = ScriptRunOnDialog::TargetsOf(m_sessions);
    if (targets.empty()) {
        Message(Strings::Get(Str::ScriptNowhereToRun), Shell::ButtonsOk);
        return;
    }
    const std::optional<ScriptRunOnDialog::Target> target = AskTarget(targets);
    if (!target)
        return;
    m_previousTarget = *target;
    Session *session = m_sessions.FindSession(target->sessionKey);
    if (!session)
        return; // closed while the dialog was open
    // Only a channel is joined: a server or private window's name is no channel.
    if (target->isChannel)
        session->Command("SCRIPT", 0, "/join " + target->window);
    session = m_sessions.FindSession(target->sessionKey);
    if (session)
        session->Command("SCRIPT", 0, ScriptLoad{target->window, m_path, true}.CommandLine());
}

bool ScriptEditorWindow::ConfirmClose()
{
    if (!IsModified())
        return true;
    // The question is about this window: it comes forward first.
    if (auto *child = qobject_cast<QMdiSubWindow *>(parentWidget()))
        if (QMdiArea *area = child->mdiArea())
            area->setActiveSubWindow(child);
    switch (Message(Strings::Format(Str::ScriptSaveChanges, Title().toUtf8().constData()),
                    Shell::ButtonsSaveDiscardCancel)) {
    case Shell::AnswerSave:
        return Save();
    case Shell::AnswerDiscard:
        // Given up: should the program not end after all, the window is not
        // asked about them again.
        m_edit->setModified(false);
        return true;
    default:
        return false;
    }
}

void ScriptEditorWindow::closeEvent(QCloseEvent *event)
{
    if (ConfirmClose())
        event->accept();
    else
        event->ignore();
}

std::optional<ScriptRunOnDialog::Target>
ScriptEditorWindow::AskTarget(const std::vector<ScriptRunOnDialog::Target> &targets)
{
    if (m_chooseTarget)
        return m_chooseTarget(targets, m_previousTarget);
    ScriptRunOnDialog dialog(targets, m_previousTarget, this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

bool ScriptEditorWindow::UpdateCommand(int id, bool &enabled, bool &checked) const
{
    checked = false;
    switch (id) {
    case CommandId::EditUndo:
        enabled = m_edit->isUndoAvailable();
        return true;
    case CommandId::EditRedo:
        enabled = m_edit->isRedoAvailable();
        return true;
    case CommandId::EditCut:
    case CommandId::EditCopy:
        enabled = m_edit->hasSelectedText();
        return true;
    case CommandId::EditPaste:
    case CommandId::ScriptSave:
    case CommandId::ScriptSaveAs:
    case CommandId::ScriptClose:
    case CommandId::ScriptParse:
    case CommandId::ScriptRun:
        enabled = true;
        return true;
    default:
        return false;
    }
}

bool ScriptEditorWindow::HandleCommand(int id)
{
    switch (id) {
    case CommandId::EditUndo:
        m_edit->undo();
        break;
    case CommandId::EditRedo:
        m_edit->redo();
        break;
    case CommandId::EditCut:
        m_edit->cut();
        break;
    case CommandId::EditCopy:
        m_edit->copy();
        break;
    case CommandId::EditPaste:
        m_edit->paste();
        break;
    case CommandId::ScriptSave:
        Save();
        break;
    case CommandId::ScriptSaveAs:
        SaveAs();
        break;
    case CommandId::ScriptClose:
        if (auto *child = qobject_cast<QMdiSubWindow *>(parentWidget()))
            child->close();
        else
            close();
        break;
    case CommandId::ScriptParse:
        Parse();
        break;
    case CommandId::ScriptRun:
        Run();
        break;
    default:
        return false;
    }
    UpdateStatus();
    return true;
}
