#include "find/MentionsWindow.h"

#include "find/MentionListModel.h"

#include "conversation/Conversation.h"
#include "session/MentionList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "widgets/RowList.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

MentionsWindow::MentionsWindow(SessionTable &sessions, QWidget *parent)
    : ChildWindow(std::string(), "mentions", parent)
    , m_sessions(sessions)
    , m_rows(new MentionListModel(sessions.Mentions(), this))
    , m_view(new QTreeView(this))
    , m_hint(new QLabel(FromStr(Str::MentionsHint), this))
    , m_markAll(new QPushButton(FromStr(Str::MentionsMarkAllRead), this))
{
    m_view->setModel(m_rows);
    SetUpRowList(m_view);
    QHeaderView *header = m_view->header();
    header->resizeSection(MentionListModel::TimeColumn, 80);
    header->resizeSection(MentionListModel::NetworkColumn, 100);
    header->resizeSection(MentionListModel::WindowColumn, 100);
    header->resizeSection(MentionListModel::NickColumn, 90);
    header->setStretchLastSection(true);
    m_hint->setTextFormat(Qt::PlainText);
    m_hint->setWordWrap(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_markAll);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_hint);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_view, &QTreeView::clicked, this, &MentionsWindow::OpenMention);
    connect(m_view, &QTreeView::activated, this, &MentionsWindow::OpenMention);
    connect(m_markAll, &QPushButton::clicked, this, [this] { m_sessions.Mentions().MarkAllRead(); });
    m_sessions.Mentions().SetListener([this] { ListChanged(); });
    setWindowTitle(Caption());
}

MentionsWindow::~MentionsWindow()
{
    m_sessions.Mentions().SetListener(nullptr);
}

QString MentionsWindow::Caption() const
{
    const int unread = m_sessions.Mentions().UnreadCount();
    return unread > 0 ? FromUtf8(Strings::Format(Str::MentionsTitleUnread, unread)) : FromStr(Str::MentionsTitle);
}

bool MentionsWindow::HasActivity() const
{
    return m_sessions.Mentions().UnreadCount() > 0;
}

void MentionsWindow::ListChanged()
{
    m_rows->Reset();
    m_markAll->setEnabled(HasActivity());
    setWindowTitle(Caption());
}

bool MentionsWindow::OpenMention(const QModelIndex &index)
{
    if (!index.isValid())
        return false;
    // Copied: marking it read changes the list the row points into.
    const Mention mention = m_rows->MentionAt(index);
    Session *session = m_sessions.FindSession(mention.m_sessionKey);
    if (!session)
        return false;
    m_sessions.Mentions().MarkRead(mention.m_number);
    Conversation *conversation = session->FindWindow(mention.m_window);
    const bool found = conversation != nullptr;
    if (!conversation)
        conversation = session->ServerWindow();
    auto *window = conversation ? dynamic_cast<ConversationWindow *>(conversation->View()) : nullptr;
    if (!window)
        return false;
    window->Activate();
    if (found)
        window->ScrollToShownLine(mention.m_lineId);
    return true;
}
