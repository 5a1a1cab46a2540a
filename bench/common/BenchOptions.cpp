#include "BenchOptions.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>
#include <cstring>

long BenchOptions::Number(const char *name, long fallback) const
{
    const char *text = Text(name);
    return text ? std::atol(text) : fallback;
}

const char *BenchOptions::Text(const char *name) const
{
    for (int i = 1; i + 1 < m_argc; i += 2)
        if (!std::strcmp(m_argv[i], name))
            return m_argv[i + 1];
    return nullptr;
}

void UseOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
