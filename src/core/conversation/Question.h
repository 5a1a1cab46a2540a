#pragma once

#include <cstdint>
#include <string>

// One request the user is asked about: a private-message request, a DCC
// offer or a server certificate that could not be verified.
struct Question
{
    enum Kind { PrivateChat = 1, DccChat = 2, DccFile = 4, Certificate = 8 };

    int kind = 0;
    std::string prefix; // nick!user@host as the server sent it; "host:port" for a certificate
    std::string sessionKey;
    std::string fileName; // DCC file offers: the file
    int64_t fileSize = 0;
    std::string fingerprint; // certificates: the SHA-256 fingerprint
    std::string reasons;     // certificates: why it could not be verified
    std::string target;      // DCC offers: where accepting connects ("203.0.113.5:5000"); empty: not said
    std::string targetKind;  // DCC offers: the kind of a target that needs a warning ("súkromná"); empty: none

    // A question about a private chat or a DCC offer of the sender.
    static Question ForRequest(Kind kind, const std::string &prefix, const std::string &sessionKey,
                               const std::string &fileName = {}, int64_t fileSize = 0);
    // A certificate question from its parts.
    static Question ForCertificate(const std::string &server, const std::string &sessionKey,
                                   const std::string &fingerprint, const std::string &reasons);

    std::string Nick() const;
    std::string Address() const;

    // A DCC offer's question that names where it connects, with a warning
    // (targetKind) when that address is not in the public network.
    Question WithTarget(const std::string &where, const std::string &kind) const;
    // Whether accepting needs the warning's second confirmation.
    bool NeedsConfirmation() const { return !targetKind.empty(); }

    // The dialog's caption and question text (Str::PrivateChatRequestCaption .. DccFileRequest).
    std::string Caption() const;
    std::string Text() const;
    // The command the "ignore" answer gives to the session: "/ignore add %s %d"
    // with 2 for private-message requests, 4 for DCC offers, 6 otherwise.
    std::string IgnoreCommand() const;

    bool operator==(const Question &other) const = default;

private:
    std::string DccText() const;
};
