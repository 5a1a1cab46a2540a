#include "platform/DynamicLibrary.h"

DynamicLibrary::~DynamicLibrary()
{
    Unload();
}

bool DynamicLibrary::Load(const std::vector<std::string> &candidates)
{
    Unload();
    m_errorText = candidates.empty() ? "no library name given" : std::string();
    for (const std::string &name : candidates) {
        if (name.empty())
            continue;
        m_library.setFileName(QString::fromStdString(name));
        if (m_library.load()) {
            m_loadedName = name;
            m_errorText.clear();
            return true;
        }
        m_errorText = m_library.errorString().toStdString();
    }
    return false;
}

void DynamicLibrary::Unload()
{
    if (m_library.isLoaded())
        m_library.unload();
    m_loadedName.clear();
}

bool DynamicLibrary::IsLoaded() const
{
    return !m_loadedName.empty() && m_library.isLoaded();
}

QFunctionPointer DynamicLibrary::Resolve(const char *symbol)
{
    if (!IsLoaded()) {
        m_errorText = "library not loaded";
        return nullptr;
    }
    if (!symbol || !*symbol) {
        m_errorText = "no symbol name given";
        return nullptr;
    }
    QFunctionPointer address = m_library.resolve(symbol);
    if (address)
        m_errorText.clear();
    else
        m_errorText = m_library.errorString().toStdString();
    return address;
}
