#include "dialogs/IgnoreListDialog.h"

#include "dialogs/IgnoreEntryDialog.h"
#include "dialogs/ListDialogLayout.h"
#include "dialogs/ReportList.h"
#include "session/IgnoreList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/StrPrintf.h"
#include "text/TextUtil.h"
#include "widgets/Utf8Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

ReportList::Row RowOf(const IgnoreEntry &entry)
{
    return {entry.host,
            {FromUtf8(entry.host), FromUtf8(IgnoreList::FlagsText(entry.flags)), QString::number(entry.minutes),
             FromUtf8(ClockAndDateText(entry.since, false))}};
}

} // namespace

IgnoreListDialog::IgnoreListDialog(SessionTable &sessions, const std::string &sessionKey, QWidget *parent)
    : QDialog(parent), m_table(sessions)
{
    setWindowTitle(FromStr(Str::IgnoreListTitle));
    m_sessions = new QComboBox(this);
    for (const Session *session : sessions.Sessions()) {
        m_sessions->addItem(FromUtf8(session->HumanName()), FromUtf8(session->Key()));
        if (session->Key() == sessionKey)
            m_sessions->setCurrentIndex(m_sessions->count() - 1);
    }
    m_list = new ReportList({{Str::IgnoreHostColumn, 150},
                             {Str::IgnoreKindsColumn, 200},
                             {Str::IgnoreHowLongColumn, 70, true},
                             {Str::IgnoreSinceColumn, 100, true}},
                            this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    // Entries are added with "/ignore add"; the button is there, without a use.
    m_add = new QPushButton(FromStr(Str::AddButton), this);
    m_add->setEnabled(false);
    m_change = new QPushButton(FromStr(Str::ChangeButton), this);
    m_delete = new QPushButton(FromStr(Str::DeleteButton), this);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *sessionRow = new QFormLayout;
    sessionRow->addRow(FromStr(Str::SessionLabel), m_sessions);
    LayOutListDialog(*this, sessionRow, m_list, {m_add, m_change, m_delete}, close);

    m_timer = new QTimer(this);
    m_timer->setInterval(kRefreshMs);
    connect(m_timer, &QTimer::timeout, this, &IgnoreListDialog::Refresh);
    connect(m_sessions, &QComboBox::currentIndexChanged, this, [this] {
        m_list->clear();
        m_shown.reset();
        Refresh();
    });
    connect(m_change, &QPushButton::clicked, this, &IgnoreListDialog::ChangeEntry);
    connect(m_delete, &QPushButton::clicked, this, &IgnoreListDialog::DeleteEntry);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &IgnoreListDialog::ChangeEntry);
    connect(m_list, &QWidget::customContextMenuRequested, this, &IgnoreListDialog::ShowMenu);
    connect(close, &QDialogButtonBox::rejected, this, &IgnoreListDialog::reject);
    Refresh();
    m_list->SelectFirst();
    m_timer->start();
    m_list->setFocus();
    resize(700, 320);
}

Session *IgnoreListDialog::SelectedSession() const
{
    const QString key = m_sessions->currentData().toString();
    return key.isEmpty() ? nullptr : m_table.FindSession(key.toStdString());
}

const IgnoreEntry *IgnoreListDialog::SelectedEntry() const
{
    const Session *session = SelectedSession();
    const std::string host = m_list->SelectedKey();
    return session && !host.empty() ? IgnoreList::Find(session->Ignores(), host) : nullptr;
}

void IgnoreListDialog::Refresh()
{
    const Session *session = SelectedSession();
    m_list->FollowRecords(session ? session->Ignores() : std::vector<IgnoreEntry>(), m_shown, RowOf);
}

void IgnoreListDialog::DeleteEntry()
{
    Session *session = SelectedSession();
    const IgnoreEntry *entry = SelectedEntry();
    if (!session || !entry)
        return;
    session->Command(session->Key(), 0, StrPrintf("/ignore delete %s", entry->host.c_str()));
    Refresh();
}

void IgnoreListDialog::ChangeEntry()
{
    const IgnoreEntry *entry = SelectedEntry();
    if (!entry)
        return;
    const std::string key = m_sessions->currentData().toString().toStdString();
    auto *dialog = new IgnoreEntryDialog(entry->flags, entry->minutes, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, key, host = entry->host] {
        // The session may have gone while the dialog was open.
        if (Session *session = m_table.FindSession(key))
            IgnoreList::Change(session->Ignores(), host, dialog->Flags(), dialog->Minutes());
        Refresh();
    });
    dialog->open();
}

void IgnoreListDialog::ShowMenu(const QPoint &position)
{
    if (!m_list->itemAt(position))
        return;
    QMenu menu(this);
    menu.addAction(FromStr(Str::DeleteMenuItem), this, &IgnoreListDialog::DeleteEntry);
    menu.addAction(FromStr(Str::ChangeMenuItem), this, &IgnoreListDialog::ChangeEntry);
    menu.exec(m_list->viewport()->mapToGlobal(position));
}
