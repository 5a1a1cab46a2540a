#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/CommandIds.h"
#include "commands/CommandDispatcher.h"
#include "conversation/Conversation.h"
#include "input/InputCommandEntries.h"
#include "script/ScriptEdit.h"
#include "script/ScriptEditorWindow.h"
#include "script/ScriptEngine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"
#include "text/Strings.h"

namespace {

using Target = ScriptRunOnDialog::Target;

class ScriptFrameTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        ASSERT_TRUE(m_folder.isValid());
        m_shell.m_scripts = &m_engine;
        m_frame = std::make_unique<ScriptEditorWindow>(m_engine, m_shell, m_table);
        m_frame->resize(500, 300);
        m_frame->show();
    }
    void TearDown() override
    {
        m_frame.reset();
        TestConfigDir::TearDown();
    }

    std::string PathIn(const std::string &name) const
    {
        return QDir(m_folder.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    static QByteArray Contents(const std::string &path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    static void Write(const std::string &path, const QByteArray &text)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // Key presses carrying each character (QTest's key clicks know ASCII only).
    void Type(const QString &text)
    {
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(m_frame->Editor(), &press);
        }
    }

    // A session on the scripted server, registered as "me".
    Session *Connect()
    {
        EXPECT_TRUE(m_server.Listen());
        Session *session = m_table.CreateSession("127.0.0.1", m_server.Port(), "net");
        EXPECT_TRUE(m_server.WaitForClient());
        EXPECT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        m_server.SendLine(":srv 001 me :Welcome");
        EXPECT_TRUE(WaitFor([&] { return session->Nick() == "me"; }));
        return session;
    }

    QTemporaryDir m_folder;
    FakeShell m_shell;
    ScriptEngine m_engine;
    CommandDispatcher m_commands;
    SessionTable m_table{&m_shell, m_commands};
    ScriptedServer m_server;
    std::unique_ptr<ScriptEditorWindow> m_frame;
};

} // namespace

// Lines are counted from 1, as the line numbers beside the text and Tcl's errors count them.
TEST_F(ScriptFrameTest, StatusLineFollowsEveryKey)
{
    m_frame->Editor()->setFocus();
    Type(QStringLiteral("set a 1"));
    QTest::keyClick(m_frame->Editor(), Qt::Key_Return);
    Type(QStringLiteral("šá"));
    const QString expected = QString::fromStdString(Strings::Format(Str::ScriptEditorStatus, "", 2, 2, 10));
    EXPECT_EQ(m_frame->StatusText(), expected);
    EXPECT_EQ(m_frame->findChild<QLabel *>()->text(), expected);
    EXPECT_EQ(m_frame->Caption(), QString::fromUtf8(Strings::Get(Str::NewScriptTitle)) + " *");
}

TEST_F(ScriptFrameTest, EditCommandsUndoRedoCutCopyPaste)
{
    Type(QStringLiteral("abc"));
    bool enabled = false, checked = false;
    ASSERT_TRUE(m_frame->UpdateCommand(CommandId::EditUndo, enabled, checked));
    EXPECT_TRUE(enabled);
    m_frame->HandleCommand(CommandId::EditUndo);
    EXPECT_EQ(m_frame->Editor()->text(), "");
    m_frame->HandleCommand(CommandId::EditRedo);
    EXPECT_EQ(m_frame->Editor()->text(), "abc");
    m_frame->Editor()->selectAll();
    m_frame->HandleCommand(CommandId::EditCut);
    EXPECT_EQ(m_frame->Editor()->text(), "");
    m_frame->HandleCommand(CommandId::EditPaste);
    m_frame->HandleCommand(CommandId::EditPaste);
    EXPECT_EQ(m_frame->Editor()->text(), "abcabc");
    m_frame->Editor()->setSelection(0, 1, 0, 3);
    m_frame->HandleCommand(CommandId::EditCopy);
    m_frame->HandleCommand(CommandId::EditPaste);
    EXPECT_EQ(m_frame->Editor()->text(), "abcabc");
}

TEST_F(ScriptFrameTest, ParseSavesFirstAndTellsTheResult)
{
    m_shell.m_fileDialogAnswer = PathIn("ok.tcl");
    m_frame->Editor()->setText(QStringLiteral("proc /x {} {}\nset a 1\n"));
    EXPECT_TRUE(m_frame->Parse());
    EXPECT_EQ(m_shell.m_messageBoxes, (std::vector<std::string>{"Parse OK"}));
    EXPECT_EQ(Contents(PathIn("ok.tcl")), "proc /x {} {}\nset a 1\n");
    EXPECT_FALSE(m_frame->IsModified());
    EXPECT_EQ(m_frame->Caption().toStdString(), PathIn("ok.tcl"));

    m_frame->Editor()->setText(QStringLiteral("set a 1\n\nset b [nosuch]\n"));
    EXPECT_FALSE(m_frame->Parse());
    // Tcl's message as well as the line.
    EXPECT_EQ(m_shell.m_messageBoxes.back(), "Parse ERROR (1), Error Line: 3\ninvalid command name \"nosuch\"");
    EXPECT_EQ(m_frame->Editor()->CaretLine(), 3);

    // Cancelling the file dialog of a new script stops the parse.
    ScriptEditorWindow fresh(m_engine, m_shell, m_table);
    m_shell.m_fileDialogAnswer.clear();
    const size_t boxes = m_shell.m_messageBoxes.size();
    EXPECT_FALSE(fresh.Parse());
    EXPECT_EQ(m_shell.m_messageBoxes.size(), boxes);
}

TEST_F(ScriptFrameTest, ParseAndRunStopAScriptThatNeverEnds)
{
    m_engine.SetTimeLimit(200);
    const std::string path = PathIn("forever.tcl");
    m_shell.m_fileDialogAnswer = path;
    m_frame->Editor()->setText(QStringLiteral("set a 1\nwhile 1 { incr a }\n"));
    const std::string stopped = Strings::Format(Str::ScriptTimedOut, "forever.tcl", 200, path.c_str());
    EXPECT_FALSE(m_frame->Parse());
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_messageBoxes[0].rfind("Parse ERROR (1), Error Line: ", 0), 0u) << m_shell.m_messageBoxes[0];
    EXPECT_NE(m_shell.m_messageBoxes[0].find("\n" + stopped), std::string::npos) << m_shell.m_messageBoxes[0];

    Session *session = Connect();
    m_frame->SetChooseTarget([&](const std::vector<Target> &, const Target &) {
        return std::optional<Target>(Target{session->Key(), session->Key(), false, {}});
    });
    m_frame->Run();
    ASSERT_EQ(m_shell.m_messageBoxes.size(), 2u);
    EXPECT_NE(m_shell.m_messageBoxes[1].find(stopped), std::string::npos);
    EXPECT_TRUE(session->ServerWindow()->Scripts().empty());
}

TEST_F(ScriptFrameTest, ClosingWithChangesAsksToSaveDiscardOrCancel)
{
    // Nothing changed: no question.
    EXPECT_TRUE(m_frame->close());
    EXPECT_TRUE(m_shell.m_messageBoxes.empty());

    m_frame->show();
    Type(QStringLiteral("proc /a {} {}"));
    const std::string question = Strings::Format(Str::ScriptSaveChanges, Strings::Get(Str::NewScriptTitle));
    m_shell.m_messageBoxAnswer = Shell::AnswerCancel;
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(m_shell.m_messageBoxes, (std::vector<std::string>{question}));
    EXPECT_TRUE(m_frame->isVisible());
    EXPECT_TRUE(m_frame->IsModified());

    // Save, with the file dialog cancelled: still open.
    m_shell.m_messageBoxAnswer = Shell::AnswerSave;
    EXPECT_FALSE(m_frame->close());
    EXPECT_TRUE(m_frame->isVisible());

    const std::string path = PathIn("kept.tcl");
    m_shell.m_fileDialogAnswer = path;
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(Contents(path), "proc /a {} {}");
    EXPECT_EQ(m_shell.m_messageBoxes.size(), 3u);

    m_frame->show();
    Type(QStringLiteral("\n# more"));
    m_shell.m_messageBoxAnswer = Shell::AnswerDiscard;
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(m_shell.m_messageBoxes.back(), Strings::Format(Str::ScriptSaveChanges, path.c_str()));
    EXPECT_EQ(Contents(path), "proc /a {} {}");
}

TEST_F(ScriptFrameTest, SaveAsksBeforeOverwritingAndKeepsTheTextModifiedWhenTheWriteFails)
{
    const std::string existing = PathIn("old.tcl");
    Write(existing, "# old\n");
    m_frame->Editor()->setText(QStringLiteral("# new\n"));
    m_shell.m_fileDialogAnswer = existing;
    m_shell.m_messageBoxAnswer = Shell::AnswerNo;
    EXPECT_FALSE(m_frame->Save());
    EXPECT_EQ(m_shell.m_messageBoxes,
              (std::vector<std::string>{Strings::Format(Str::FileOverwrite, existing.c_str())}));
    EXPECT_EQ(Contents(existing), "# old\n");
    EXPECT_TRUE(m_frame->IsModified());

    m_shell.m_messageBoxAnswer = Shell::AnswerYes;
    EXPECT_TRUE(m_frame->Save());
    EXPECT_EQ(Contents(existing), "# new\n");
    EXPECT_FALSE(m_frame->IsModified());
    // Saving again to its own file asks nothing.
    Type(QStringLiteral("x"));
    const size_t boxes = m_shell.m_messageBoxes.size();
    EXPECT_TRUE(m_frame->Save());
    EXPECT_EQ(m_shell.m_messageBoxes.size(), boxes);

    const std::string nowhere = PathIn("no-such-folder/new.tcl");
    m_shell.m_fileDialogAnswer = nowhere;
    Type(QStringLiteral("y"));
    EXPECT_FALSE(m_frame->SaveAs());
    EXPECT_EQ(m_shell.m_messageBoxes.back(), Strings::Format(Str::ScriptWriteFailed, nowhere.c_str()));
    EXPECT_TRUE(m_frame->IsModified());
    EXPECT_EQ(m_frame->FilePath(), existing);
}

TEST_F(ScriptFrameTest, OpenRefusesAFileTooBig)
{
    const std::string big = PathIn("big.tcl");
    {
        QFile file(QString::fromStdString(big));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(ScriptEditorWindow::kMaxFileSize)); // sparse: takes no room
    }
    EXPECT_FALSE(m_frame->OpenFile(big));
    EXPECT_EQ(m_shell.m_messageBoxes, (std::vector<std::string>{"File is big"}));

    const std::string small = PathIn("small.tcl");
    Write(small, "echo šá\n");
    EXPECT_TRUE(m_frame->OpenFile(small));
    EXPECT_EQ(m_frame->Editor()->text(), QStringLiteral("echo šá\n"));
    EXPECT_EQ(m_frame->Caption().toStdString(), small);
}

TEST_F(ScriptFrameTest, RunJoinsOnlyAChannelAndLoadsTheScriptThere)
{
    m_shell.m_fileDialogAnswer = PathIn("run.tcl");
    m_frame->Editor()->setText(QStringLiteral("proc /hi {} { echo hi }\n"));
    m_frame->Run();
    EXPECT_EQ(m_shell.m_messageBoxes, (std::vector<std::string>{Strings::Get(Str::ScriptNowhereToRun)}));

    Session *session = Connect();
    Conversation *channel = session->OpenWindow("#c", Conversation::KindChannel, Conversation::TypeChannel);
    std::vector<Target> offered;
    Target previous;
    Target choice{session->Key(), session->Key(), false, {}};
    m_frame->SetChooseTarget([&](const std::vector<Target> &targets, const Target &before) {
        offered = targets;
        previous = before;
        return std::optional<Target>(choice);
    });
    m_frame->Run();
    EXPECT_EQ(offered,
              (std::vector<Target>{{session->Key(), session->Key(), false, {}}, {session->Key(), "#c", true, {}}}));
    EXPECT_EQ(offered[0].label, "net");
    EXPECT_EQ(offered[1].label, "net - #c");
    EXPECT_EQ(session->ServerWindow()->Scripts().count("run.tcl"), 1u);

    choice = {session->Key(), "#c", true, {}};
    m_frame->Run();
    EXPECT_EQ(previous, (Target{session->Key(), session->Key(), false, {}}));
    EXPECT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "JOIN #c"; }));
    EXPECT_EQ(std::count(m_server.Lines().begin(), m_server.Lines().end(), "JOIN " + session->Key()), 0);
    EXPECT_EQ(channel->Scripts().count("run.tcl"), 1u);
}

TEST_F(ScriptFrameTest, RunOnDialogListsEveryWindowWithThePreviousChoice)
{
    const std::vector<Target> targets = {
        {"a:6667", "a:6667", false, "A"}, {"a:6667", "#x", true, "A - #x"}, {"b:6667", "bob", false, "B - bob"}};
    ScriptRunOnDialog dialog(targets, targets[2]);
    ASSERT_EQ(dialog.List()->count(), 3);
    EXPECT_EQ(dialog.List()->itemText(1), "A - #x");
    EXPECT_EQ(dialog.Chosen(), targets[2]);
    dialog.List()->setCurrentIndex(1);
    EXPECT_EQ(dialog.Chosen(), targets[1]);
}

TEST(DefaultScriptHelp, ItsCommandsAreOfferedWithDescriptions)
{
    const std::vector<CommandEntry> entries = InputCommandEntries::ReadScript(BRIMO_DEFAULT_SCRIPT, "/");
    std::vector<std::string> names;
    for (const CommandEntry &entry : entries) {
        names.push_back(entry.name);
        EXPECT_FALSE(entry.description.empty()) << entry.name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"me", "part", "fav"}));
}
