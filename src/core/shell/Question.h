#pragma once

#include <cstdint>
#include <string>

// One request the user is asked about: a private-message request or a DCC
// offer. The queue keeps questions as text records "%d %s %s %d %s" (kind,
// sender prefix, session key, file size, file name); a prefix and a session
// key never hold a blank, the file name may.
struct Question
{
    enum Kind { PrivateChat = 1, DccChat = 2, DccFile = 4 };

    int kind = 0;
    std::string prefix; // nick!user@host as the server sent it
    std::string sessionKey;
    std::string fileName; // DCC file offers only
    int64_t fileSize = 0;

    // The queue record of this question.
    std::string Record() const;
    // Reads a queue record back; false when it has too few fields.
    static bool FromRecord(const std::string &record, Question &out);

    std::string Nick() const;
    std::string Address() const;

    // The dialog's caption and question text (Str::PrivateChatRequestCaption .. DccFileRequest).
    std::string Caption() const;
    std::string Text() const;
    // The command the "ignore" answer gives to the session: "/ignore add %s %d"
    // with 2 for private-message requests, 4 for DCC offers, 6 otherwise.
    std::string IgnoreCommand() const;

    bool operator==(const Question &other) const = default;
};
