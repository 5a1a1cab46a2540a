#include "dialogs/BanListDialog.h"

#include "conversation/Conversation.h"
#include "dialogs/BanExpiryDialog.h"
#include "dialogs/ListDialogLayout.h"
#include "dialogs/ReportList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/StrPrintf.h"
#include "text/TextUtil.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

ReportList::Row RowOf(const BanEntry &ban)
{
    return {ban.mask,
            {FromUtf8(ban.mask), FromUtf8(ban.setter), FromUtf8(ClockAndDateText(ban.since, true)),
             FromUtf8(ChannelState::DurationText(ban.minutes))}};
}

} // namespace

BanListDialog::BanListDialog(SessionTable &sessions, const std::string &sessionKey, const std::string &channel,
                             QWidget *parent)
    : QDialog(parent), m_table(sessions), m_sessionKey(sessionKey), m_channel(channel)
{
    setWindowTitle(FromUtf8(Strings::Format(Str::ChannelBansTitle, channel.c_str())));
    m_list = new ReportList({{Str::BanMaskColumn, 160},
                             {Str::BanSetterColumn, 90},
                             {Str::BanTimeColumn, 110, true},
                             {Str::BanDurationColumn, 60, true}},
                            this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_change = new QPushButton(FromStr(Str::ChangeButton), this);
    m_remove = new QPushButton(FromStr(Str::DeleteButton), this);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    LayOutListDialog(*this, nullptr, m_list, {m_change, m_remove}, close);

    m_timer = new QTimer(this);
    m_timer->setInterval(kRefreshMs);
    connect(m_timer, &QTimer::timeout, this, &BanListDialog::Refresh);
    connect(m_change, &QPushButton::clicked, this, &BanListDialog::ChangeBan);
    connect(m_remove, &QPushButton::clicked, this, &BanListDialog::RemoveBan);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &BanListDialog::ChangeBan);
    connect(m_list, &QWidget::customContextMenuRequested, this, &BanListDialog::ShowMenu);
    connect(close, &QDialogButtonBox::rejected, this, &BanListDialog::reject);
    Refresh();
    m_list->SelectFirst();
    m_timer->start();
    m_list->setFocus();
    resize(560, 320);
}

Conversation *BanListDialog::Window() const
{
    Session *session = m_table.FindSession(m_sessionKey);
    return session ? session->FindWindow(m_channel) : nullptr;
}

const BanEntry *BanListDialog::SelectedBan() const
{
    const Conversation *window = Window();
    const std::string mask = m_list->SelectedKey();
    return window && !mask.empty() ? window->Channel().FindBan(mask) : nullptr;
}

void BanListDialog::Refresh()
{
    const Conversation *window = Window();
    m_list->FollowRecords(window ? window->Channel().BanList() : std::vector<BanEntry>(), m_shown, RowOf);
}

void BanListDialog::RemoveBan()
{
    Session *session = m_table.FindSession(m_sessionKey);
    const BanEntry *ban = SelectedBan();
    if (!session || !ban)
        return;
    session->Command(m_channel, 0, StrPrintf("/servermsg MODE %s -b %s", m_channel.c_str(), ban->mask.c_str()));
}

void BanListDialog::ChangeBan()
{
    const BanEntry *ban = SelectedBan();
    if (!ban)
        return;
    auto *dialog = new BanExpiryDialog(ban->minutes, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, mask = ban->mask] {
        // The window may have gone while the dialog was open.
        if (Conversation *window = Window())
            window->Channel().SetBanDuration(mask, dialog->Minutes());
        Refresh();
    });
    dialog->open();
}

void BanListDialog::ShowMenu(const QPoint &position)
{
    if (!m_list->itemAt(position))
        return;
    QMenu menu(this);
    menu.addAction(FromStr(Str::DeleteMenuItem), this, &BanListDialog::RemoveBan);
    menu.addAction(FromStr(Str::ChangeMenuItem), this, &BanListDialog::ChangeBan);
    menu.exec(m_list->viewport()->mapToGlobal(position));
}
