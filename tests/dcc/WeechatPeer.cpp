#include "WeechatPeer.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

#include "support/WaitFor.h"

bool WeechatPeer::IsAvailable()
{
    return !QStandardPaths::findExecutable("weechat-headless").isEmpty();
}

WeechatPeer::WeechatPeer() = default;

WeechatPeer::~WeechatPeer()
{
    Quit();
}

bool WeechatPeer::Start(uint16_t ircPort, const std::string &channel, const std::string &extraSettings)
{
    QDir().mkpath(QString::fromStdString(DownloadFolder()));
    const std::string commands = "/set fifo.file.path " + FifoPath()
        + "; /set fifo.file.enabled on; "
          "/set xfer.file.auto_accept_files on; /set xfer.file.auto_accept_chats on; "
          "/set xfer.file.download_path "
        + DownloadFolder()
        + "; /set xfer.file.use_nick_in_filename off; "
          "/set xfer.file.auto_rename off; /set logger.file.auto_log on; /set logger.file.flush_delay 0; "
        + (extraSettings.empty() ? std::string() : extraSettings + "; ") + "/server add t 127.0.0.1/"
        + std::to_string(ircPort) + " -notls -nicks=wpeer -autojoin=" + channel + "; /connect t";
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start("weechat-headless",
                    {"--dir", QString::fromStdString(Folder()), "-r", QString::fromStdString(commands)});
    if (!m_process.waitForStarted(10000))
        return false;
    return WaitFor([this] { return QFile::exists(QString::fromStdString(FifoPath())); });
}

bool WeechatPeer::RunAll(const std::string &buffer, const std::vector<std::string> &texts)
{
    // Its FIFO takes "buffer *text" lines; text starting with "/" is a command.
    std::string lines;
    for (const std::string &text : texts)
        lines += buffer + " *" + text + "\n";
    const int fd = ::open(FifoPath().c_str(), O_WRONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    size_t written = 0;
    while (written < lines.size()) {
        const ssize_t count = ::write(fd, lines.data() + written, lines.size() - written);
        if (count < 0) {
            if (errno != EAGAIN)
                break;
            PumpEvents(5); // the pipe is full until WeeChat reads it
            continue;
        }
        written += static_cast<size_t>(count);
    }
    ::close(fd);
    return written == lines.size();
}

bool WeechatPeer::Run(const std::string &buffer, const std::string &text)
{
    return RunAll(buffer, {text});
}

bool WeechatPeer::IsRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

void WeechatPeer::Quit()
{
    if (!IsRunning())
        return;
    Run("core.weechat", "/quit");
    if (!WaitFor([this] { return !IsRunning(); }, 5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

std::vector<std::string> WeechatPeer::ChatLines(const std::string &nick) const
{
    QFile log(QString::fromStdString(Folder() + "/logs/xfer.irc_dcc.t." + nick + ".weechatlog"));
    std::vector<std::string> lines;
    if (!log.open(QIODevice::ReadOnly))
        return lines;
    // "date time <TAB> sender <TAB> text"; the lines of the sender nick are what it received.
    while (!log.atEnd()) {
        QByteArray line = log.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() >= 3 && fields[1].toStdString() == nick)
            lines.push_back(fields.mid(2).join('\t').toStdString());
    }
    return lines;
}

std::string WeechatPeer::Log() const
{
    QFile log(QString::fromStdString(Folder() + "/weechat.log"));
    return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string();
}
