#include "FakeShell.h"

#include <QString>

#include "FakeConversationView.h"
#include "FakeFileProgress.h"
#include "conversation/Conversation.h"
#include "dcc/DirectConnections.h"
#include "session/Session.h"

FakeShell::FakeShell() = default;

FakeShell::~FakeShell() = default;

ConversationView *FakeShell::CreateView(Conversation &conversation)
{
    if (!m_makeViews)
        return nullptr;
    m_views.push_back(std::make_unique<FakeConversationView>(conversation));
    return m_views.back().get();
}

void FakeShell::ShowBalloon(const std::string &title, const std::string &text, int textClass)
{
    m_balloons.push_back({title, text, textClass});
}

int FakeShell::MessageBox(const std::string &text, const std::string &title, int buttons)
{
    (void)title;
    (void)buttons;
    m_messageBoxes.push_back(text);
    return m_messageBoxAnswer;
}

std::string FakeShell::OpenFileDialog(const std::string &folder, const std::string &filter)
{
    (void)folder;
    (void)filter;
    return m_fileDialogAnswer;
}

std::string FakeShell::SaveFileDialog(const std::string &folder, const std::string &fileName, const std::string &filter)
{
    m_saveFolders.push_back(folder);
    (void)fileName;
    (void)filter;
    return m_fileDialogAnswer;
}

void FakeShell::UserPropertiesLine(const std::string &sessionKey, const std::string &nick, const std::string &line)
{
    m_propertyLines.push_back(sessionKey + " " + nick + " " + line);
}

void FakeShell::ChannelListRow(const std::string &sessionKey, const std::string &channel, uint32_t users,
                               const std::string &topic)
{
    m_channelListRows.push_back(sessionKey + " " + channel + " " + std::to_string(users) + " " + topic);
}

FakeConversationView *FakeShell::View(const std::string &name) const
{
    const QString wanted = QString::fromStdString(name).toLower();
    for (auto it = m_views.rbegin(); it != m_views.rend(); ++it) {
        if (QString::fromStdString((*it)->Name()).toLower() == wanted)
            return it->get();
    }
    return nullptr;
}

std::vector<FakeConversationView *> FakeShell::Views() const
{
    std::vector<FakeConversationView *> views;
    for (const auto &view : m_views)
        views.push_back(view.get());
    return views;
}

void FakeShell::OpenProperties(Session &session, const std::string &name)
{
    m_propertySheets.push_back(session.Key() + "|" + name);
}

void FakeShell::OpenBanList(Session &session, const std::string &channel)
{
    m_banLists.push_back(session.Key() + "|" + channel);
}

int FakeShell::DccCommand(Session &session, const std::string &window, const std::string &line)
{
    m_dccCommands.push_back(window + "|" + line);
    if (m_dcc)
        return m_dcc->Command(session, window, line);
    return m_hasDcc ? 1 : 0;
}

bool FakeShell::TakeDccOffer(Session &session, const std::string &body, const std::string &senderPrefix)
{
    if (!m_hasDcc && !m_dcc)
        return false;
    m_dccOffers.push_back(senderPrefix + "|" + body);
    return m_dcc ? m_dcc->TakeOffer(session, body, senderPrefix) : true;
}

bool FakeShell::SendDccChat(WindowConnection &connection, const std::string &text)
{
    m_dccChatTexts.push_back({&connection, text});
    return m_dcc ? m_dcc->SendChat(connection, text) : m_dccChatSends;
}

FileProgress *FakeShell::OpenFileProgress(DirectConnect &connection, const std::string &path,
                                          const std::string &direction)
{
    m_progress.push_back(std::make_unique<FakeFileProgress>(connection, path, direction));
    return m_progress.back().get();
}
