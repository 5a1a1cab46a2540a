#include "FloodRun.h"

#include <QCoreApplication>

#include <sys/time.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "BenchWait.h"
#include "FloodLines.h"
#include "FloodServer.h"
#include "ProcessUsage.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "history/ConversationLog.h"
#include "history/HistoryIndex.h"
#include "session/Session.h"

int ServeFlood(int argc, char **argv, int lines, int channels, int members)
{
    QCoreApplication app(argc, argv);
    FloodServer server(lines, channels, members);
    if (!server.Listen())
        return 1;
    return app.exec();
}

FloodConfig::FloodConfig()
{
    SetConfigDirectory(dir.path().toStdString());
    WriteString(kBaseSection, "Nick", "me");
    // A user's configuration file was written long before a flood comes.
    const std::string configFile = ConfigFilePath();
    const timeval anHourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    utimes(configFile.c_str(), anHourAgo);
}

FloodClient::FloodClient(const std::string &logsFolder)
    : m_shell(!qEnvironmentVariableIsSet("BRIMO_FLOOD_HIDDEN")), m_table(&m_shell, m_commands)
{
    if (logsFolder.empty())
        return;
    m_log = std::make_unique<ConversationLog>(m_table);
    m_log->Apply({true, logsFolder});
    m_index = std::make_unique<HistoryIndex>(logsFolder);
    m_log->SetWrittenSink(
        [index = m_index.get()](const std::vector<std::string> &paths) { index->FilesWritten(paths); });
    m_table.SetRecorder(m_log.get());
}

FloodClient::~FloodClient()
{
    // The windows that close with the table are no longer logged; the log
    // writes what it keeps while the index it tells is still there.
    m_table.SetRecorder(nullptr);
    m_log.reset();
}

bool FloodClient::Connect(int lines, int channels, int members)
{
    const unsigned port =
        m_server.Start({"--serve", QString::number(lines), QString::number(channels), QString::number(members)});
    if (port == 0)
        return false;
    // The application fills its contact list (empty here) at start.
    m_table.Contacts().Set({});
    m_session = m_table.CreateSession("127.0.0.1", port, "");
    return m_session != nullptr;
}

bool FloodClient::WaitJoined(int channels, int members)
{
    const bool joined = WaitUntil(
        [&] {
            for (int k = 0; k < channels; ++k) {
                Conversation *channel = m_session->FindWindow(FloodLines::Channel(k));
                if (!channel || channel->Nicks().NickCount() < members)
                    return false;
            }
            return true;
        },
        60000);
    if (!joined)
        std::fprintf(stderr, "the session did not join the channels\n");
    return joined;
}

bool FloodClient::PrepareFlood(int lines)
{
    if (!Connect(lines, 1, FloodLines::kMembers) || !WaitJoined(1, FloodLines::kMembers))
        return false;
    WaitUntil([] { return false; }, 200); // let the window settle and paint
    return true;
}

std::optional<FloodMeasurement> MeasureFlood(FloodClient &client)
{
    const double cpuBefore = ProcessUsage::CpuSeconds();
    client.ClientSession().SendLine(std::string("PRIVMSG ") + FloodLines::kChannel + " :ready");
    const std::string &serverOutput = client.ServerOutput();
    if (!WaitUntil([&] { return serverOutput.find("elapsed") != std::string::npos; }, 600000)) {
        std::fprintf(stderr, "the flood did not end\n");
        return std::nullopt;
    }
    FloodMeasurement measured;
    measured.cpuSeconds = ProcessUsage::CpuSeconds() - cpuBefore;
    measured.seconds = std::atoll(serverOutput.c_str() + serverOutput.find("elapsed") + 8) / 1e6;
    return measured;
}
