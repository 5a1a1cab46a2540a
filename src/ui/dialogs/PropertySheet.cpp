#include "dialogs/PropertySheet.h"

#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "dialogs/ChannelPropertiesPage.h"
#include "dialogs/UserAdvancedPropertiesPage.h"
#include "dialogs/UserPropertiesPage.h"
#include "session/Ctcp.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

std::vector<QPointer<PropertySheet>> &OpenSheets()
{
    static std::vector<QPointer<PropertySheet>> sheets;
    return sheets;
}

// A sheet hidden without being closed no longer counts as open: it goes, so
// that a new sheet for its name replaces it.
void DropHiddenSheets()
{
    std::vector<PropertySheet *> hidden;
    for (const QPointer<PropertySheet> &sheet : OpenSheets())
        if (sheet && sheet->isHidden())
            hidden.push_back(sheet);
    for (PropertySheet *sheet : hidden)
        sheet->deleteLater();
    auto &sheets = OpenSheets();
    sheets.erase(std::remove_if(sheets.begin(), sheets.end(),
                                [](const QPointer<PropertySheet> &sheet) { return !sheet || sheet->isHidden(); }),
                 sheets.end());
}

} // namespace

PropertySheet *PropertySheet::Find(const std::string &sessionKey, const std::string &name)
{
    for (const QPointer<PropertySheet> &sheet : OpenSheets())
        if (sheet && !sheet->isHidden() && sheet->m_sessionKey == sessionKey && EqualIgnoringCase(sheet->m_name, name))
            return sheet;
    return nullptr;
}

PropertySheet *PropertySheet::OpenProperties(Session &session, const std::string &name, QWidget *owner)
{
    if (name.empty())
        return nullptr;
    if (PropertySheet *open = Find(session.Key(), name)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    DropHiddenSheets();

    Conversation *window = session.FindWindow(name);
    const bool isChannel = window && window->Type() != Conversation::TypePrivate;
    auto *sheet = new PropertySheet(session.Table(), session.Key(), isChannel ? window->Name() : name, owner);
    OpenSheets().push_back(sheet);
    if (isChannel) {
        sheet->AddChannelPage(window->Name(), window->GetTopic(), window->Nicks().NickCount());
        sheet->show();
        return sheet;
    }
    sheet->AddUserPages(name);
    session.AddPropertySheet(name);
    sheet->show();
    session.Command(std::string(), 0, StrPrintf("/whois %s", name.c_str()));
    return sheet;
}

bool PropertySheet::RouteUserLine(const std::string &sessionKey, const std::string &nick, const std::string &line)
{
    bool taken = false;
    for (const QPointer<PropertySheet> &sheet : OpenSheets())
        if (sheet && sheet->IsUserSheet() && sheet->m_sessionKey == sessionKey && sheet->m_name == nick) {
            sheet->ApplyLine(line);
            taken = true;
        }
    return taken;
}

void PropertySheet::CloseAll()
{
    const std::vector<QPointer<PropertySheet>> sheets = OpenSheets();
    for (const QPointer<PropertySheet> &sheet : sheets)
        delete sheet.data();
    OpenSheets().clear();
}

PropertySheet::PropertySheet(const SessionTable &table, const std::string &sessionKey, const std::string &name,
                             QWidget *owner)
    : QDialog(owner), m_table(table), m_sessionKey(sessionKey), m_name(name)
{
    setModal(false);
    setWindowTitle(QString::fromStdString(Strings::Format(Str::PropertiesCaption, name.c_str())));
    m_tabs = new QTabWidget(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    resize(440, 320);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] {
        Forget();
        deleteLater();
    });
}

PropertySheet::~PropertySheet()
{
    Forget();
}

std::string PropertySheet::Name() const
{
    return m_name;
}

void PropertySheet::AddChannelPage(const std::string &channel, const std::string &topic, int count)
{
    m_channel = new ChannelPropertiesPage(m_sessionKey, channel, topic, count, m_tabs);
    m_tabs->addTab(m_channel, FromStr(Str::ChannelTab));
}

void PropertySheet::AddUserPages(const std::string &nick)
{
    m_user = new UserPropertiesPage(m_sessionKey, nick, m_tabs);
    m_advanced = new UserAdvancedPropertiesPage(m_sessionKey, nick, m_tabs);
    m_advanced->SetCommandRunner([this](const std::string &line) { return RunCommand(line); });
    m_tabs->addTab(m_user, FromStr(Str::UserTab));
    m_tabs->addTab(m_advanced, FromStr(Str::UserAdvancedTab));
}

bool PropertySheet::ApplyLine(const std::string &line)
{
    if (!m_user)
        return false;
    const Ctcp::PropertyUpdate update = Ctcp::PropertyUpdateOf(line, static_cast<int64_t>(std::time(nullptr)));
    return m_user->Apply(update) || m_advanced->Apply(update);
}

int PropertySheet::RunCommand(const std::string &line) const
{
    Session *session = FindSession();
    return session ? session->Command(std::string(), 0, line) : 0;
}

Session *PropertySheet::FindSession() const
{
    return m_table.FindSession(m_sessionKey);
}

void PropertySheet::Forget()
{
    if (m_forgotten)
        return;
    m_forgotten = true;
    auto &sheets = OpenSheets();
    sheets.erase(std::remove_if(sheets.begin(), sheets.end(),
                                [this](const QPointer<PropertySheet> &sheet) { return !sheet || sheet == this; }),
                 sheets.end());
    if (!m_user)
        return;
    if (Session *session = FindSession()) {
        session->RemovePropertySheet(m_name);
    }
}
