#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <regex>

#include "DccFixture.h"
#include "WeechatPeer.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

namespace {

constexpr size_t kFileBytes = 50 * 1024 * 1024;
constexpr int kChatLines = 1000;
constexpr int kTransferMs = 20000;

std::string FileSha256(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return "unreadable " + path;
    return hash.result().toHex().toStdString();
}

// The session "me" and WeeChat as "wpeer" meet in a channel of the test's ngircd.
class WeechatDcc : public DccFixture
{
protected:
    void SetUp() override
    {
        DccFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (!WeechatPeer::IsAvailable())
            GTEST_SKIP() << "weechat-headless is not installed";
        m_me->Command("", 0, "/join #dcc");
        ASSERT_TRUE(m_weechat.Start(m_ircd->Port(), "#dcc", WeechatSettings()));
        ASSERT_TRUE(WaitFor([&] {
            Conversation *channel = m_me->FindWindow("#dcc");
            return channel && channel->Nicks().FindNick("wpeer");
        })) << m_weechat.Log();
    }

    virtual std::string WeechatSettings() const { return {}; }

    // The accepting command of the newest clickable offer line in the server window.
    std::string ClickedOffer() const
    {
        static const std::regex element("id='(/dcc [^']*)'");
        const auto &lines = ServerView()->Lines();
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            std::smatch match;
            if (std::regex_search(it->text, match, element))
                return match[1];
        }
        return {};
    }

    // A file of kFileBytes pseudo-random bytes.
    std::string MakeFile(const std::string &name) const
    {
        const std::string path = TempPath(name);
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        const std::string block = RandomBytes(1024 * 1024 + 7);
        for (size_t written = 0; written < kFileBytes; written += block.size())
            file.write(block.data(), qint64(std::min(block.size(), kFileBytes - written)));
        return path;
    }

    WeechatPeer m_weechat;
};

TEST_F(WeechatDcc, AFileSentToWeechatArrivesWhole)
{
    const std::string path = MakeFile("to weechat.bin");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(Dcc("/dcc send send wpeer " + path), 1);
    const std::string received = m_weechat.DownloadFolder() + "/to.weechat.bin";
    ASSERT_TRUE(WaitFor([&] { return ServerView()->HasLine(Strings::Get(Str::DccTransferDone)); }, kTransferMs))
        << m_weechat.Log();
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccClosed, "wpeer")));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(QString::fromStdString(received)).size() == qint64(kFileBytes); }));
    EXPECT_EQ(FileSha256(received), FileSha256(path));
}

TEST_F(WeechatDcc, AFileFromWeechatArrivesWhole)
{
    const std::string path = MakeFile("from weechat.bin");
    ASSERT_FALSE(path.empty());
    ASSERT_TRUE(m_weechat.Run("irc.server.t", "/dcc send me " + path));
    ASSERT_TRUE(WaitFor([&] { return !ClickedOffer().empty(); })) << m_weechat.Log();
    const std::string accept = ClickedOffer();
    EXPECT_NE(accept.find(" " + std::to_string(kFileBytes) + " from_weechat.bin"), std::string::npos) << accept;
    const std::string saved = TempPath("saved.bin");
    m_shell.m_fileDialogAnswer = saved;
    EXPECT_EQ(Dcc(accept), 1);
    ASSERT_TRUE(WaitFor([&] { return ServerView()->HasLine(Strings::Get(Str::DccTransferDone)); }, kTransferMs))
        << m_weechat.Log();
    EXPECT_EQ(FileSha256(saved), FileSha256(path));
}

TEST_F(WeechatDcc, AThousandChatLinesEachWayArriveInOrder)
{
    EXPECT_EQ(Dcc("/dcc chat connect wpeer"), 1);
    DirectConnect *chat = Newest();
    ASSERT_NE(chat, nullptr);
    ASSERT_TRUE(WaitForLine("*wpeer", Strings::Get(Str::DccConnected))) << m_weechat.Log();

    std::vector<std::string> fromMe, fromWeechat;
    for (int i = 1; i <= kChatLines; ++i) {
        fromMe.push_back("line " + std::to_string(i) + " from me, žlté");
        fromWeechat.push_back("line " + std::to_string(i) + " from wpeer, ďaleko");
    }
    for (const std::string &line : fromMe)
        ASSERT_TRUE(m_dcc->SendChat(*chat, line));
    ASSERT_TRUE(WaitFor([&] { return m_weechat.ChatLines("me").size() >= fromMe.size(); }, kTransferMs))
        << m_weechat.ChatLines("me").size();
    EXPECT_EQ(m_weechat.ChatLines("me"), fromMe);

    // Only now: WeeChat drops what is typed into a chat whose connection it
    // has not yet seen complete, and having received proves it has.
    ASSERT_TRUE(m_weechat.RunAll("xfer.irc_dcc.t.me", fromWeechat));
    std::vector<std::string> shown;
    ASSERT_TRUE(WaitFor(
        [&] {
            shown.clear();
            for (const auto &line : ViewOf("*wpeer")->Lines()) {
                if (line.text.rfind("wpeer: ", 0) == 0)
                    shown.push_back(line.text.substr(7));
            }
            return shown.size() >= fromWeechat.size();
        },
        kTransferMs))
        << shown.size() << " lines shown, first " << (shown.empty() ? "" : shown.front()) << ", last "
        << (shown.empty() ? "" : shown.back());
    EXPECT_EQ(shown, fromWeechat);
}

TEST_F(WeechatDcc, AChatOfferedByWeechatOpensAWindowNamedAfterIt)
{
    ASSERT_TRUE(m_weechat.Run("irc.server.t", "/dcc chat me"));
    ASSERT_TRUE(WaitFor([&] { return !ClickedOffer().empty(); })) << m_weechat.Log();
    EXPECT_EQ(ClickedOffer().rfind("/dcc chat connect 127.0.0.1 ", 0), 0u) << ClickedOffer();
    EXPECT_EQ(Dcc(ClickedOffer()), 1);
    ASSERT_TRUE(WaitForLine("*wpeer", Strings::Get(Str::DccConnected)));
    DirectConnect *chat = Newest();
    ASSERT_TRUE(m_dcc->SendChat(*chat, "ahoj"));
    ASSERT_TRUE(WaitFor([&] { return !m_weechat.ChatLines("me").empty(); }));
    EXPECT_EQ(m_weechat.ChatLines("me"), std::vector<std::string>{"ahoj"});
    ASSERT_TRUE(m_weechat.Run("xfer.irc_dcc.t.me", "nazdar"));
    EXPECT_TRUE(WaitForLine("*wpeer", "wpeer: nazdar"));
}

// About 40 % of a file, as an interrupted transfer leaves it.
constexpr size_t kCutAt = kFileBytes * 2 / 5;

bool CopyPrefix(const std::string &from, const std::string &to, size_t count)
{
    QFile in(QString::fromStdString(from));
    QFile out(QString::fromStdString(to));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = in.read(qint64(count));
    return out.write(bytes) == qint64(count);
}

TEST_F(WeechatDcc, ADownloadFromWeechatResumesWhereItWasCut)
{
    const std::string path = MakeFile("resumed from weechat.bin");
    ASSERT_FALSE(path.empty());
    const std::string saved = TempPath("resumed.bin");
    ASSERT_TRUE(CopyPrefix(path, saved, kCutAt));
    ASSERT_TRUE(m_weechat.Run("irc.server.t", "/dcc send me " + path));
    ASSERT_TRUE(WaitFor([&] { return !ClickedOffer().empty(); })) << m_weechat.Log();
    m_shell.m_fileDialogAnswer = saved;
    m_shell.m_messageBoxAnswer = Shell::AnswerResume;
    EXPECT_EQ(Dcc(ClickedOffer()), 1);
    const TransferEnd &end = EndOf(Newest());
    ASSERT_TRUE(WaitForEnd(end, kTransferMs)) << m_weechat.Log();
    EXPECT_TRUE(end.IsDone()) << ServerView()->Lines().back().text;
    EXPECT_TRUE(ServerView()->HasLineContaining(FormatSize(kCutAt)));
    EXPECT_EQ(FileSha256(saved), FileSha256(path));
}

TEST_F(WeechatDcc, WeechatResumesAFileWeSendWhereItWasCut)
{
    const std::string path = MakeFile("resumed to weechat.bin");
    ASSERT_FALSE(path.empty());
    const std::string received = m_weechat.DownloadFolder() + "/resumed.to.weechat.bin";
    // WeeChat keeps what it has not finished under a temporary suffix.
    ASSERT_TRUE(CopyPrefix(path, received + ".part", kCutAt));
    EXPECT_EQ(Dcc("/dcc send send wpeer " + path), 1);
    const TransferEnd &end = EndOf(Newest());
    ASSERT_TRUE(WaitForEnd(end, kTransferMs)) << m_weechat.Log();
    EXPECT_TRUE(end.IsDone()) << ServerView()->Lines().back().text;
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccResumeAnswered, "wpeer", "resumed.to.weechat.bin",
                                                      FormatSize(kCutAt).c_str())));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(QString::fromStdString(received)).size() == qint64(kFileBytes); }))
        << m_weechat.Log();
    EXPECT_EQ(FileSha256(received), FileSha256(path));
}

// WeeChat sends slowly enough that the transfer still runs when it quits.
class WeechatSlowSender : public WeechatDcc
{
protected:
    std::string WeechatSettings() const override { return "/set xfer.network.speed_limit_send 4000"; }
};

TEST_F(WeechatSlowSender, ClosingEarlyLeavesAnIncompleteFileSaidToBeSo)
{
    const std::string path = MakeFile("partial.bin");
    ASSERT_TRUE(m_weechat.Run("irc.server.t", "/dcc send me " + path));
    ASSERT_TRUE(WaitFor([&] { return !ClickedOffer().empty(); })) << m_weechat.Log();
    const std::string saved = TempPath("saved.bin");
    m_shell.m_fileDialogAnswer = saved;
    EXPECT_EQ(Dcc(ClickedOffer()), 1);
    QPointer<DirectConnect> receiver = Newest();
    ASSERT_TRUE(WaitFor([&] { return receiver && receiver->Received() >= 1024 * 1024; }, kTransferMs));
    m_weechat.Quit();
    ASSERT_TRUE(WaitFor([&] { return !receiver || receiver->IsClosed(); }));
    const qint64 kept = QFileInfo(QString::fromStdString(saved)).size();
    EXPECT_GE(kept, 1024 * 1024);
    EXPECT_LT(kept, qint64(kFileBytes));
    const std::string reason = Strings::Format(Str::DccReasonPeerClosed, int(uint64_t(kept) * 100 / kFileBytes),
                                               FormatSize(uint64_t(kept)).c_str(), FormatSize(kFileBytes).c_str());
    EXPECT_TRUE(
        ServerView()->HasLine(Strings::Format(Str::DccTransferFailed, saved.c_str(), "wpeer", reason.c_str())))
        << ServerView()->Lines().back().text;
    EXPECT_FALSE(ServerView()->HasLine(Strings::Get(Str::DccTransferDone)));
    EXPECT_FALSE(ServerView()->HasLine(Strings::Format(Str::DccClosed, "wpeer")));
}

} // namespace
