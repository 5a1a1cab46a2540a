#include "history/FoundLineInView.h"

#include "conversation/Conversation.h"
#include "history/LogDayFile.h"
#include "history/LogFileName.h"
#include "history/LogLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "view/TextView.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationWindow.h"

bool ScrollToLoggedLine(TextView &view, const std::string &logLine)
{
    const std::optional<LogEntry> entry = ParseLogLine(logLine);
    if (!entry || entry->text.empty())
        return false;
    const QString text = FromUtf8(entry->text);
    const QString nick = FromUtf8(entry->nick);
    const QString time = FromUtf8(entry->time);
    int candidate = -1;
    for (int line = view.LineCount() - 1; line >= 0; --line) {
        const QString shown = view.Document().Line(line).m_text.toString().trimmed();
        if (!shown.endsWith(text.trimmed()) || !shown.contains(nick))
            continue;
        if (shown.contains(time)) {
            candidate = line;
            break;
        }
        if (candidate < 0)
            candidate = line;
    }
    if (candidate < 0)
        return false;
    view.ScrollToLine(candidate);
    return true;
}

ConversationWindow *WindowShowingLog(SessionTable &sessions, const LogDayFile &file)
{
    for (Session *session : sessions.Sessions()) {
        if (SafeFileName(session->ConfName()) != file.network)
            continue;
        Conversation *conversation = session->FindWindow(file.WindowName());
        if (conversation && SafeFileName(FoldCase(conversation->Name())) == file.window)
            return dynamic_cast<ConversationWindow *>(conversation->View());
    }
    return nullptr;
}
