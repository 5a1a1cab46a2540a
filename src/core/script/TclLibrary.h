// The Tcl 8.6 library, loaded at run time: its entry points and one-time start.
#pragma once

#include <tcl.h>

#include <string>
#include <vector>

#include "platform/DynamicLibrary.h"

// The Tcl library as the script engine uses it. It is looked for by name when
// the first script is made, started once (Tcl_FindExecutable, UTF-8 as the
// system encoding) and never unloaded: interpreters and Tcl's own per-thread
// data may outlive anything that could own it. Only the types and constants of
// <tcl.h> are used; every call goes through the pointers below.
class TclLibrary
{
public:
    // The names tried on this platform ("libtcl8.6.so", "tcl86t.dll", ...).
    static std::vector<std::string> DefaultNames();

    // The library loaded from the first candidate that loads and exports
    // every entry point below, started; null when none does. The same
    // candidates give the same object for the rest of the process.
    static TclLibrary *Open(const std::vector<std::string> &candidates);

    // Why the last Open of these candidates failed (empty after success).
    static std::string FailureOf(const std::vector<std::string> &candidates);

    decltype(&::Tcl_FindExecutable) findExecutable = nullptr;
    decltype(&::Tcl_SetSystemEncoding) setSystemEncoding = nullptr;
    decltype(&::Tcl_CreateInterp) createInterp = nullptr;
    decltype(&::Tcl_Init) init = nullptr;
    decltype(&::Tcl_DeleteInterp) deleteInterp = nullptr;
    decltype(&::Tcl_CreateCommand) createCommand = nullptr;
    decltype(&::Tcl_EvalFile) evalFile = nullptr;
    decltype(&::Tcl_Eval) eval = nullptr;
    decltype(&::Tcl_GlobalEval) globalEval = nullptr;
    decltype(&::Tcl_Merge) merge = nullptr;
    decltype(&::Tcl_Free) free = nullptr;
    decltype(&::Tcl_SetResult) setResult = nullptr;
    decltype(&::Tcl_GetStringResult) getStringResult = nullptr;
    decltype(&::Tcl_GetErrorLine) getErrorLine = nullptr;
    decltype(&::Tcl_ResetResult) resetResult = nullptr;
    decltype(&::Tcl_GetCommandInfo) getCommandInfo = nullptr;
    // The interpreter's time limit, which stops an evaluation that runs too long.
    decltype(&::Tcl_GetTime) getTime = nullptr;
    decltype(&::Tcl_LimitSetTime) limitSetTime = nullptr;
    decltype(&::Tcl_LimitSetGranularity) limitSetGranularity = nullptr;
    decltype(&::Tcl_LimitTypeSet) limitTypeSet = nullptr;
    decltype(&::Tcl_LimitTypeReset) limitTypeReset = nullptr;
    decltype(&::Tcl_LimitTypeExceeded) limitTypeExceeded = nullptr;

private:
    TclLibrary() = default;
    bool Load(const std::vector<std::string> &candidates);
    bool ResolveEntryPoints();
    void Start();

    DynamicLibrary m_library;
    std::string m_failure;
};
