#pragma once

#include <QTemporaryDir>

#include <list>
#include <memory>
#include <string>

#include "dcc/DirectConnections.h"
#include "support/FakeConversationView.h"
#include "support/NgircdFixture.h"
#include "support/RawIrcClient.h"

// A session "me" on a real ngircd with real direct connections, and a second
// user "bob" (a raw client) who receives and sends offers.
class DccFixture : public NgircdFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The next DCC offer bob receives: the CTCP text without its framing.
    std::string NextOfferToBob();
    // The port word of an offer body ("DCC CHAT chat addr port").
    static uint16_t OfferPort(const std::string &body);
    // bob sends an offer to me (body without framing).
    void OfferFromBob(const std::string &body);
    int Dcc(const std::string &line, const std::string &window = "");

    FakeConversationView *ServerView() const;
    FakeConversationView *ViewOf(const std::string &name) const { return m_shell.View(name); }
    bool WaitForLine(const std::string &window, const std::string &text) const;
    bool WaitForLineContaining(const std::string &window, const std::string &part) const;
    // The newest connection of the manager.
    DirectConnect *Newest() const;
    // How the connection ends, kept after the manager has deleted it
    // (Running until then).
    const TransferEnd &EndOf(DirectConnect *connection);
    bool WaitForEnd(const TransferEnd &end, int timeoutMs = 10000) const;
    std::string TempPath(const std::string &name) const;
    static std::string ReadFile(const std::string &path);
    static bool WriteFile(const std::string &path, const std::string &bytes);
    static std::string RandomBytes(size_t count);

    std::unique_ptr<DirectConnections> m_dcc;
    Session *m_me = nullptr;
    RawIrcClient m_bob;
    QTemporaryDir m_files;
    std::list<TransferEnd> m_ends;
};
