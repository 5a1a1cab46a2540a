#pragma once

#include <string>

class Session;

// The command language as a session reaches it (CommandDispatcher, given to
// the session table by whoever makes the table): Session::Command hands it
// every command line.
class CommandRunner
{
public:
    // Runs one command line for the session (window: the issuing window's
    // name, may be empty; kind: the issuing window's kind): 1 done, 0 unknown
    // or misused.
    virtual int Run(Session &session, const std::string &window, int kind, const std::string &line) = 0;

protected:
    ~CommandRunner() = default;
};
