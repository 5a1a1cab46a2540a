#include "session/Session.h"

#include <cerrno>
#include <chrono>

#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "config/ServerPort.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "conversation/Shell.h"
#include "session/SessionSocket.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"

Session::Session(SessionTable &table) : m_table(table), m_socket(new SessionSocket(this))
{
    m_sendTimer.setSingleShot(true);
    QObject::connect(&m_sendTimer, &QTimer::timeout, &m_sendTimer, [this] {
        BusyGuard guard(*this);
        WriteDueLines();
    });
}

Session::~Session()
{
    m_windows.clear();
    m_socket->DetachSession();
    m_socket->ShutdownSend();
    m_socket->Close();
    // The socket may be the sender of the notification that is unwinding.
    m_socket->deleteLater();
}

std::string Session::LocalAddress() const
{
    return m_connected && m_socket ? m_socket->LocalAddress() : std::string();
}

std::string Session::ServerAddress() const
{
    return m_connected && m_socket ? m_socket->PeerAddress() : std::string();
}

Shell *Session::GetShell() const
{
    return m_table.GetShell();
}

LineRecorder *Session::Recorder() const
{
    return m_table.Recorder();
}

Session *Session::Of(const Conversation &conversation)
{
    return dynamic_cast<Session *>(conversation.Owner());
}

void Session::DeleteWhenIdle()
{
    if (m_busyDepth > 0) {
        m_deleteWhenIdle = true;
        return;
    }
    delete this;
}

bool Session::InitKernel(const std::string &host, unsigned port, const std::string &confName, bool tls)
{
    m_host = host;
    m_port = port;
    m_tls = tls;
    if (!confName.empty())
        m_confName = confName;
    Log("InitKernel: %s:%u, ConfName: %s", host.c_str(), port, confName.c_str());
    EnterWithServerWindow(host, port);
    Log("Init kernel ok ...");
    StartConnect();
    return true;
}

bool Session::InitWithoutServer()
{
    m_autoReconnect = false;
    m_confName = Strings::Get(Str::NotConnectedTitle);
    Log("InitKernel without server");
    Conversation *server = EnterWithServerWindow(std::string(), 0);
    PrintTo("", TextClass::Info, Strings::Get(Str::NotConnectedHint));
    return server != nullptr;
}

Conversation *Session::EnterWithServerWindow(const std::string &host, unsigned port)
{
    m_key = FoldCase(StrPrintf("KRNL:%d:%s:%u", SessionTable::NextSessionNumber(), host.c_str(), port));
    m_table.Enter(m_key, this);
    InitKernelProps(host, port);
    Conversation *server = FindWindow(m_key);
    if (!server)
        server = OpenWindow(m_key, Conversation::KindText, Conversation::TypeStatus);
    if (server)
        server->SetTitle(m_humanName);
    return server;
}

void Session::InitKernelProps(const std::string &host, unsigned port)
{
    Log("InitKernelProps ( init kernel properties ) ...");
    if (m_confName.empty()) {
        m_confName = FavouriteServers::NameAt(host, port, m_tls);
        if (m_confName.empty())
            m_confName = host;
    }
    m_humanName = m_confName;
    for (int n = 1; m_table.IsNameTaken(m_humanName, this); ++n)
        m_humanName = StrPrintf("%s %d", m_confName.c_str(), n);
    Log("ConfName: %s", m_confName.c_str());
    Log("HumanName: %s", m_humanName.c_str());
    if (Conversation *server = ServerWindow())
        server->SetTitle(m_humanName);
}

void Session::StartConnect()
{
    m_closeAfterReceive = false;
    m_quitSent = false;
    m_socket->Close();
    m_assembler.Clear();
    m_unsent.clear();
    ResetSendQueue();
    m_connected = false;
    m_connecting = true;
    ++m_connectionNumber;
    PrintTo("", TextClass::Info, Strings::Format(Str::ConnectingTo, m_host.c_str(), m_port));
    m_waitingLines.clear();
    RecordCommand(std::string(), 0);
    m_ownUser.clear();
    m_ownHost.clear();
    m_networkAddress.clear();
    m_hostLookup.reset();

    Log("ConnectThreadHelper -> Connect ...");
    const bool started = ConnectSocket();
    if (!started) {
        const int error = m_port > 65535 ? EINVAL : m_socket->LastError();
        OnConnect(error != 0 ? error : EINVAL);
    }
}

void Session::OnConnect(int error)
{
    if (error != 0) {
        ReportConnectFailure(error);
        ConnectionLost();
        return;
    }
    SetSocketOptions();
    Log("Connecion ok");
    PrintEncryption();
    m_connected = true;
    m_lossReported = false;
    ResetSendQueue();
    Command(m_key, 0, "/reguser");
    FlushWaitingLines();
}

void Session::ReportConnectFailure(int error)
{
    const std::string port = ServerPort{m_port, m_tls}.Text();
    PrintTo("", TextClass::Info,
            Strings::Format(Str::ConnectFailed, m_host.c_str(), port.c_str(), AsyncSocket::ErrorText(error).c_str()));
    // Once for a run of failures that did not begin with a lost connection
    // (a loss says so itself and is retried alone): a first attempt, a new
    // "/server", where a wrong address or no network shows.
    if (!m_lossReported)
        PrintTo("", TextClass::Info, Strings::Get(Str::ConnectRetryHint));
}

void Session::SetSocketOptions()
{
    if (!m_socket->SetOption(AsyncSocket::KeepAlive, 1))
        Log("Error on set flag: keepalive");
    if (!m_socket->SetOption(AsyncSocket::OobInline, 1))
        Log("Error on set flag: oobinline");
    // Not set, although the classic client did: do-not-route, which Windows
    // ignores but Linux obeys, so no server behind a gateway could be
    // reached; and 4097-byte buffers, with which a burst on Linux meets
    // delayed acknowledgements and arrives at about 40 kB/s (a long LIST
    // reply would take minutes). The system's buffer sizes stay.
}

void Session::CloseSocket()
{
    // Inside OnReceive the user interface is pumped; a socket closed there
    // could be deleted by that pump while it is still delivering its
    // notification. It is closed when the receive handler returns.
    if (m_receiveDepth > 0) {
        m_closeAfterReceive = true;
        return;
    }
    m_socket->Close();
}

void Session::OnClose(int error)
{
    Log("Connection closed, OnClose: nErrorCode: %d", error);
    if (!m_quitSent)
        PrintTo("", TextClass::Info, Strings::Format(Str::ConnectError, AsyncSocket::ErrorText(error).c_str()));
    m_connected = false;
    ConnectionLost();
}

void Session::ConnectionLost()
{
    for (Conversation *window : Windows()) {
        if (!window->HasView())
            continue;
        window->Nicks().Clear();
        window->NickListChanged();
    }
    // Said once for a loss, not again for every attempt that fails after it.
    if (!m_lossReported)
        PrintTo("", TextClass::Error, Strings::Get(Str::ConnectionLost), true);
    m_lossReported = true;
    m_caps = Capabilities();
    m_backoff.Lost(ClockMs());
    CloseSocket();
    m_connected = false;
    m_connecting = false;
    m_assembler.Clear();
    m_unsent.clear();
    ResetSendQueue();
    ++m_connectionNumber;
    m_channelList.End();
}

int Session::Tick()
{
    if (MayReconnect() && !m_connected && !m_connecting && m_backoff.IsDue(ClockMs())) {
        PrintTo("", TextClass::Error, Strings::Get(Str::Reconnecting));
        StartConnect();
    }
    return 1;
}

bool Session::MayReconnect() const
{
    return m_autoReconnect && !m_certificateRefused && !IsAwaitingCertificateAnswer() && !m_fatalRefusal;
}

void Session::ReconnectNow()
{
    if (m_shutdown)
        return;
    if (HasNoServer()) {
        PrintTo("", TextClass::Info, Strings::Get(Str::NotConnectedHint));
        return;
    }
    m_fatalRefusal = false;
    m_certificateRefused = false;
    m_askedFingerprint.clear();
    m_backoff.Reset();
    PrintTo("", TextClass::Error, Strings::Get(Str::Reconnecting));
    StartConnect();
}

void Session::RefuseForGood()
{
    if (m_fatalRefusal)
        return;
    m_fatalRefusal = true;
    PrintTo("", TextClass::Error, Strings::Get(Str::RefusedForGood));
}

int64_t Session::ClockMs() const
{
    if (m_clock)
        return m_clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Session::Shutdown()
{
    BusyGuard guard(*this);
    const std::string quitMessage = ReadString("Msgs Quit");
    Command(m_key, 0, quitMessage.empty() ? std::string("/quit") : "/quit " + quitMessage);
    m_autoReconnect = false;
    m_shutdown = true;
    std::vector<std::string> names;
    for (const auto &entry : m_windows)
        names.push_back(entry.first);
    for (const std::string &name : names) {
        CloseWindow(name);
        Log("Close: %s", name.c_str());
    }
    m_windows.clear();
    ConnectionLost();
}

void Session::Log(const char *format, ...)
{
    if (!m_table.IsDebugLogOpen())
        return;
    va_list args;
    va_start(args, format);
    const std::string message = VStrPrintf(format, args);
    va_end(args);
    m_table.DebugLog("[%s] %s", m_key.c_str(), message.c_str());
}
