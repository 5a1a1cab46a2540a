#include "FloodView.h"

#include <QHBoxLayout>

#include "config/Strings.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "windows/ChannelList.h"
#include "windows/ChannelUsers.h"

FloodView::FloodView(Conversation &conversation)
    : m_conversation(&conversation), m_name(conversation.Name()), m_list(new CChannelList(this)),
      m_users(new CChannelUsers(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_users);
    m_users->setFixedWidth(140);
    m_users->SetNickList(&conversation.Nicks());
    // As the application does: contacts come from its contact-nick list,
    // here the empty address book of the benchmark.
    m_users->SetContactTest([](const std::string &) { return false; });

    FormatContext &context = m_list->formatContext();
    Session *session = conversation.GetSession();
    context.m_decoration.m_ownNick = session ? session->Nick() : std::string();
    context.m_decoration.m_isNickListMember = [this](std::string_view nick) {
        return m_conversation && m_conversation->Nicks().FindNick(nick);
    };
    m_list->Create();
    resize(900, 600);
    setWindowTitle(QString::fromStdString(m_name));
    // For finding where the time goes: the same work without painting.
    if (!qEnvironmentVariableIsSet("BRIMO_FLOOD_HIDDEN"))
        show();
}

FloodView::~FloodView()
{
    m_users->SetNickList(nullptr);
    if (m_conversation)
        m_conversation->DetachView(this);
}

bool FloodView::ShowLine(const std::string &text, int textClass, int64_t time)
{
    if (m_list->TextSize() > kMaxTextSize) {
        m_list->Create();
        ++m_clearings;
    }
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    m_list->WriteLine(text, static_cast<TextClass>(textClass), timeStamps, static_cast<std::time_t>(time));
    return true;
}

void FloodView::SetTitle(const std::string &title)
{
    setWindowTitle(QString::fromStdString(title));
}

void FloodView::Close()
{
    m_users->SetNickList(nullptr);
    m_conversation = nullptr;
    hide();
}
