#include "history/LogLine.h"

#include "text/IrcCodes.h"
#include "text/TextClass.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr std::string_view kEventMark = "-- ";
constexpr std::string_view kActionMark = "* ";

bool IsNick(std::string_view word)
{
    return !word.empty() && word.find_first_of(" <>") == std::string_view::npos;
}

// "nick: text" as the window prints a message: the nick and the text.
std::optional<std::pair<std::string_view, std::string_view>> SplitMessage(std::string_view text)
{
    const size_t colon = text.find(": ");
    if (colon == std::string_view::npos || !IsNick(text.substr(0, colon)))
        return std::nullopt;
    return std::make_pair(text.substr(0, colon), text.substr(colon + 2));
}

std::string OneLine(std::string_view text)
{
    std::string plain = StripCodes(text);
    for (char &c : plain)
        if (c == '\r' || c == '\n')
            c = ' ';
    return plain;
}

bool IsTime(std::string_view time)
{
    if (time.size() != 8 || time[2] != ':' || time[5] != ':')
        return false;
    for (size_t i : {0, 1, 3, 4, 6, 7})
        if (time[i] < '0' || time[i] > '9')
            return false;
    return true;
}

} // namespace

int SecondOfLogLine(std::string_view line)
{
    if (line.size() < 8 || !IsTime(line.substr(0, 8)))
        return -1;
    const auto number = [&](size_t at) { return (line[at] - '0') * 10 + (line[at + 1] - '0'); };
    return number(0) * 3600 + number(3) * 60 + number(6);
}

std::optional<LogEntry> EntryOfPrintedLine(std::string_view text, int textClass)
{
    if (textClass == static_cast<int>(TextClass::Html))
        return std::nullopt;
    const std::string plain = OneLine(text);
    const std::string_view view = plain;
    LogEntry entry;
    if (textClass == static_cast<int>(TextClass::Text)) {
        if (auto message = SplitMessage(view)) {
            entry.kind = LogEntry::Message;
            entry.nick = message->first;
            entry.text = message->second;
            return entry;
        }
    } else if (textClass == static_cast<int>(TextClass::High) && view.starts_with(kActionMark)) {
        if (auto action = SplitMessage(view.substr(kActionMark.size()))) {
            entry.kind = LogEntry::Action;
            entry.nick = action->first;
            entry.text = action->second;
            return entry;
        }
    }
    entry.text = view.starts_with(kActionMark) ? view.substr(kActionMark.size()) : view;
    return entry;
}

std::string FormatLogLine(const LogEntry &entry, int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    std::string line;
    AppendLogLine(line, entry, local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59));
    return line;
}

void AppendLogLine(std::string &line, const LogEntry &entry, int secondOfDay)
{
    const int hour = secondOfDay / 3600;
    const int minute = secondOfDay / 60 % 60;
    const int second = secondOfDay % 60;
    const char stamp[] = {char('0' + hour / 10),   char('0' + hour % 10),   ':',
                          char('0' + minute / 10), char('0' + minute % 10), ':',
                          char('0' + second / 10), char('0' + second % 10), ' '};
    line.append(stamp, sizeof stamp);
    switch (entry.kind) {
    case LogEntry::Message:
        line += '<';
        line += entry.nick;
        line += "> ";
        break;
    case LogEntry::Action:
        line += kActionMark;
        line += entry.nick;
        line += ' ';
        break;
    case LogEntry::Event:
        line += kEventMark;
        break;
    }
    line += entry.text;
}

std::optional<LogEntry> ParseLogLine(std::string_view line)
{
    if (line.size() < 9 || !IsTime(line.substr(0, 8)) || line[8] != ' ')
        return std::nullopt;
    LogEntry entry;
    entry.time = line.substr(0, 8);
    std::string_view rest = line.substr(9);
    if (rest.starts_with(kEventMark)) {
        entry.text = rest.substr(kEventMark.size());
        return entry;
    }
    const bool action = rest.starts_with(kActionMark);
    if (!action && !rest.starts_with("<"))
        return std::nullopt;
    rest.remove_prefix(action ? kActionMark.size() : 1);
    const size_t end = rest.find(action ? " " : "> ");
    if (end == std::string_view::npos || !IsNick(rest.substr(0, end)))
        return std::nullopt;
    entry.kind = action ? LogEntry::Action : LogEntry::Message;
    entry.nick = rest.substr(0, end);
    entry.text = rest.substr(end + (action ? 1 : 2));
    return entry;
}

PrintedLine PrintedLineOf(const LogEntry &entry)
{
    switch (entry.kind) {
    case LogEntry::Message:
        return {entry.nick + ": " + entry.text, static_cast<int>(TextClass::Text)};
    case LogEntry::Action:
        return {std::string(kActionMark) + entry.nick + ": " + entry.text, static_cast<int>(TextClass::High)};
    case LogEntry::Event:
        break;
    }
    return {std::string(kActionMark) + entry.text, static_cast<int>(TextClass::Info)};
}
