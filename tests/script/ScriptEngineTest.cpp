#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "commands/CommandDispatcher.h"
#include "script/ScriptFixture.h"

namespace {

using Lines = std::vector<std::string>;

} // namespace

using ScriptCommandHook = ScriptFixture;

TEST_F(ScriptCommandHook, SlashProcedureTakesTheLineWithItsWords)
{
    Load("me.tcl", "proc /me {args} { echo \"me: [join $args |]\" }\n");
    const size_t from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/me waves at  all", "#c"), 1);
    EXPECT_EQ(ChannelTexts(from), (Lines{"me: waves|at||all"}));
    // A line no script procedure takes is still unknown.
    EXPECT_EQ(Run("/nothere x", "#c"), 0);
    EXPECT_TRUE(ChannelView().HasLine(Strings::Format(Str::UnknownCommand, "/nothere")));
}

// "/hi " is what choosing a command in the pop-up leaves in the input line.
TEST_F(ScriptCommandHook, BlanksAtTheEndOfTheLineAreNoArgument)
{
    Load("hi.tcl",
         "proc /hi {} { echo hi }\n"
         "proc /one {a} { echo \"one:$a\" }\n"
         "proc OnClient {args} { echo \"saw [llength $args]\" }\n");
    const size_t from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/hi ", "#c"), 1);
    EXPECT_EQ(Run("/one x  ", "#c"), 1);
    EXPECT_EQ(ChannelTexts(from), (Lines{"saw 1", "hi", "saw 2", "one:x"}));
}

TEST_F(ScriptCommandHook, OnClientSeesEveryLineAfterTheBuiltInHandlerAndThePreviousCmdline)
{
    // Loaded with no window, so that the load is not the first line it sees.
    const std::string path =
        WriteScript("watch.tcl",
                    "proc OnClient {args} { echo \"saw [llength $args]: $args / prev: [this cmdline]\" }\n"
                    "proc /now {args} { echo \"now: [this cmdline] / args: [this argsline]\" }\n");
    ASSERT_EQ(Run("/load #c " + path), 1);
    const size_t from = ChannelView().Lines().size();
    // The built-in "/msg" sends and shows the message first.
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/msg #c hi", "#c"), 1); }), (Lines{"PRIVMSG #c :hi"}));
    Run("/now a b", "#c");
    const Lines texts = ChannelTexts(from);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NE(texts[0].find("hi"), std::string::npos);
    EXPECT_EQ(Lines(texts.begin() + 1, texts.end()),
              (Lines{"saw 3: /msg #c hi / prev: ", "saw 3: /now a b / prev: /msg #c hi", "now: /now a b / args: a b"}));
    // Lines issued with no window never reach a script.
    Run("/quote PING x");
    EXPECT_EQ(ChannelView().Lines().size(), from + 4);
}

TEST_F(ScriptCommandHook, ThisReportsItsMisuseAndTheWindowName)
{
    Load("this.tcl", "proc /t {} { catch {this} e; echo $e; echo \"name [this name]\"; echo [this other]x }\n");
    const size_t from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/t", "#c"), 1);
    EXPECT_EQ(ChannelTexts(from), (Lines{"Error in this call. [this name] etc ...", "name #c", "x"}));
}

TEST_F(ScriptCommandHook, WordsFromTheNetworkArriveUnchangedAndAreNeverEvaluated)
{
    const std::string marker = PathIn("ran");
    Load("words.tcl",
         "proc OnClient {args} { foreach a $args { echo \"on:$a\" } }\n"
         "proc /w {args} { foreach a $args { echo \"w:$a\" } }\n");
    // Escaping only brackets, braces and semicolons lets the second group run.
    const std::vector<std::string> words = {
        "[exec",        "touch",  marker + "]", "\\[exec", "touch", marker + "\\]", "$5",
        "$tcl_version", "\"open", "{",          "}",       ";",     "a\\",          "#x"};
    std::string line = "/w";
    for (const std::string &word : words)
        line += " " + word;
    const size_t from = ChannelView().Lines().size();
    EXPECT_EQ(Run(line, "#c"), 1);
    Lines expected = {"on:/w"};
    for (const std::string &word : words)
        expected.push_back("on:" + word);
    for (const std::string &word : words)
        expected.push_back("w:" + word);
    EXPECT_EQ(ChannelTexts(from), expected);
    EXPECT_EQ(QDir(m_scriptDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("words.tcl")});

    // A line whose command word is a Tcl command (a clicked text, a nick)
    // is no script procedure: it is never run.
    Run("exec touch " + marker, "#c");
    EXPECT_EQ(QDir(m_scriptDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("words.tcl")});
}

using ScriptLoading = ScriptFixture;

TEST_F(ScriptLoading, LoadingTwiceUnloadsFirstAndKeepsOneCopy)
{
    const std::string path = Load("Twice.tcl", "proc /x {} {}\n");
    EXPECT_EQ(Run("/load #c " + path, "#c"), 1);
    EXPECT_EQ(ChannelTexts(),
              (Lines{Strings::Format(Str::ScriptLoaded, "twice.tcl"), Strings::Format(Str::ScriptUnloaded, "twice.tcl"),
                     Strings::Format(Str::ScriptLoaded, "twice.tcl")}));
    EXPECT_EQ(m_channel->Scripts().size(), 1u);
    EXPECT_EQ(m_channel->ScriptObjects().size(), 1u);
    EXPECT_EQ(m_channel->Scripts().at("twice.tcl"), path);

    EXPECT_EQ(Run("/unload #c " + path, "#c"), 1);
    EXPECT_TRUE(m_channel->Scripts().empty());
    EXPECT_TRUE(m_channel->ScriptObjects().empty());
    EXPECT_EQ(Run("/x", "#c"), 0);
    // Unloading what is not loaded says nothing.
    const size_t lines = ChannelView().Lines().size();
    Run("/unload #c " + path, "#c");
    EXPECT_EQ(ChannelView().Lines().size(), lines);
}

TEST_F(ScriptLoading, QuietLoadSaysNothingOnSuccessButReportsErrors)
{
    const std::string good = WriteScript("good.tcl", "proc /x {} {}\n");
    EXPECT_EQ(Run("/load -q #c " + good, "#c"), 1);
    EXPECT_TRUE(ChannelTexts().empty());
    EXPECT_EQ(m_channel->Scripts().count("good.tcl"), 1u);

    const std::string bad = WriteScript("bad.tcl", "set a 1\nnosuchcommand 2\n");
    Run("/load -q #c " + bad, "#c");
    EXPECT_EQ(ChannelTexts(),
              (Lines{Strings::Format(Str::ScriptLoadFailed, bad.c_str()), "invalid command name \"nosuchcommand\""}));
    EXPECT_EQ(m_channel->Scripts().count("bad.tcl"), 0u);

    // An error without a text names its line.
    const std::string silent = WriteScript("silent.tcl", "set a 1\n\nreturn -code error {}\n");
    Run("/load #c " + silent, "#c");
    EXPECT_EQ(ChannelTexts().back(), Strings::Format(Str::ScriptErrorLine, 3));
}

TEST_F(ScriptLoading, MissingFileIsReportedOnlyWhenAskedFor)
{
    const std::string missing = PathIn("missing.tcl");
    Run("/load -q #c " + missing, "#c");
    EXPECT_TRUE(ChannelTexts().empty());
    Run("/load #c " + missing, "#c");
    ASSERT_EQ(ChannelTexts().size(), 2u);
    EXPECT_EQ(ChannelTexts()[0], Strings::Format(Str::ScriptLoadFailed, missing.c_str()));
    EXPECT_NE(ChannelTexts()[1].find("couldn't read file"), std::string::npos);
    EXPECT_TRUE(m_shell->m_messageBoxes.empty());
}

TEST_F(ScriptLoading, RelativePathsResolveFromTheProgramFolderWithoutChangingTheWorkingFolder)
{
    const QString name = QStringLiteral("brimo-relative-%1.tcl").arg(QCoreApplication::applicationPid());
    const QString path = QDir(QString::fromStdString(ExeDirectory())).filePath(name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("proc /rel {} { echo relative }\n");
    file.close();
    const QString before = QDir::currentPath();

    EXPECT_EQ(Run("/load #c " + name.toStdString(), "#c"), 1);
    QFile::remove(path);
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(Run("/rel", "#c"), 1);
    EXPECT_TRUE(ChannelView().HasLine("relative"));
}

TEST_F(ScriptLoading, TclIsStartedForUtf8AndItsLibrary)
{
    Load("start.tcl",
         "echo [string length \"šá\"] šá\n"
         "echo [clock format 0 -gmt 1 -format %Y]\n");
    EXPECT_TRUE(ChannelView().HasLine("2 šá"));
    EXPECT_TRUE(ChannelView().HasLine("1970"));
}

TEST_F(ScriptLoading, ExitNeverEndsTheProgram)
{
    Load("exit.tcl", "proc /bye {} { exit 3 }\ncatch {exit 7} e\necho \"exit: $e\"\n");
    EXPECT_TRUE(ChannelView().HasLine(std::string("exit: ") + Strings::Get(Str::ScriptExitRefused)));
    EXPECT_EQ(Run("/bye", "#c"), 1); // taken: its error is the script's, shown as such
    EXPECT_TRUE(ChannelView().HasLine(
        Strings::Format(Str::ScriptFailed, "exit.tcl", "/bye", Strings::Get(Str::ScriptExitRefused))));
    EXPECT_EQ(m_channel->Scripts().size(), 1u);
}

TEST_F(ScriptLoading, ScriptsCallingEachOtherStopAtTheDepthCap)
{
    Load("ping.tcl", "proc /ping {args} { cmd /pong }\n");
    Load("pong.tcl", "proc /pong {args} { cmd /ping }\n");
    Run("/ping", "#c");
    // The command refused is the one past the cap: an odd one is "/pong".
    const char *refused = (Script::kMaxCommandDepth + 1) % 2 ? "/pong" : "/ping";
    const std::string expected = Strings::Format(Str::ScriptCommandsTooDeep, Script::kMaxCommandDepth, refused);
    EXPECT_EQ(ChannelView().CountLines(expected), 1);
    // Afterwards scripts run commands again.
    Load("after.tcl", "proc /again {} { cmd /quote PRIVMSG #c :again }\n");
    EXPECT_EQ(Sent([&] { Run("/again", "#c"); }), (Lines{"PRIVMSG #c :again"}));
}

using ScriptErrors = ScriptFixture;

TEST_F(ScriptErrors, ASlashProcedureOrOnClientThatFailsIsShownAsTclReportsItWithTheScriptsName)
{
    Load("Faulty.tcl",
         "proc OnClient {args} { if {[lindex $args 0] eq \"/say\"} { set x $nothing } }\n"
         "proc /x {} { error \"zle je\" }\n"
         "proc /say {args} { echo said }\n");
    size_t from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/x", "#c"), 1);
    EXPECT_EQ(ChannelTexts(from), (Lines{Strings::Format(Str::ScriptFailed, "faulty.tcl", "/x", "zle je")}));
    EXPECT_FALSE(ChannelView().HasLine(Strings::Format(Str::UnknownCommand, "/x")));

    // OnClient's error does not keep the line from its procedure.
    from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/say a b", "#c"), 1);
    EXPECT_EQ(ChannelTexts(from),
              (Lines{Strings::Format(Str::ScriptFailed, "faulty.tcl", "OnClient /say a b",
                                     "can't read \"nothing\": no such variable"),
                     "said"}));
    EXPECT_EQ(ChannelView().Lines()[from].textClass, static_cast<int>(TextClass::Error));
}

using ScriptTimeLimit = ScriptFixture;

TEST_F(ScriptTimeLimit, AFileThatNeverEndsIsStoppedNamingItAndNothingStaysLoaded)
{
    m_engine.SetTimeLimit(200);
    const std::string path = WriteScript("Spin.tcl", "set n 0\nwhile 1 { incr n }\n");
    for (const std::string load : {"/load #c ", "/load -q #c "}) { // the default script is loaded quietly
        const size_t from = ChannelView().Lines().size();
        EXPECT_EQ(Run(load + path, "#c"), 1);
        EXPECT_EQ(ChannelTexts(from),
                  (Lines{Strings::Format(Str::ScriptLoadFailed, path.c_str()),
                         Strings::Format(Str::ScriptTimedOut, "spin.tcl", 200, path.c_str())}));
        EXPECT_TRUE(m_channel->Scripts().empty());
    }
}

TEST_F(ScriptTimeLimit, OnClientAndSlashProceduresAreStoppedAndTheInterpreterWorksAfterwards)
{
    m_engine.SetTimeLimit(200);
    Load("loops.tcl",
         "proc OnClient {args} { if {[lindex $args 0] eq \"/spin\"} { while 1 {} } }\n"
         "proc /loop {args} { while 1 {} }\n"
         // Neither catch nor a nested loop gets past the limit.
         "proc /sly {} { while 1 { catch { while 1 {} } } }\n"
         "proc /outer {} { cmd /loop inner }\n"
         "proc /ok {} { echo fine }\n");
    const auto timedOut = [](const char *what) { return Strings::Format(Str::ScriptTimedOut, "loops.tcl", 200, what); };

    size_t from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/spin", "#c"), 0); // OnClient ran out of time; no procedure takes the line
    EXPECT_EQ(ChannelTexts(from)[0], timedOut("OnClient /spin"));
    EXPECT_EQ(ChannelView().Lines()[from].textClass, static_cast<int>(TextClass::Error));

    for (const char *line : {"/loop now", "/sly"}) {
        from = ChannelView().Lines().size();
        EXPECT_EQ(Run(line, "#c"), 1);
        EXPECT_EQ(ChannelTexts(from), (Lines{timedOut(line)})) << line;
        EXPECT_EQ(Run("/ok", "#c"), 1);
        EXPECT_EQ(ChannelTexts().back(), "fine");
    }

    // A loop nested through "cmd" in the same script is told about once,
    // as what the program started.
    from = ChannelView().Lines().size();
    EXPECT_EQ(Run("/outer", "#c"), 1);
    EXPECT_EQ(ChannelTexts(from), (Lines{timedOut("/outer")}));
    EXPECT_EQ(Run("/ok", "#c"), 1);
    EXPECT_EQ(ChannelTexts().back(), "fine");
}

TEST_F(ScriptTimeLimit, TheServerIsAnsweredRightAfterALoopingOnClient)
{
    m_engine.SetTimeLimit(300);
    Load("busy.tcl", "proc OnClient {args} { while 1 {} }\n");
    // The PING is on its way while the script runs.
    ASSERT_TRUE(m_server.SendLine("PING :while-busy"));
    ASSERT_TRUE(m_server.Flush());
    Run("/anything", "#c");
    EXPECT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "PONG while-busy"; }));
    EXPECT_TRUE(m_session->IsConnected());
}

using ScriptWindows = ScriptFixture;

TEST_F(ScriptWindows, ClosedWindowReleasesItsScriptsAndRenamedWindowKeepsThem)
{
    Load("c.tcl", "proc /x {} {}\n");
    std::weak_ptr<WindowScript> script = m_channel->ScriptObjects().at("c.tcl");
    EXPECT_TRUE(m_session->CloseWindow("#c"));
    EXPECT_TRUE(script.expired());

    Conversation *bob = m_session->OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate);
    const std::string path = WriteScript("who.tcl", "proc /who_am_i {} { echo \"I am [this name]\" }\n");
    Run("/load bob " + path, "bob");
    ASSERT_TRUE(m_session->RenameWindow("bob", "bobby"));
    EXPECT_EQ(bob->Scripts().count("who.tcl"), 1u);
    EXPECT_EQ(Run("/who_am_i", "bobby"), 1);
    EXPECT_TRUE(View("bob")->HasLine("I am bobby")); // the view keeps the name it was made with
}

TEST_F(ScriptWindows, ScriptMayUnloadItselfOrCloseItsWindowWhileItRuns)
{
    Load("self.tcl", "proc /gone {} { cmd /unload #c self.tcl; echo still here }\n");
    EXPECT_EQ(Run("/gone", "#c"), 1);
    EXPECT_TRUE(m_channel->Scripts().empty());
    EXPECT_FALSE(ChannelView().HasLine("still here")); // an unloaded script reaches its window no more

    Load("shut.tcl", "proc /shut {} { cmd /close; echo after; msg x; cmd /quote PRIVMSG #c :late }\n");
    const Lines sent = Sent([&] { EXPECT_EQ(Run("/shut", "#c"), 1); });
    EXPECT_EQ(m_session->FindWindow("#c"), nullptr);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "PRIVMSG #c :late"), 0);
}

TEST(ScriptEngineWithoutTcl, SaysSoOnlyWhenAskedAndKeepsNothing)
{
    FakeShell shell;
    CommandDispatcher commands;
    SessionTable table(&shell, commands);
    ScriptEngine engine({"libtcl-not-installed-here.so"});
    shell.m_scripts = &engine;
    Session *session = table.CreateSession("127.0.0.1", 9, "none");
    Conversation *channel = session->OpenWindow("#c", Conversation::KindChannel, Conversation::TypeChannel);
    EXPECT_FALSE(engine.HasLibrary());
    EXPECT_EQ(engine.CreateScript(nullptr), nullptr);

    session->Command("#c", 0, "/load -q #c " + std::string(BRIMO_DEFAULT_SCRIPT));
    EXPECT_TRUE(shell.m_messageBoxes.empty());
    session->Command("#c", 0, "/load #c " + std::string(BRIMO_DEFAULT_SCRIPT));
    ASSERT_EQ(shell.m_messageBoxes.size(), 1u);
    EXPECT_EQ(shell.m_messageBoxes[0], ScriptEngine::MissingLibraryText());
    EXPECT_TRUE(channel->Scripts().empty());
    EXPECT_EQ(session->Command("#c", 0, "/me waves"), 0);
}
