#pragma once

#include <QObject>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dcc/DirectConnect.h"
#include "dcc/TransferFeed.h"
#include "dcc/TransferList.h"

class Conversation;
class Session;
class Shell;
struct DccOffer;
class SessionTable;

// Every direct connection of the application: the "/dcc" command, the
// offers received, chat text typed into a chat window, and the life of the
// DirectConnect objects (an ended one is deleted from the event loop once
// no chat window shows it any more).
//
// "/dcc" forms (words compared without regard to case):
//   /dcc chat connect host port          connect to a chat offer
//   /dcc chat connect nick               offer a chat to nick
//   /dcc send receive host port size file  accept a file (Save As first)
//   /dcc send send nick file...          offer a file to nick
//   /dcc chat passive nick token         answer nick's passive chat offer
//   /dcc send passive nick token size file  answer nick's passive file offer (Save As first)
// Chat windows are named "*" and the peer's nick (the nick of the offer that
// announced host and port; "*host:port" when no offer did).
class DirectConnections : public QObject
{
    Q_OBJECT

public:
    explicit DirectConnections(SessionTable &table);
    ~DirectConnections() override;

    // "/dcc ..." issued in window of session: 1 done, 0 not a form of the
    // command or unusable (a bad address, port, size or file name).
    int Command(Session &session, const std::string &window, const std::string &line);
    // A received offer: remembered (so that its chat window is named after
    // the sender) and shown or queued by the built-in handling. Always true.
    bool TakeOffer(Session &session, const std::string &body, const std::string &senderPrefix);
    bool SendChat(WindowConnection &connection, const std::string &text);

    // Starts a connection owned by window; a chat the window had is shut
    // down without a message.
    DirectConnect *Open(Conversation &window, DirectConnect::Params params);

    void SetOfferTimeout(int ms) { m_offerTimeoutMs = ms; }
    std::vector<DirectConnect *> Connections() const;

    // Every file transfer of this run, and the actions on one of them.
    TransferList &Transfers() { return m_transfers; }
    TransferFeed &Feed() { return m_feed; }
    bool CancelTransfer(int id) { return m_feed.Cancel(id); }
    // A send that failed is offered again to the same nick, in place of the
    // failed one, while its session is connected and the file readable.
    bool CanResume(int id) const;
    bool ResumeTransfer(int id);

    // Where a received file is saved unless the user picks another place:
    // the folder of the DCC settings when one is set, otherwise the user's
    // download folder (made when it is missing), the home folder at worst.
    static std::string DownloadFolder();

    static constexpr size_t kRememberedOffers = 64;

private:
    struct ReceivedOffer
    {
        std::string sessionKey, nick, address;
        uint16_t port = 0;
    };

    int ChatConnect(Session &session, const std::string &window, const std::string &host, const std::string &port);
    int ChatOffer(Session &session, const std::string &nick);
    int FileReceive(Session &session, const std::string &window, const std::string &line);
    int FileSend(Session &session, const std::string &nick, const std::string &path);
    int ChatPassive(Session &session, const std::string &nick, const std::string &token);
    int FilePassive(Session &session, const std::string &line);
    std::string SaveAs(Session &session, const std::string &fileName) const;
    // The answer to a passive offer of ours (its token, the peer's address
    // and port): connects it and is not shown. False for any other offer.
    bool TakePassiveAnswer(Session &session, const DccOffer &answer, const std::string &nick);
    Conversation *OpenChatWindow(Session &session, const std::string &name);
    // The window's chat makes room for a newer one: a connected chat ends
    // with a line saying so, a pending or ended one goes quietly.
    void ReplaceChat(Conversation &window);
    DirectConnect *Find(const WindowConnection *connection) const;
    // Prints why host and port are refused; false then.
    bool CheckTarget(Session &session, const std::string &window, const std::string &host,
                     const std::string &port) const;
    std::string NickOfOffer(const Session &session, const std::string &address, uint16_t port) const;
    // Whether host may be connected to: asks the user a second time when an
    // address outside the public network comes while the server is in it.
    bool ConfirmTarget(Session &session, const std::string &nick, const std::string &host, uint16_t port) const;
    // Where a download into path begins: 0 for a new or overwritten file, the
    // length of a shorter file the user continues; nothing when cancelled.
    static std::optional<uint64_t> StartOfDownload(Shell &shell, const std::string &path, uint64_t size,
                                                   const std::string &nick);
    // DCC RESUME for one of our sends, DCC ACCEPT for one of our downloads.
    void TakeResume(Session &session, const DccOffer &request, const std::string &nick);
    void ScheduleRelease();
    void ReleaseEnded();

    SessionTable &m_table;
    std::vector<std::unique_ptr<DirectConnect>> m_connections;
    std::deque<ReceivedOffer> m_offers;
    TransferList m_transfers;
    TransferFeed m_feed{m_transfers};
    int m_offerTimeoutMs = DirectConnect::kDefaultOfferTimeoutMs;
    bool m_releaseScheduled = false;
};
