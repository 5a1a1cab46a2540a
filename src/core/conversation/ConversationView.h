#pragma once

#include <cstdint>
#include <string>

// What a Conversation asks of its window (ConversationWindow in the program, a
// recording fake in tests). A conversation without a view is a window whose
// native window no longer exists: it prints nothing.
class ConversationView
{
public:
    virtual ~ConversationView() = default;

    // Shows one printed line (not empty): the view counts and clears its text
    // at "Max Text Size", sets the conversation's activity flag, beeps and
    // shows the balloon as the settings say. time: seconds since 1970, 0 = now.
    // Returns whether the line was shown.
    virtual bool ShowLine(const std::string &text, int textClass, int64_t time) = 0;
    // Shows a line a bouncer played back (time: when it was said): no beep,
    // no balloon, no notification; the conversation is marked as having new
    // text only when the line is newer than the reader's last look at it.
    virtual bool ShowPlayedBackLine(const std::string &text, int textClass, int64_t time)
    {
        return ShowLine(text, textClass, time);
    }
    // Shows a line of the window's own between the others (a separator, a
    // date): without time stamp, marking nothing.
    virtual void ShowNote(const std::string &text) { (void)text; }

    // The caption changed (window name, or name, a blank and the topic).
    virtual void SetTitle(const std::string &title) = 0;
    // The topic, the modes or the ban list of the channel changed.
    virtual void TopicChanged(const std::string &topic) = 0;
    virtual void ChannelStateChanged() = 0;
    // The members of the nick list changed (added, removed, renamed, modes, away).
    virtual void NickListChanged() = 0;

    // The conversation is going away: destroy the window soon (never
    // synchronously inside this call) and do not call back into it.
    virtual void Close() = 0;

    // Whether this is the active child window of the main window.
    virtual bool IsActive() const = 0;

    // Brings the window to the front of the main window's children ("/query"
    // and "/join" of a window that is already open).
    virtual void Activate() {}

    // A number for the line shown last, by which the window can show that
    // line again later (while it keeps it); 0 when the view numbers none.
    virtual uint64_t LastLineId() const { return 0; }
};
