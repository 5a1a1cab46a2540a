#pragma once

#include <string>

class TextView;

// Scrolls a window's text to the line of its log (as LogContext gives it:
// "HH:MM:SS <nick> text"), the newest line that names the nick and ends
// with the text, one that also shows the time first. False when the window's text does not
// hold the line (it was cleared, or the line is older than the window).
bool ScrollToLoggedLine(TextView &view, const std::string &logLine);

class ConversationWindow;
class SessionTable;
struct LogDayFile;

// The open window whose log the day file is: a session of the file's server
// entry with a window of that name. Null when there is none.
ConversationWindow *WindowShowingLog(SessionTable &sessions, const LogDayFile &file);
