#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

// WeeChat (weechat-headless) as the peer of direct connections: it joins the
// test's IRC server as "wpeer", accepts every offered chat and file by
// itself, logs its chats, and runs the commands the test writes to its FIFO.
class WeechatPeer
{
public:
    static bool IsAvailable();

    WeechatPeer();
    ~WeechatPeer();

    // Starts it against 127.0.0.1:ircPort; it joins channel. extraSettings:
    // more "/set ..." commands, separated by "; ".
    bool Start(uint16_t ircPort, const std::string &channel, const std::string &extraSettings = "");
    // Runs a command (or sends text) in one of its buffers ("irc.server.t",
    // "xfer.irc_dcc.t.me"); false when its FIFO is not there yet.
    bool Run(const std::string &buffer, const std::string &text);
    // Several at once, in order.
    bool RunAll(const std::string &buffer, const std::vector<std::string> &texts);
    void Quit();
    bool IsRunning() const;

    std::string Folder() const { return m_dir.path().toStdString(); }
    std::string DownloadFolder() const { return Folder() + "/dl"; }
    // The text lines it logged in its chat with nick (without time and sender).
    std::vector<std::string> ChatLines(const std::string &nick) const;
    // Its own log, for failure messages.
    std::string Log() const;

private:
    std::string FifoPath() const { return Folder() + "/fifo"; }

    QTemporaryDir m_dir;
    QProcess m_process;
};
