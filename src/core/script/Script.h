// Script: one Tcl script loaded into a conversation window.
#pragma once

#include <functional>
#include <string>

#include "conversation/WindowScript.h"

class Conversation;
class TclLibrary;
struct Tcl_Interp;

// One Tcl script with its own interpreter, bound to the conversation window it
// was loaded into (or to none, for the editor's parse check). The script
// reaches the program through four commands: "echo" prints in the window,
// "msg" talks to the window's channel or nick, "cmd" runs a client command
// line and "this" tells the window's name and the line being offered. It sees
// the lines issued from its window through OfferCommand.
//
// Everything runs on the UI thread, nested in the call that triggered it, so
// every evaluation the program starts runs under a time limit: a script that
// never returns is stopped and told about instead of freezing the program. A
// script's command may close its own window or unload the script itself: the
// window then detaches itself (DetachOwner) and whoever offers a line must
// hold the script (the engine keeps it in a shared pointer) until the call
// returns.
class Script : public WindowScript
{
public:
    // How deep "cmd" and "msg" of scripts may nest inside each other.
    static constexpr int kMaxCommandDepth = 16;
    // How long one evaluation the program starts (the file's top level,
    // OnClient, a slash procedure) may run before Tcl stops it: far longer
    // than any script that does its work and returns needs, short enough
    // that the servers still get their answers.
    static constexpr int kTimeLimitMs = 5000;

    Script(TclLibrary &tcl, Conversation *owner, int timeLimitMs = kTimeLimitMs);
    ~Script() override;
    Script(const Script &) = delete;
    Script &operator=(const Script &) = delete;

    // The name a script of that path is known by in its window: the file
    // name, lower case ("Scripts/Hello.TCL" -> "hello.tcl").
    static std::string NameOf(const std::string &path);
    // Where a script path points: a relative one is taken from the
    // executable's folder (the program's working folder is never changed).
    static std::string ResolvePath(const std::string &path);

    // Makes the interpreter, registers the commands and runs the file.
    // Returns the Tcl result code (0 = the whole file ran; an error also
    // when the file ran past the time limit).
    int Init(const std::string &path);

    // A command line issued from the owner window. OnClient (when the
    // script has it) gets the words of the line as its arguments; then a
    // line whose command word starts with "/" runs the script's procedure
    // of that name with the other words as arguments. Every word arrives as
    // exactly one argument, unchanged: nothing of the line is evaluated as
    // Tcl; blanks at the end of the line make no empty argument. True when
    // the script has that procedure (it took the line). An
    // error or a time-out of OnClient or of the procedure is printed in the
    // window as an error naming the script and the line.
    bool OfferCommand(const std::string &line) override;

    // The error of the last failed evaluation: the time-out (script, limit
    // and what ran) when Tcl stopped it, else the interpreter's result, or
    // "* Chyba v skripte, riadok %d" when that is empty.
    std::string ErrorText() const;
    int ErrorLine() const;

    const std::string &Name() const { return m_name; }
    const std::string &Path() const { return m_path; }
    Conversation *Owner() const { return m_owner; }
    // The window is going away: the script's commands stop reaching it.
    void DetachOwner() override { m_owner = nullptr; }

private:
    bool Evaluate(const std::string &firstWord, const std::string &line, bool global);
    // Runs evaluate under the time limit; what names it in a time-out.
    int RunLimited(const std::string &what, const std::function<int()> &evaluate);
    // Prints the failure of the evaluation of what in the owner window.
    void ReportFailure(const std::string &what);
    bool HasCommand(const std::string &name) const;
    void RegisterCommands();

    // The Tcl commands (argument words from 1).
    int Echo(int argc, const char *argv[]);
    int Msg(int argc, const char *argv[]);
    int Cmd(int argc, const char *argv[]);
    int This(int argc, const char *argv[]);
    int Exit();
    // Runs a client command line for the owner window, within the depth cap.
    int RunClientCommand(const std::string &line);
    void SetResult(const std::string &text);

    TclLibrary &m_tcl;
    Tcl_Interp *m_interp = nullptr;
    Conversation *m_owner;
    std::string m_name;
    std::string m_path;
    std::string m_currentLine;
    int m_timeLimitMs;
    // Evaluations of this interpreter running now (a procedure's "cmd" may
    // offer a line to the same script again).
    int m_depth = 0;
    std::string m_timeOut; // the message of the last time-out, empty when the last failure was none
};
