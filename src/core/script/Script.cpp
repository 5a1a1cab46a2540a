#include "script/Script.h"

#include <QDir>

#include <vector>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "script/TclLibrary.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

// How deep client commands run by scripts are nested right now (all scripts
// of the program together: two scripts may call each other through "cmd").
int g_commandDepth = 0;

// Arguments 1 to argc - 1 joined by single blanks; with stopAtEmpty the
// joining ends at the first empty argument.
std::string JoinArguments(int argc, const char *argv[], bool stopAtEmpty)
{
    std::string text;
    for (int n = 1; n < argc; ++n) {
        if (stopAtEmpty && !*argv[n])
            break;
        if (n > 1)
            text += ' ';
        text += argv[n];
    }
    return text;
}

template <int (Script::*Command)(int, const char *[])>
int TclCommand(ClientData data, Tcl_Interp *, int argc, const char *argv[])
{
    return (static_cast<Script *>(data)->*Command)(argc, argv);
}

} // namespace

Script::Script(TclLibrary &tcl, Conversation *owner, int timeLimitMs)
    : m_tcl(tcl), m_owner(owner), m_timeLimitMs(timeLimitMs)
{}

Script::~Script()
{
    if (m_interp)
        m_tcl.deleteInterp(m_interp);
}

std::string Script::NameOf(const std::string &path)
{
    const size_t slash = path.find_last_of("/\\");
    return FoldCase(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string Script::ResolvePath(const std::string &path)
{
    const QString file = QString::fromStdString(path);
    if (QDir::isAbsolutePath(file))
        return path;
    return QDir::cleanPath(QDir(QString::fromStdString(ResourceDirectory())).filePath(file)).toStdString();
}

int Script::Init(const std::string &path)
{
    m_path = path;
    m_interp = m_tcl.createInterp();
    // Without its script library Tcl still runs scripts, only "clock",
    // "parray" and the like are missing: go on without it.
    m_tcl.init(m_interp);
    RegisterCommands();
    m_tcl.resetResult(m_interp);
    m_name = NameOf(path);
    const std::string file = ResolvePath(path);
    return RunLimited(path, [&] { return m_tcl.evalFile(m_interp, file.c_str()); });
}

void Script::RegisterCommands()
{
    m_tcl.createCommand(m_interp, "echo", TclCommand<&Script::Echo>, this, nullptr);
    m_tcl.createCommand(m_interp, "msg", TclCommand<&Script::Msg>, this, nullptr);
    m_tcl.createCommand(m_interp, "cmd", TclCommand<&Script::Cmd>, this, nullptr);
    m_tcl.createCommand(m_interp, "this", TclCommand<&Script::This>, this, nullptr);
    // Tcl's own "exit" would end the whole program.
    m_tcl.createCommand(
        m_interp, "exit",
        [](ClientData data, Tcl_Interp *, int, const char *[]) { return static_cast<Script *>(data)->Exit(); }, this,
        nullptr);
}

bool Script::OfferCommand(const std::string &line)
{
    if (!m_interp)
        return false;
    // What OnClient answers does not matter; that it failed does.
    if (HasCommand("OnClient") && !Evaluate("OnClient", line, false))
        ReportFailure("OnClient " + line);
    m_currentLine = line;
    const std::string word = GetWord(line, 1);
    if (word.empty() || word[0] != '/')
        return false; // only the script's own slash procedures, never a Tcl command
    // A word that names no procedure would only reach Tcl's "unknown".
    if (!HasCommand(word))
        return false;
    if (!Evaluate(std::string(), line, true))
        ReportFailure(line);
    return true;
}

// Runs one command whose words are firstWord (when not empty) and the words
// of the line, each passed as one list element so that no "$", "[", "\" or
// quote in them means anything to Tcl.
bool Script::Evaluate(const std::string &firstWord, const std::string &line, bool global)
{
    std::vector<std::string> words;
    if (!firstWord.empty())
        words.push_back(firstWord);
    // Blanks at the end separate no further word: "/hi " (as the command
    // pop-up completes it) is "/hi" alone.
    const std::string_view trimmed = std::string_view(line).substr(0, line.find_last_not_of(' ') + 1);
    const int count = CountWords(trimmed);
    for (int n = 1; n <= count; ++n)
        words.push_back(GetWord(trimmed, n));
    std::vector<const char *> argv;
    for (const std::string &word : words)
        argv.push_back(word.c_str());

    char *command = m_tcl.merge(static_cast<int>(argv.size()), argv.data());
    const std::string what = firstWord.empty() ? line : firstWord + " " + line;
    const int result =
        RunLimited(what, [&] { return global ? m_tcl.globalEval(m_interp, command) : m_tcl.eval(m_interp, command); });
    m_tcl.free(command);
    return result == TCL_OK;
}

// Only the outermost of nested evaluations sets the limit and lifts it
// again, so that an inner one can neither extend nor end it. Lifting it also
// clears Tcl's "exceeded" state, which would otherwise fail every later
// command of the interpreter.
int Script::RunLimited(const std::string &what, const std::function<int()> &evaluate)
{
    const bool outermost = m_depth == 0;
    if (outermost) {
        Tcl_Time deadline;
        m_tcl.getTime(&deadline);
        const long long micros = deadline.usec + static_cast<long long>(m_timeLimitMs) * 1000;
        deadline.sec += static_cast<long>(micros / 1000000);
        deadline.usec = static_cast<long>(micros % 1000000);
        m_tcl.limitTypeSet(m_interp, TCL_LIMIT_TIME);
        m_tcl.limitSetTime(m_interp, &deadline);
        // The clock is read at every check, not at every tenth.
        m_tcl.limitSetGranularity(m_interp, TCL_LIMIT_TIME, 1);
    }
    ++m_depth;
    int result = evaluate();
    --m_depth;
    // An inner evaluation stopped by the limit may leave its caller's
    // command returning normally: the limit still ended the whole run.
    if (m_tcl.limitTypeExceeded(m_interp, TCL_LIMIT_TIME)) {
        m_timeOut = Strings::Format(Str::ScriptTimedOut, m_name.c_str(), m_timeLimitMs, what.c_str());
        result = TCL_ERROR;
    } else if (result != TCL_OK) {
        m_timeOut.clear();
    }
    if (outermost)
        m_tcl.limitTypeReset(m_interp, TCL_LIMIT_TIME);
    return result;
}

void Script::ReportFailure(const std::string &what)
{
    // An inner evaluation stopped by the limit is reported by the outermost.
    if (!m_owner || (!m_timeOut.empty() && m_depth > 0))
        return;
    m_owner->Print(m_timeOut.empty()
                       ? Strings::Format(Str::ScriptFailed, m_name.c_str(), what.c_str(), ErrorText().c_str())
                       : m_timeOut,
                   TextClass::Error);
}

bool Script::HasCommand(const std::string &name) const
{
    Tcl_CmdInfo info;
    return m_tcl.getCommandInfo(m_interp, name.c_str(), &info) != 0;
}

std::string Script::ErrorText() const
{
    if (!m_timeOut.empty())
        return m_timeOut;
    const char *result = m_interp ? m_tcl.getStringResult(m_interp) : "";
    if (result && *result)
        return result;
    return Strings::Format(Str::ScriptErrorLine, ErrorLine());
}

int Script::ErrorLine() const
{
    return m_interp ? m_tcl.getErrorLine(m_interp) : 0;
}

int Script::Echo(int argc, const char *argv[])
{
    if (m_owner)
        m_owner->Print(JoinArguments(argc, argv, true), TextClass::Info);
    return TCL_OK;
}

int Script::Msg(int argc, const char *argv[])
{
    if (!m_owner || !m_owner->Owner())
        return TCL_OK;
    return RunClientCommand("/msg " + m_owner->Name() + " " + JoinArguments(argc, argv, false));
}

int Script::Cmd(int argc, const char *argv[])
{
    if (!m_owner || !m_owner->Owner())
        return TCL_OK;
    return RunClientCommand(JoinArguments(argc, argv, false));
}

int Script::RunClientCommand(const std::string &line)
{
    if (g_commandDepth >= kMaxCommandDepth) {
        const std::string text = Strings::Format(Str::ScriptCommandsTooDeep, kMaxCommandDepth, line.c_str());
        m_owner->Print(text, TextClass::Error);
        SetResult(text);
        return TCL_ERROR;
    }
    ++g_commandDepth;
    // The window may close or unload this script meanwhile; nothing of the
    // window is touched after the command returns.
    m_owner->RunCommand(line);
    --g_commandDepth;
    return TCL_OK;
}

int Script::This(int argc, const char *argv[])
{
    if (argc < 2) {
        m_tcl.setResult(m_interp, const_cast<char *>("Error in this call. [this name] etc ..."), TCL_STATIC);
        return TCL_ERROR;
    }
    const std::string what = argv[1];
    if (what == "name")
        SetResult(m_owner ? m_owner->Name() : std::string());
    else if (what == "cmdline")
        SetResult(m_currentLine);
    else if (what == "argsline")
        SetResult(GetRest(m_currentLine, 2));
    return TCL_OK;
}

int Script::Exit()
{
    SetResult(Strings::Get(Str::ScriptExitRefused));
    return TCL_ERROR;
}

void Script::SetResult(const std::string &text)
{
    m_tcl.setResult(m_interp, const_cast<char *>(text.c_str()), TCL_VOLATILE);
}
