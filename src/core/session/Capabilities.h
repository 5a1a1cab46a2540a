#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The IRCv3 capabilities of one connection: those the server offers (only
// the ones the program understands are remembered, so a list of thousands
// costs nothing), those it acknowledged, and where the negotiation that
// holds registration stands.
//
// Negotiation: "CAP LS 302" goes out first at registration; when the offer is
// complete, one "CAP REQ" asks for every wanted capability offered, and
// "CAP END" follows the answer (after SASL, when that runs). A server that
// knows no CAP never answers and registers as before.
class Capabilities
{
public:
    // A value kept of an offered capability ("sasl=PLAIN,EXTERNAL").
    static constexpr size_t MaxValue = 400;
    // LS lines of one offer; a server sending more is told CAP END.
    static constexpr int MaxListLines = 100;

    // The capabilities the program asks for whenever they are offered.
    static const std::vector<std::string_view> &Wanted();

    // A new connection: nothing offered or enabled; negotiation starts.
    void Reset();
    // The words of an LS or NEW list ("name" or "name=value").
    void AddOffered(std::string_view list);
    // Removes names of a DEL list from offered and enabled.
    void Remove(std::string_view list);
    // Applies an ACK list ("name" enables, "-name" disables).
    void Acknowledge(std::string_view list);
    // Counts one LS line; false once an offer has taken too many.
    bool CountListLine() { return ++m_listLines <= MaxListLines; }

    // The wanted capabilities that are offered and not yet enabled, plus
    // "sasl" when withSasl, as the parameter of one CAP REQ (empty: none).
    std::string Request(bool withSasl) const;

    bool IsOffered(std::string_view name) const;
    bool IsEnabled(std::string_view name) const;
    // The value of an offered capability (empty when none).
    std::string OfferedValue(std::string_view name) const;
    const std::vector<std::string> &Enabled() const { return m_enabled; }

    // Registration waits for CAP END while this holds.
    bool IsNegotiating() const { return m_negotiating; }
    void EndNegotiation() { m_negotiating = false; }
    // A REQ is out and its ACK or NAK has not come.
    bool IsRequestPending() const { return m_requestPending; }
    void SetRequestPending(bool pending) { m_requestPending = pending; }

private:
    struct Offer
    {
        std::string name, value;
    };
    static bool IsUnderstood(std::string_view name);

    std::vector<Offer> m_offered;
    std::vector<std::string> m_enabled;
    int m_listLines = 0;
    bool m_negotiating = false;
    bool m_requestPending = false;
};
