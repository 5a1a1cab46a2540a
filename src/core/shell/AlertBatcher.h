// What desktop notifications show for the alerts of the core, and which of
// them update one notification instead of stacking.
#pragma once

#include "conversation/UserAlert.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

// A desktop notification to send: the summary as plain text, the body with
// the markup characters escaped (the notification service reads markup there).
struct DesktopNote
{
    std::string summary;
    std::string body;
    uint32_t replaces = 0; // the notification it updates; 0: a new one
};

// Lines of one sender in one window that come within kJoinMs of each other
// update one notification, whose body shows the newest kMaxLines of them.
// A notification is asked for, then the service answers with its id; lines
// that come in between wait and go out together as its update once the id
// is known. The notification's id leads back to its window (the default
// action), until the service says it was closed. Everything on the UI thread.
class AlertBatcher
{
public:
    using Clock = std::function<int64_t()>; // milliseconds, monotonic

    static constexpr int64_t kJoinMs = 5000;
    static constexpr size_t kMaxLines = 5;
    static constexpr size_t kMaxLineBytes = 400; // a longer line is cut on a character boundary
    static constexpr size_t kMaxTargets = 200;   // ids remembered for their windows

    explicit AlertBatcher(Clock clock = {});

    // The notification for the alert; nothing while an earlier one of its
    // group waits for its id (the line then goes out with the update).
    std::optional<DesktopNote> Take(const UserAlert &alert);
    // The service gave the notification of the alert this id (0: it failed).
    // The update to send when more lines came meanwhile.
    std::optional<DesktopNote> Shown(const UserAlert &alert, uint32_t id);
    // The service closed the notification (expired, dismissed, ...).
    void Closed(uint32_t id);
    // The window the notification id tells of; nothing for an unknown id.
    std::optional<UserAlert> Target(uint32_t id) const;

    // Plain text for a notification body: formatting codes and control bytes
    // gone, the markup characters escaped as character references.
    static std::string BodyText(const std::string &text);
    // The sender; for a line that named the user "sender v window".
    static std::string Summary(const UserAlert &alert);

private:
    struct Group
    {
        UserAlert alert; // the newest
        std::deque<std::string> lines;
        uint32_t id = 0;
        bool waiting = false; // asked for, no id yet
        bool moreWhileWaiting = false;
        int64_t last = 0;
    };

    static std::string GroupKey(const UserAlert &alert);
    DesktopNote NoteOf(const Group &group) const;
    void Remember(uint32_t id, const UserAlert &alert);

    Clock m_clock;
    std::map<std::string, Group> m_groups;
    std::map<uint32_t, UserAlert> m_targets;
    std::deque<uint32_t> m_targetOrder;
};
