#include "AppFixture.h"

#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "script/ScriptEdit.h"
#include "script/ScriptEngine.h"
#include "script/ScriptEditorWindow.h"
#include "session/Session.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPointer>

namespace {

using ScriptEditorTest = AppFixture;

TEST_F(ScriptEditorTest, ScriptMenuOpensAnEditorThatTakesTheScriptCommands)
{
    ASSERT_TRUE(StartApp());
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(Frame()->Action(CommandId::NewScript)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::OpenScript)->isEnabled());
    EXPECT_FALSE(Frame()->Action(CommandId::ScriptParse)->isEnabled());

    Frame()->Action(CommandId::NewScript)->trigger();
    auto *editor = dynamic_cast<ScriptEditorWindow *>(Frame()->ActiveShellChild());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->ButtonImage(), 3);
    Frame()->UpdateCommandStates();
    for (int id : {CommandId::ScriptSave, CommandId::ScriptSaveAs, CommandId::ScriptClose, CommandId::ScriptParse,
                   CommandId::ScriptRun, CommandId::EditPaste})
        EXPECT_TRUE(Frame()->Action(id)->isEnabled()) << id;

    editor->Editor()->insert(QStringLiteral("abc"));
    Frame()->UpdateCommandStates();
    ASSERT_TRUE(Frame()->Action(CommandId::EditUndo)->isEnabled());
    Frame()->Action(CommandId::EditUndo)->trigger();
    EXPECT_EQ(editor->Editor()->text(), QString());
    EXPECT_EQ(m_app->Scripts(), &m_app->Engine());

    QPointer<ScriptEditorWindow> closing = editor;
    Frame()->Action(CommandId::ScriptClose)->trigger();
    ASSERT_TRUE(WaitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed window is deleted later
        return closing.isNull();
    }));
    EXPECT_EQ(dynamic_cast<ScriptEditorWindow *>(Frame()->ActiveShellChild()), nullptr);
}

} // namespace
