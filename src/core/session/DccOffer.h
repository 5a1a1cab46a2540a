#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A DCC offer as received in a CTCP request ("DCC CHAT chat addr port" or
// "DCC SEND name addr port size"), read and checked, or a request about a
// file offer ("DCC RESUME name port position", "DCC ACCEPT name port
// position"). Only offers that are safe to show and to accept come out of
// Parse: a port of 1..65535 (or 0 with a token: a passive offer), an address
// that is an IPv4 number, dotted text or IPv6 text, a size of at most 18
// digits and a file name that is a plain base name.
struct DccOffer
{
    enum Kind { Chat = 2, File = 4, Resume = 8, Accept = 16 };

    Kind kind = Chat;
    std::string fileName; // File, Resume, Accept: a plain base name, blanks turned into "_"
    std::string address;  // Chat, File: the announced address as text (dotted IPv4, or IPv6)
    uint16_t port = 0; // 0 in a passive offer: the sender asks us to listen
    uint64_t size = 0; // File: the size; Resume, Accept: the position
    std::string token; // Chat, File: the word after the port (size) that ties a passive offer to its answer

    bool IsPassive() const { return port == 0; }

    // body: the CTCP text without its framing bytes. A quoted file name
    // ("DCC SEND \"my file.txt\" ...") may hold blanks.
    static std::optional<DccOffer> Parse(const std::string &body);

    // The name a received file may be stored under: no folder parts, no
    // leading dots, no control bytes, blanks turned into "_"; empty when
    // nothing usable is left.
    static std::string SafeFileName(const std::string &offered);
    // "167772161" or "10.0.0.1" as dotted text, "2001:db8::5" as IPv6 text;
    // empty for anything else (0 and "::" included).
    static std::string AddressFromOffer(const std::string &word);
    // Dotted IPv4 text as the protocol's unsigned 32-bit number (a.b.c.d is
    // a*16777216 + b*65536 + c*256 + d); 0 when it is not IPv4.
    static uint32_t AddressNumber(const std::string &dotted);
    // A port word of 1..65535, else 0.
    static uint16_t PortFromWord(const std::string &word);
    // Whether the word is 1 to maxDigits decimal digits.
    static bool IsDecimal(const std::string &word, size_t maxDigits);
    // Whether the word can be a passive offer's token (1 to 32 letters or digits).
    static bool IsToken(const std::string &word);

private:
    static std::optional<DccOffer> ParseResume(Kind kind, const std::string &name, const std::string &port,
                                               const std::string &position);
};
