#include "dcc/DirectConnections.h"

#include "shell/OverwriteQuestion.h"

#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/ConversationView.h"
#include "conversation/Shell.h"
#include "session/AddressScope.h"
#include "session/Ctcp.h"
#include "session/DccOffer.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

bool IsHostName(const std::string &host)
{
    if (host.empty() || host.size() > 253)
        return false;
    QHostAddress address;
    if (address.setAddress(QString::fromStdString(host)))
        return true;
    return std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    });
}

} // namespace

DirectConnections::DirectConnections(SessionTable &table) : m_table(table) {}

DirectConnections::~DirectConnections() = default;

std::vector<DirectConnect *> DirectConnections::Connections() const
{
    std::vector<DirectConnect *> connections;
    for (const auto &connection : m_connections)
        connections.push_back(connection.get());
    return connections;
}

int DirectConnections::Command(Session &session, const std::string &window, const std::string &line)
{
    const int words = CountWords(line);
    const std::string what = GetWord(line, 2);
    const std::string how = GetWord(line, 3);
    if (EqualIgnoringCase(what, "chat") && EqualIgnoringCase(how, "connect")) {
        if (words == 5)
            return ChatConnect(session, window, GetWord(line, 4), GetWord(line, 5));
        if (words == 4)
            return ChatOffer(session, GetWord(line, 4));
        return 0;
    }
    if (EqualIgnoringCase(what, "chat") && EqualIgnoringCase(how, "passive") && words == 5)
        return ChatPassive(session, GetWord(line, 4), GetWord(line, 5));
    if (EqualIgnoringCase(what, "send") && EqualIgnoringCase(how, "receive") && words == 7)
        return FileReceive(session, window, line);
    if (EqualIgnoringCase(what, "send") && EqualIgnoringCase(how, "passive") && words == 7)
        return FilePassive(session, line);
    if (EqualIgnoringCase(what, "send") && EqualIgnoringCase(how, "send") && words >= 5)
        return FileSend(session, GetWord(line, 4), GetRest(line, 5));
    return 0;
}

bool DirectConnections::CheckTarget(Session &session, const std::string &window, const std::string &host,
                                    const std::string &port) const
{
    // A typed or clicked line can carry anything: only a host name or
    // address and a port of 1..65535 are ever connected to.
    if (IsHostName(host) && DccOffer::PortFromWord(port) != 0)
        return true;
    session.PrintTo(window, TextClass::Error, Strings::Format(Str::DccBadTarget, host.c_str(), port.c_str()));
    return false;
}

std::string DirectConnections::NickOfOffer(const Session &session, const std::string &address, uint16_t port) const
{
    for (auto it = m_offers.rbegin(); it != m_offers.rend(); ++it) {
        if (it->sessionKey == session.Key() && it->address == address && it->port == port)
            return it->nick;
    }
    return {};
}

Conversation *DirectConnections::OpenChatWindow(Session &session, const std::string &name)
{
    Conversation *window = session.FindWindow(name);
    if (!window)
        window = session.OpenWindow(name, Conversation::KindText, Conversation::TypePrivate);
    if (window)
        window->MarkDccChatWindow();
    if (window && window->View())
        window->View()->Activate();
    return window;
}

int DirectConnections::ChatConnect(Session &session, const std::string &window, const std::string &host,
                                   const std::string &port)
{
    if (!CheckTarget(session, window, host, port))
        return 0;
    const uint16_t portNumber = DccOffer::PortFromWord(port);
    const std::string nick = NickOfOffer(session, host, portNumber);
    if (!ConfirmTarget(session, nick, host, portNumber))
        return 1;
    // Named after the peer, not its host: two peers on one host get two windows.
    const std::string name = "*" + (nick.empty() ? host + ":" + port : nick);
    Conversation *chat = OpenChatWindow(session, name);
    if (!chat)
        return 1;
    DirectConnect::Params params;
    params.peer = host;
    params.peerName = nick;
    params.port = portNumber;
    params.mode = DirectConnect::ChatConnect;
    Open(*chat, params);
    return 1;
}

int DirectConnections::ChatOffer(Session &session, const std::string &nick)
{
    Conversation *chat = OpenChatWindow(session, "*" + nick);
    if (!chat)
        return 1;
    DirectConnect::Params params;
    params.peer = nick;
    params.mode = DirectConnect::ChatOffer;
    Open(*chat, params);
    return 1;
}

int DirectConnections::FileReceive(Session &session, const std::string &window, const std::string &line)
{
    const std::string host = GetWord(line, 4);
    const std::string port = GetWord(line, 5);
    const std::string size = GetWord(line, 6);
    const std::string fileName = DccOffer::SafeFileName(GetWord(line, 7));
    if (!CheckTarget(session, window, host, port) || !DccOffer::IsDecimal(size, 18) || fileName.empty())
        return 0;
    const uint16_t portNumber = DccOffer::PortFromWord(port);
    const std::string nick = NickOfOffer(session, host, portNumber);
    if (!ConfirmTarget(session, nick, host, portNumber))
        return 1;
    Shell *shell = session.GetShell();
    const std::string path = SaveAs(session, fileName);
    const uint64_t offered = std::strtoull(size.c_str(), nullptr, 10);
    const std::optional<uint64_t> start = path.empty() ? std::nullopt : StartOfDownload(*shell, path, offered, nick);
    if (!start)
        return 1;
    Conversation *server = session.ServerWindow();
    if (!server) {
        shell->MessageBox("I.E: NO CHANNEL FRAME!", std::string(), Shell::ButtonsOk);
        return 1;
    }
    DirectConnect::Params params;
    params.peer = host;
    params.port = portNumber;
    params.peerName = nick;
    params.mode = DirectConnect::FileReceive;
    params.path = path;
    params.size = offered;
    params.resumeFrom = *start;
    params.offeredName = fileName;
    Open(*server, params);
    return 1;
}

int DirectConnections::ChatPassive(Session &session, const std::string &nick, const std::string &token)
{
    if (nick.empty() || !DccOffer::IsToken(token))
        return 0;
    Conversation *chat = OpenChatWindow(session, "*" + nick);
    if (!chat)
        return 1;
    DirectConnect::Params params;
    params.peer = nick;
    params.mode = DirectConnect::ChatConnect;
    params.token = token;
    Open(*chat, params);
    return 1;
}

int DirectConnections::FilePassive(Session &session, const std::string &line)
{
    const std::string nick = GetWord(line, 4);
    const std::string token = GetWord(line, 5);
    const std::string size = GetWord(line, 6);
    const std::string fileName = DccOffer::SafeFileName(GetWord(line, 7));
    if (nick.empty() || !DccOffer::IsToken(token) || !DccOffer::IsDecimal(size, 18) || fileName.empty())
        return 0;
    Shell *shell = session.GetShell();
    Conversation *server = session.ServerWindow();
    const std::string path = SaveAs(session, fileName);
    // Resuming needs the sender to accept a position first: a passive
    // download starts from the beginning.
    if (path.empty() || !server || !MayOverwrite(*shell, path))
        return 1;
    DirectConnect::Params params;
    params.peer = nick;
    params.mode = DirectConnect::FileReceive;
    params.path = path;
    params.size = std::strtoull(size.c_str(), nullptr, 10);
    params.offeredName = fileName;
    params.token = token;
    Open(*server, params);
    return 1;
}

std::string DirectConnections::SaveAs(Session &session, const std::string &fileName) const
{
    Shell *shell = session.GetShell();
    return shell ? shell->SaveFileDialog(DownloadFolder(), fileName, "*.*|*.*||") : std::string();
}

int DirectConnections::FileSend(Session &session, const std::string &nick, const std::string &path)
{
    Conversation *server = session.ServerWindow();
    if (!server) {
        if (Shell *shell = session.GetShell())
            shell->MessageBox("I.E: NO CHANNEL FRAME!", std::string(), Shell::ButtonsOk);
        return 1;
    }
    DirectConnect::Params params;
    params.peer = nick;
    params.mode = DirectConnect::FileSend;
    params.path = path;
    Open(*server, params);
    return 1;
}

DirectConnect *DirectConnections::Open(Conversation &window, DirectConnect::Params params)
{
    ReplaceChat(window);
    params.sessionKey = window.SessionKey();
    params.window = window.Name();
    auto connection = std::make_unique<DirectConnect>(m_table, std::move(params));
    DirectConnect *started = connection.get();
    started->SetOfferTimeout(m_offerTimeoutMs);
    connect(started, &DirectConnect::Closed, this, &DirectConnections::ScheduleRelease);
    m_connections.push_back(std::move(connection));
    if (!started->IsChat())
        m_feed.Watch(*started);
    started->Start();
    return started;
}

bool DirectConnections::ConfirmTarget(Session &session, const std::string &nick, const std::string &host,
                                      uint16_t port) const
{
    // Only an address can come from an offer; a name was typed by the user.
    if (QHostAddress address; !address.setAddress(QString::fromStdString(host)))
        return true;
    if (!AddressScope::NeedsWarning(host, session.ServerAddress()))
        return true;
    Shell *shell = session.GetShell();
    const std::string where = AddressScope::WithPort(host, port);
    const std::string kind = Strings::Get(AddressScope::Name(AddressScope::Of(host)));
    const std::string text =
        Strings::Format(Str::DccConfirmTarget, (nick.empty() ? host : nick).c_str(), where.c_str(), kind.c_str());
    return shell && shell->MessageBox(text, "Brimo", Shell::ButtonsYesNo | Shell::DefaultSecond) == Shell::AnswerYes;
}

std::optional<uint64_t> DirectConnections::StartOfDownload(Shell &shell, const std::string &path, uint64_t size,
                                                           const std::string &nick)
{
    const QFileInfo existing(QString::fromStdString(path));
    if (!existing.exists())
        return 0;
    const uint64_t has = existing.isFile() ? static_cast<uint64_t>(existing.size()) : 0;
    // Only a sender we know by nick can be asked to resume.
    if (nick.empty() || has == 0 || has >= size)
        return MayOverwrite(shell, path) ? std::optional<uint64_t>(0) : std::nullopt;
    const int answer =
        shell.MessageBox(Strings::Format(Str::DccResumeQuestion, path.c_str(), FormatSize(has).c_str(),
                                         FormatSize(size).c_str()),
                         "Brimo", Shell::ButtonsResumeOverwriteCancel);
    if (answer == Shell::AnswerResume)
        return has;
    if (answer == Shell::AnswerOverwrite)
        return 0;
    return std::nullopt;
}

bool DirectConnections::TakePassiveAnswer(Session &session, const DccOffer &answer, const std::string &nick)
{
    for (const auto &connection : m_connections) {
        if (connection->SessionKey() == session.Key() && connection->IsWaitingForPeer()
            && connection->Token() == answer.token && EqualIgnoringCase(connection->PeerName(), nick)
            && (connection->IsChat() == (answer.kind == DccOffer::Chat))) {
            if (ConfirmTarget(session, nick, answer.address, answer.port))
                connection->PeerListens(answer.address, answer.port);
            return true;
        }
    }
    return false;
}

void DirectConnections::TakeResume(Session &session, const DccOffer &request, const std::string &nick)
{
    for (auto it = m_connections.rbegin(); it != m_connections.rend(); ++it) {
        DirectConnect &connection = **it;
        if (connection.SessionKey() != session.Key() || connection.IsClosed()
            || !EqualIgnoringCase(connection.PeerName(), nick))
            continue;
        if (request.kind == DccOffer::Resume && connection.GetMode() == DirectConnect::FileSend
            && connection.ListenPort() == request.port && connection.Resume(request.fileName, request.size))
            return;
        if (request.kind == DccOffer::Accept && connection.IsWaitingForAccept() && connection.Port() == request.port
            && connection.ResumeAccepted(request.size))
            return;
    }
    session.Log("DCC %s of %s for port %u matches no transfer", request.kind == DccOffer::Resume ? "RESUME" : "ACCEPT",
                nick.c_str(), unsigned(request.port));
}

void DirectConnections::ReplaceChat(Conversation &window)
{
    WindowConnection *old = window.DccChat();
    window.SetDccChat(nullptr);
    if (!old || !old->IsChat())
        return;
    DirectConnect *chat = Find(old);
    if (chat && chat->IsConnected()) {
        window.Print(Strings::Format(Str::DccChatReplaced, chat->PeerName().c_str()), TextClass::Info);
        chat->Close();
        return;
    }
    old->Shutdown();
}

DirectConnect *DirectConnections::Find(const WindowConnection *connection) const
{
    for (const auto &candidate : m_connections) {
        if (candidate.get() == connection)
            return candidate.get();
    }
    return nullptr;
}

bool DirectConnections::CanResume(int id) const
{
    const Transfer *transfer = m_transfers.Find(id);
    if (!transfer || transfer->state != Transfer::State::Failed || transfer->direction != Transfer::Direction::Send)
        return false;
    const Session *session = m_table.FindSession(transfer->sessionKey);
    return session && session->IsConnected() && QFileInfo(QString::fromStdString(transfer->path)).isReadable();
}

bool DirectConnections::ResumeTransfer(int id)
{
    if (!CanResume(id))
        return false;
    const Transfer failed = *m_transfers.Find(id);
    Session *session = m_table.FindSession(failed.sessionKey);
    m_feed.Remove(id);
    FileSend(*session, failed.nick, failed.path);
    return true;
}

std::string DirectConnections::DownloadFolder()
{
    const std::string configured = ReadString("DCC Folder");
    if (!configured.empty() && QFileInfo(QString::fromStdString(configured)).isDir())
        return configured;
    // A folder that does not exist would leave the file dialog in the
    // program's working folder, among its own files.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QDir().mkpath(downloads))
        return downloads.toStdString();
    return QDir::homePath().toStdString();
}

bool DirectConnections::TakeOffer(Session &session, const std::string &body, const std::string &senderPrefix)
{
    const std::optional<DccOffer> parsed = DccOffer::Parse(body);
    if (parsed && (parsed->kind == DccOffer::Resume || parsed->kind == DccOffer::Accept)) {
        TakeResume(session, *parsed, NickFromPrefix(senderPrefix));
        return true;
    }
    if (parsed && !parsed->IsPassive() && !parsed->token.empty()
        && TakePassiveAnswer(session, *parsed, NickFromPrefix(senderPrefix)))
        return true;
    if (const std::optional<DccOffer> &offer = parsed) {
        if (m_offers.size() >= kRememberedOffers)
            m_offers.pop_front();
        m_offers.push_back({session.Key(), NickFromPrefix(senderPrefix), offer->address, offer->port});
    }
    Ctcp::ReceiveDccOffer(session, body, senderPrefix);
    return true;
}

bool DirectConnections::SendChat(WindowConnection &connection, const std::string &text)
{
    return connection.SendChat(text);
}

void DirectConnections::ScheduleRelease()
{
    if (m_releaseScheduled)
        return;
    m_releaseScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_releaseScheduled = false;
        ReleaseEnded();
    });
}

void DirectConnections::ReleaseEnded()
{
    // An ended chat stays while its window shows it, so that text typed
    // there still reaches it (and is refused) instead of going elsewhere.
    std::erase_if(m_connections, [](const std::unique_ptr<DirectConnect> &connection) {
        if (!connection->IsClosed())
            return false;
        const Conversation *owner = connection->Owner();
        return !connection->IsChat() || !owner || owner->DccChat() != connection.get();
    });
}
