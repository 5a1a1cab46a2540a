#include "ServerChild.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

#include "BenchWait.h"

ServerChild::ServerChild()
{
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput,
                     [this] { m_output += m_process.readAllStandardOutput().toStdString(); });
}

ServerChild::~ServerChild()
{
    m_process.terminate();
    m_process.waitForFinished(5000);
}

unsigned ServerChild::Start(const QStringList &arguments)
{
    m_process.start(QCoreApplication::applicationFilePath(), arguments);
    if (!WaitUntil([&] { return m_output.find('\n') != std::string::npos; }, 10000)) {
        std::fprintf(stderr, "the server did not start\n");
        return 0;
    }
    return static_cast<unsigned>(std::atoi(m_output.c_str() + 5));
}
