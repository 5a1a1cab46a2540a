#include "script/TclLibrary.h"

#include <QCoreApplication>

#include <map>
#include <memory>

namespace {

// One slot per list of candidates, kept for the life of the process.
std::map<std::vector<std::string>, std::unique_ptr<TclLibrary>> &LoadedLibraries()
{
    static auto *libraries = new std::map<std::vector<std::string>, std::unique_ptr<TclLibrary>>();
    return *libraries;
}

std::map<std::vector<std::string>, std::string> &Failures()
{
    static std::map<std::vector<std::string>, std::string> failures;
    return failures;
}

} // namespace

std::vector<std::string> TclLibrary::DefaultNames()
{
#ifdef Q_OS_WIN
    return {"tcl86t.dll", "tcl86.dll"};
#elif defined(Q_OS_MACOS)
    return {"libtcl8.6.dylib", "/Library/Frameworks/Tcl.framework/Tcl"};
#else
    return {"libtcl8.6.so", "libtcl8.6.so.0"};
#endif
}

TclLibrary *TclLibrary::Open(const std::vector<std::string> &candidates)
{
    auto &libraries = LoadedLibraries();
    auto found = libraries.find(candidates);
    if (found != libraries.end())
        return found->second.get();
    std::unique_ptr<TclLibrary> library(new TclLibrary());
    if (!library->Load(candidates)) {
        Failures()[candidates] = library->m_failure;
        return nullptr; // tried again next time: the user may install it meanwhile
    }
    Failures().erase(candidates);
    library->Start();
    return libraries.emplace(candidates, std::move(library)).first->second.get();
}

std::string TclLibrary::FailureOf(const std::vector<std::string> &candidates)
{
    auto found = Failures().find(candidates);
    return found == Failures().end() ? std::string() : found->second;
}

bool TclLibrary::Load(const std::vector<std::string> &candidates)
{
    if (!m_library.Load(candidates)) {
        m_failure = m_library.ErrorText();
        return false;
    }
    if (!ResolveEntryPoints()) {
        m_failure = m_library.ErrorText();
        m_library.Unload();
        return false;
    }
    return true;
}

bool TclLibrary::ResolveEntryPoints()
{
    bool all = true;
    auto resolve = [&](auto &pointer, const char *name) {
        pointer = m_library.ResolveAs<std::remove_reference_t<decltype(pointer)>>(name);
        all = all && pointer;
    };
    resolve(findExecutable, "Tcl_FindExecutable");
    resolve(setSystemEncoding, "Tcl_SetSystemEncoding");
    resolve(createInterp, "Tcl_CreateInterp");
    resolve(init, "Tcl_Init");
    resolve(deleteInterp, "Tcl_DeleteInterp");
    resolve(createCommand, "Tcl_CreateCommand");
    resolve(evalFile, "Tcl_EvalFile");
    resolve(eval, "Tcl_Eval");
    resolve(globalEval, "Tcl_GlobalEval");
    resolve(merge, "Tcl_Merge");
    resolve(free, "Tcl_Free");
    resolve(setResult, "Tcl_SetResult");
    resolve(getStringResult, "Tcl_GetStringResult");
    resolve(getErrorLine, "Tcl_GetErrorLine");
    resolve(resetResult, "Tcl_ResetResult");
    resolve(getCommandInfo, "Tcl_GetCommandInfo");
    resolve(getTime, "Tcl_GetTime");
    resolve(limitSetTime, "Tcl_LimitSetTime");
    resolve(limitSetGranularity, "Tcl_LimitSetGranularity");
    resolve(limitTypeSet, "Tcl_LimitTypeSet");
    resolve(limitTypeReset, "Tcl_LimitTypeReset");
    resolve(limitTypeExceeded, "Tcl_LimitTypeExceeded");
    return all;
}

// Tcl must learn where it runs before the first interpreter: that is what
// sets up its encodings and finds its script library (init.tcl, clock).
// Our text is UTF-8 whatever the locale says, so files are read as UTF-8.
void TclLibrary::Start()
{
    const QByteArray executable =
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath().toUtf8() : QByteArray();
    findExecutable(executable.isEmpty() ? nullptr : executable.constData());
    setSystemEncoding(nullptr, "utf-8");
}
