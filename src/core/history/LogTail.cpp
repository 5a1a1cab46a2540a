#include "history/LogTail.h"

#include "session/ServerEncoding.h"
#include "text/IrcCodes.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <ctime>

namespace {

constexpr qint64 kBlockBytes = 16 * 1024;
// A line longer than this is no line the program wrote: it is passed over
// without being kept whole.
constexpr size_t kLongestLine = 32 * 1024;

// "YYYY-MM-DD.log".
bool IsDayFileName(const QString &name)
{
    if (name.size() != 14 || name[4] != QLatin1Char('-') || name[7] != QLatin1Char('-')
        || !name.endsWith(QLatin1String(".log")))
        return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (name[i] < QLatin1Char('0') || name[i] > QLatin1Char('9'))
            return false;
    return true;
}

// The day files of the folder, newest first.
QStringList DayFilesNewestFirst(const QString &folder)
{
    QStringList days;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name))
        if (IsDayFileName(name))
            days.prepend(name);
    return days;
}

// "HH", "MM" or "SS" of a time ParseLogLine checked.
int TwoDigits(const std::string &time, size_t at)
{
    return (time[at] - '0') * 10 + (time[at + 1] - '0');
}

// The moment of a line of the day file: local midnight of its date plus the line's time.
int64_t MomentOf(const QString &dayFile, const std::string &time)
{
    std::tm local{};
    local.tm_year = dayFile.left(4).toInt() - 1900;
    local.tm_mon = dayFile.mid(5, 2).toInt() - 1;
    local.tm_mday = dayFile.mid(8, 2).toInt();
    local.tm_hour = TwoDigits(time, 0);
    local.tm_min = TwoDigits(time, 3);
    local.tm_sec = TwoDigits(time, 6);
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

// Text that can be shown as it is: UTF-8, without formatting codes or
// other control characters (a log holds none, a damaged one may).
std::string ShowableText(std::string_view raw)
{
    std::string text = StripCodes(ServerLineToUtf8(raw));
    for (char &c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return text;
}

// Reads one day file from its end; adds its lines, newest first, until
// wanted lines are there or budget bytes are read.
class DayFileTail
{
public:
    DayFileTail(const QString &folder, const QString &name, std::vector<LoggedLine> &lines)
        : m_file(folder + QLatin1Char('/') + name), m_name(name), m_lines(lines)
    {}

    void Read(size_t wanted, int64_t &budget)
    {
        if (!m_file.open(QIODevice::ReadOnly))
            return;
        qint64 start = m_file.size();
        while (start > 0 && budget > 0 && m_lines.size() < wanted) {
            const qint64 size = std::min({kBlockBytes, start, static_cast<qint64>(budget)});
            start -= size;
            budget -= size;
            if (!m_file.seek(start))
                return;
            const QByteArray block = m_file.read(size);
            if (block.size() != size)
                return;
            m_rest.insert(0, block.constData(), static_cast<size_t>(block.size()));
            if (m_skippingLongLine)
                SkipRestOfLongLine();
            TakeWholeLines(start == 0, wanted);
            if (m_rest.size() > kLongestLine) {
                m_rest.clear();
                m_skippingLongLine = true;
            }
        }
    }

private:
    // Drops what m_rest holds of a line too long to keep: all of it up to
    // its last line break, which ends the line before.
    void SkipRestOfLongLine()
    {
        const size_t lineBreak = m_rest.rfind('\n');
        if (lineBreak == std::string::npos) {
            m_rest.clear();
            return;
        }
        m_rest.resize(lineBreak + 1);
        m_skippingLongLine = false;
    }

    // The lines of m_rest from its end back to its first line break (to its
    // start when the file begins there): those are whole.
    void TakeWholeLines(bool atFileStart, size_t wanted)
    {
        while (m_lines.size() < wanted) {
            if (!m_rest.empty() && m_rest.back() == '\n')
                m_rest.pop_back();
            const size_t lineBreak = m_rest.rfind('\n');
            if (lineBreak == std::string::npos && !atFileStart)
                return;
            const size_t begin = lineBreak == std::string::npos ? 0 : lineBreak + 1;
            Take(std::string_view(m_rest).substr(begin));
            if (lineBreak == std::string::npos) {
                m_rest.clear();
                return;
            }
            m_rest.resize(lineBreak + 1);
        }
    }

    void Take(std::string_view raw)
    {
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        std::optional<LogEntry> entry = ParseLogLine(ShowableText(raw));
        if (!entry)
            return;
        const int64_t time = MomentOf(m_name, entry->time);
        m_lines.push_back(LoggedLine{std::move(*entry), time});
    }

    QFile m_file;
    QString m_name;
    std::vector<LoggedLine> &m_lines;
    std::string m_rest; // read, not yet taken: whole lines after a partial first one
    bool m_skippingLongLine = false;
};

} // namespace

std::vector<LoggedLine> ReadLogTail(const std::string &folder, int count)
{
    std::vector<LoggedLine> lines;
    if (count <= 0 || folder.empty())
        return lines;
    const size_t wanted = static_cast<size_t>(count);
    int64_t budget = kTailBytesPerLine * count;
    const QString path = QString::fromStdString(folder);
    for (const QString &day : DayFilesNewestFirst(path)) {
        if (lines.size() >= wanted || budget <= 0)
            break;
        DayFileTail(path, day, lines).Read(wanted, budget);
    }
    std::reverse(lines.begin(), lines.end());
    return lines;
}
