#pragma once

#include <cstdint>
#include <string>

// One request the user is asked about: a private-message request, a DCC
// offer or a server certificate that could not be verified. The queue keeps
// questions as text records "%d %s %s %d %s" (kind, sender prefix, session
// key, file size, file name); a prefix and a session key never hold a blank,
// the file name may.
struct Question
{
    enum Kind { PrivateChat = 1, DccChat = 2, DccFile = 4, Certificate = 8 };

    int kind = 0;
    std::string prefix; // nick!user@host as the server sent it; "host:port" for a certificate
    std::string sessionKey;
    // DCC file offers: the file name. Certificates: the SHA-256 fingerprint,
    // a blank and the reasons it could not be verified.
    std::string fileName;
    int64_t fileSize = 0;

    // The queue record of this question.
    std::string Record() const;
    // Reads a queue record back; false when it has too few fields.
    static bool FromRecord(const std::string &record, Question &out);

    // A certificate question from its parts.
    static Question ForCertificate(const std::string &server, const std::string &sessionKey,
                                   const std::string &fingerprint, const std::string &reasons);
    std::string Fingerprint() const;

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
