#include "RawIrcClient.h"

#include "WaitFor.h"

#include <QTcpSocket>

RawIrcClient::RawIrcClient(QObject *parent) : QObject(parent), m_socket(new QTcpSocket(this))
{
    connect(m_socket, &QTcpSocket::readyRead, this, &RawIrcClient::ReadLines);
}

RawIrcClient::~RawIrcClient()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

bool RawIrcClient::Connect(uint16_t port, const std::string &host, int timeoutMs)
{
    m_socket->abort();
    m_assembler.Clear();
    m_socket->connectToHost(QString::fromStdString(host), port);
    return WaitFor(
               [this] {
                   return m_socket->state() == QAbstractSocket::ConnectedState
                       || m_socket->state() == QAbstractSocket::UnconnectedState;
               },
               timeoutMs)
        && IsConnected();
}

bool RawIrcClient::Register(const std::string &nick, int timeoutMs)
{
    m_nick = nick;
    if (!SendLine("NICK " + nick) || !SendLine("USER " + nick + " 0 * :Brimo raw test client"))
        return false;
    std::string welcome;
    if (!WaitForCommand("001", timeoutMs, &welcome))
        return false;
    // ":server 001 <nick> :Welcome ..." names the nick the server gave us.
    const size_t start = welcome.find(" 001 ");
    if (start != std::string::npos) {
        const size_t nickStart = start + 5;
        const size_t nickEnd = welcome.find(' ', nickStart);
        m_nick = welcome.substr(nickStart, nickEnd == std::string::npos ? std::string::npos : nickEnd - nickStart);
    }
    return true;
}

bool RawIrcClient::ConnectAndRegister(uint16_t port, const std::string &nick, int timeoutMs)
{
    return Connect(port, "127.0.0.1", timeoutMs) && Register(nick, timeoutMs);
}

bool RawIrcClient::IsConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void RawIrcClient::Disconnect()
{
    m_socket->disconnectFromHost();
}

bool RawIrcClient::WaitForDisconnect(int timeoutMs)
{
    return WaitFor([this] { return m_socket->state() == QAbstractSocket::UnconnectedState; }, timeoutMs);
}

bool RawIrcClient::SendLine(const std::string &line)
{
    return SendRaw(line + "\r\n");
}

bool RawIrcClient::SendRaw(const std::string &bytes)
{
    if (!IsConnected())
        return false;
    return m_socket->write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

void RawIrcClient::ClearLines()
{
    m_lines.clear();
    m_scanFrom = 0;
}

void RawIrcClient::ReadLines()
{
    const QByteArray bytes = m_socket->readAll();
    std::vector<std::string> lines;
    m_assembler.Feed(bytes.constData(), static_cast<size_t>(bytes.size()), lines);
    for (const std::string &line : lines)
        HandleLine(line);
}

void RawIrcClient::HandleLine(const std::string &line)
{
    m_lines.push_back(line);
    if (CommandOf(line) != "PING")
        return;
    const size_t commandStart = line[0] == ':' ? line.find(' ') + 1 : 0;
    SendLine("PONG" + line.substr(commandStart + 4));
}

std::string RawIrcClient::CommandOf(const std::string &line)
{
    size_t start = 0;
    if (!line.empty() && line[0] == ':') {
        start = line.find(' ');
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    const size_t end = line.find(' ', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool RawIrcClient::WaitForLine(const std::function<bool(const std::string &)> &match, int timeoutMs, std::string *found)
{
    return WaitForNewLine(m_lines, m_scanFrom, match, timeoutMs, found);
}

bool RawIrcClient::WaitForCommand(const std::string &command, int timeoutMs, std::string *found)
{
    return WaitForLine([&](const std::string &line) { return CommandOf(line) == command; }, timeoutMs, found);
}

bool RawIrcClient::WaitForText(const std::string &text, int timeoutMs, std::string *found)
{
    return WaitForLine([&](const std::string &line) { return line.find(text) != std::string::npos; }, timeoutMs, found);
}
