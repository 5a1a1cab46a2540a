#pragma once

#include <QLibrary>

#include <string>
#include <vector>

// A shared library loaded at run time (the Tcl library is one): the program
// runs on without it when none of its candidate names can be loaded.
class DynamicLibrary
{
public:
    DynamicLibrary() = default;
    // Unloads the library when this object loaded it.
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary &) = delete;
    DynamicLibrary &operator=(const DynamicLibrary &) = delete;

    // Tries the candidates in order (file names such as "libtcl8.6.so" or
    // "tcl86t.dll", or full paths) and keeps the first that loads. Returns
    // true when one did; otherwise ErrorText tells why the last one failed.
    // A library loaded earlier by this object is unloaded first.
    bool Load(const std::vector<std::string> &candidates);
    void Unload();
    bool IsLoaded() const;

    // The address of an exported symbol, or nullptr (ErrorText set).
    QFunctionPointer Resolve(const char *symbol);
    // The same, cast to the function type the caller expects.
    template <typename Function>
    Function ResolveAs(const char *symbol)
    {
        return reinterpret_cast<Function>(Resolve(symbol));
    }

    // The candidate that was loaded (empty when none).
    std::string LoadedName() const { return m_loadedName; }
    // Why the last Load or Resolve failed (empty after success).
    std::string ErrorText() const { return m_errorText; }

private:
    QLibrary m_library;
    std::string m_loadedName;
    std::string m_errorText;
};
