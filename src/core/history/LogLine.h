#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One line of a conversation's log, plain UTF-8 without formatting codes:
// "HH:MM:SS " (local time) and then one of
//   "<nick> text"  a message, the window's "nick: text";
//   "* nick text"  an action, the window's "* nick: text";
//   "-- text"      anything else the window says (joins, parts, quits, kicks,
//                  nick and topic changes, notices, errors), worded as the
//                  window words it, without the window's leading "* ".
// Nicks hold no blank, "<" or ">", so the kind, the nick and the text read
// back without doubt (ParseLogLine).
struct LogEntry
{
    enum Kind { Message, Action, Event };
    std::string time; // "HH:MM:SS"
    Kind kind = Event;
    std::string nick; // empty for an event
    std::string text;
};

// The entry of a printed line (text and TextClass as the conversation
// printed them; line breaks become blanks); none for ready HTML.
std::optional<LogEntry> EntryOfPrintedLine(std::string_view text, int textClass);

// The line of the entry (its time is ignored) at a time given in seconds
// since 1970, in local time, without a line break.
std::string FormatLogLine(const LogEntry &entry, int64_t time);
// The same at a time of day given in seconds after local midnight (0 to
// 86399), for a caller that knows when its day began, appended to out.
void AppendLogLine(std::string &out, const LogEntry &entry, int secondOfDay);

// The second of the day a log line begins with ("HH:MM:SS "), -1 for a line
// that does not begin with a time.
int SecondOfLogLine(std::string_view line);

// The entry of a line of a log; none for a line not written by FormatLogLine.
std::optional<LogEntry> ParseLogLine(std::string_view line);

// The line a window prints for an entry, as EntryOfPrintedLine reads it:
// "nick: text" (Text), "* nick: text" (High), "* text" (Info).
struct PrintedLine
{
    std::string text;
    int textClass = 0;
};
PrintedLine PrintedLineOf(const LogEntry &entry);
