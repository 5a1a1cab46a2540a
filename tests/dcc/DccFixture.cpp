#include "DccFixture.h"

#include <QFile>

#include <random>

#include "session/Session.h"
#include "support/WaitFor.h"
#include "text/Words.h"

void DccFixture::SetUp()
{
    NgircdFixture::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_dcc = std::make_unique<DirectConnections>(*m_table);
    m_shell.m_dcc = m_dcc.get();
    m_me = ConnectAs("me");
    ASSERT_TRUE(m_bob.ConnectAndRegister(m_ircd->Port(), "bob"));
}

void DccFixture::TearDown()
{
    m_shell.m_dcc = nullptr;
    m_dcc.reset();
    NgircdFixture::TearDown();
}

std::string DccFixture::NextOfferToBob()
{
    std::string line;
    if (!m_bob.WaitForText("\001DCC ", 10000, &line))
        return {};
    const size_t start = line.find('\001');
    const size_t end = line.rfind('\001');
    return end > start ? line.substr(start + 1, end - start - 1) : std::string();
}

uint16_t DccFixture::OfferPort(const std::string &body)
{
    return static_cast<uint16_t>(std::stoi(GetWord(body, 5)));
}

void DccFixture::OfferFromBob(const std::string &body)
{
    m_bob.SendLine("PRIVMSG me :\001" + body + "\001");
}

int DccFixture::Dcc(const std::string &line, const std::string &window)
{
    return m_me->Command(window, 0, line);
}

FakeConversationView *DccFixture::ServerView() const
{
    return m_shell.View(m_me->Key());
}

bool DccFixture::WaitForLine(const std::string &window, const std::string &text) const
{
    return WaitFor([&] {
        FakeConversationView *view = m_shell.View(window);
        return view && view->HasLine(text);
    });
}

bool DccFixture::WaitForLineContaining(const std::string &window, const std::string &part) const
{
    return WaitFor([&] {
        FakeConversationView *view = m_shell.View(window);
        return view && view->HasLineContaining(part);
    });
}

DirectConnect *DccFixture::Newest() const
{
    const std::vector<DirectConnect *> all = m_dcc->Connections();
    return all.empty() ? nullptr : all.back();
}

const TransferEnd &DccFixture::EndOf(DirectConnect *connection)
{
    TransferEnd &end = m_ends.emplace_back();
    if (!connection)
        return end;
    if (connection->IsClosed())
        end = connection->End();
    else
        QObject::connect(connection, &DirectConnect::Closed, connection, [&end, connection] { end = connection->End(); });
    return end;
}

bool DccFixture::WaitForEnd(const TransferEnd &end, int timeoutMs) const
{
    return WaitFor([&] { return !end.IsRunning(); }, timeoutMs);
}

std::string DccFixture::TempPath(const std::string &name) const
{
    return m_files.filePath(QString::fromStdString(name)).toStdString();
}

std::string DccFixture::ReadFile(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

bool DccFixture::WriteFile(const std::string &path, const std::string &bytes)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

std::string DccFixture::RandomBytes(size_t count)
{
    std::mt19937_64 random(count);
    std::string bytes(count, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random());
    return bytes;
}
