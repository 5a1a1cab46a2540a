#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QTemporaryDir>

#include "BenchShell.h"
#include "ServerChild.h"
#include "commands/CommandDispatcher.h"
#include "session/SessionTable.h"

class ConversationLog;
class HistoryIndex;
class Session;

// The flood as bench_flood measures it, for every benchmark that floods: a
// scripted server child floods a registered session that renders into the
// program's own channel window.

// The server child's main: N flood lines, C channels of M members.
int ServeFlood(int argc, char **argv, int lines, int channels, int members);

// A configuration folder of the benchmark's own with the nick in it.
struct FloodConfig
{
    FloodConfig();
    QTemporaryDir dir;
};

// The server child and the session connected to it, in a visible (or, with
// BRIMO_FLOOD_HIDDEN, hidden) main window of the program's real windows.
// With a logs folder the session's windows are logged there and the logs
// indexed, as the program does while logging is on.
class FloodClient
{
public:
    explicit FloodClient(const std::string &logsFolder = {});
    ~FloodClient();

    // Starts the server child and connects; false (said on stderr) when it fails.
    bool Connect(int lines, int channels, int members);
    // Waits until the client is in channels channels with members members each.
    bool WaitJoined(int channels, int members);
    // Connects to a server of lines flood lines, joins its one channel and
    // lets the window settle: ready for MeasureFlood.
    bool PrepareFlood(int lines);

    Session &ClientSession() { return *m_session; }
    BenchShell &Shell() { return m_shell; }
    const std::string &ServerOutput() const { return m_server.Output(); }

private:
    FloodConfig m_config;
    ServerChild m_server;
    BenchShell m_shell;
    CommandDispatcher m_commands;
    SessionTable m_table;
    std::unique_ptr<ConversationLog> m_log;
    std::unique_ptr<HistoryIndex> m_index;
    Session *m_session = nullptr;
};

struct FloodMeasurement
{
    double seconds = 0;    // the server's time from the first flood line to the PONG of the last PING
    double cpuSeconds = 0; // the client's CPU time over the same span
};

// Says "ready" and waits for the flood to end; none (said on stderr) when it does not.
std::optional<FloodMeasurement> MeasureFlood(FloodClient &client);
