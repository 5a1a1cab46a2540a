// Registration with the server and the handling of the session's own nick.
#include "session/Session.h"

#include <QHostAddress>
#include <QHostInfo>

#include <ctime>
#include <random>

#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/NickRules.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

const char *const kDefaultNick = "brimo";
const char *const kDefaultFullName = "Brimo";
const char *const kDefaultEmail = "brimo@localhost";

// The text as one middle parameter of USER: as typed, less what the
// protocol cannot carry there (blanks, line breaks, NUL, a leading ':');
// the fallback when nothing is left, so no parameter is ever empty.
std::string UserParameter(const std::string &text, const char *fallback)
{
    std::string clean;
    for (char c : text) {
        if (c != ' ' && c != '\r' && c != '\n' && c != '\0' && !(clean.empty() && c == ':'))
            clean += c;
    }
    return clean.empty() ? std::string(fallback) : clean;
}

// Values 0 to 32767 from a generator seeded once with the time in seconds.
// Seeding once (not at every call) keeps two rejections within one second
// from proposing the same nick again.
int NextRandom()
{
    static std::minstd_rand generator(static_cast<unsigned>(std::time(nullptr)));
    return static_cast<int>(generator() % 32768);
}

std::string RandomSuffix()
{
    const long long product = static_cast<long long>(NextRandom()) * NextRandom();
    std::string digits;
    for (char c : std::to_string(product)) {
        if (c != '0')
            digits += c;
    }
    return digits.substr(0, 3);
}

std::string WithoutTrailingDigits(std::string nick)
{
    for (int i = 0; i < 3 && !nick.empty() && nick.back() >= '0' && nick.back() <= '9'; ++i)
        nick.pop_back();
    return nick;
}

} // namespace

int Session::Register()
{
    m_welcomed = false;
    const std::optional<ServerIdentity> identity = FavouriteServers::Identity(m_confName);
    const std::string password = FavouriteServers::Password(m_confName);
    // Servers that know capabilities hold registration until "CAP END";
    // others ignore the line and register at once. Asked once a connection:
    // registering again (451) does not start the negotiation over.
    if (m_capsAskedOn != m_connectionNumber) {
        m_capsAskedOn = m_connectionNumber;
        m_caps.Reset();
        m_saslState = SaslState::None;
        m_accounts.clear();
        m_batches.clear();
        m_welcomeTime = 0;
        UseModes(ModeRules()); // until this server announces its own
        SendLine("CAP LS 302");
    }
    if (!password.empty())
        SendLine("PASS " + password);

    std::string nick, email, fullName;
    if (identity) {
        nick = identity->nick;
        email = identity->email;
        fullName = identity->fullName;
    } else {
        nick = RecordField(ReadString("Nick"), 1);
        email = RecordField(ReadString("User E-Mail"), 1);
        fullName = ReadString("User Full Name");
    }
    if (nick.empty())
        nick = kDefaultNick;
    if (email.empty())
        email = kDefaultEmail;
    if (fullName.empty())
        fullName = kDefaultFullName;
    return SendRegistration(CleanNick(nick), UserParameter(email, kDefaultEmail), fullName);
}

int Session::SendRegistration(const std::string &nick, const std::string &email, const std::string &fullName)
{
    // A nick made only of blanks and quotes would leave NICK without a parameter.
    const std::string sentNick = nick.empty() ? std::string(kDefaultNick) : nick;
    const std::string user = UserParameter(sentNick, kDefaultNick);
    m_registeredUser = user;
    SendLine(StrPrintf("USER %s %s %s :%s", user.c_str(), user.c_str(), email.c_str(), fullName.c_str()));
    SendLine("NICK " + sentNick);
    return 1;
}

int Session::NickCommand(const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    const std::string nick = GetWord(line, 2);
    SendLine("NICK " + nick);
    m_registeredNick = nick;
    return 1;
}

void Session::Welcome(const std::string &line)
{
    const std::string named = GetWord(line, 3);
    if (!named.empty())
        m_registeredNick = named;
    if (!m_registeredNick.empty()) {
        m_nick = m_registeredNick;
        UpdateNick(m_nick);
    }
    // Many servers end the welcome with the address they give us.
    LearnOwnAddress(GetWord(line, CountWords(line)));
    m_welcomed = true;
    NoteWelcomeTime();
    std::vector<std::string> joins;
    joins.swap(m_joinsOnWelcome);
    for (const std::string &join : joins)
        Command("", 0, join);
}

void Session::JoinWhenWelcomed(const std::string &channel, const std::string &key)
{
    const std::string join = key.empty() ? "/join " + channel : "/join " + channel + " " + key;
    if (m_welcomed && m_connected)
        Command("", 0, join);
    else
        m_joinsOnWelcome.push_back(join);
}

void Session::LearnOwnAddress(const std::string &prefix)
{
    const std::string address = StripColon(prefix);
    const size_t bang = address.find('!');
    const size_t at = address.find('@', bang == std::string::npos ? 0 : bang);
    if (bang == std::string::npos || at == std::string::npos || !EqualIgnoringCase(address.substr(0, bang), m_nick))
        return;
    m_ownUser = address.substr(bang + 1, at - bang - 1);
    LearnOwnHost(address.substr(at + 1));
}

void Session::LearnOwnHost(const std::string &host)
{
    if (host.empty() || host == m_ownHost)
        return;
    m_ownHost = host;
    m_networkAddress.clear();
    m_hostLookup.reset(); // an answer about the previous host no longer matters
    const QString name = QString::fromStdString(host);
    if (QHostAddress address; address.setAddress(name)) {
        m_networkAddress = address.toString().toStdString();
        return;
    }
    // A cloak ("user/bob") is no name to look up.
    if (host.find('/') != std::string::npos || (host.find('.') == std::string::npos && host != "localhost"))
        return;
    m_hostLookup = std::make_unique<QObject>();
    // An address of the server connection's family is what a peer can use beside it.
    const bool ipv6 = LocalAddress().find(':') != std::string::npos;
    QHostInfo::lookupHost(name, m_hostLookup.get(), [this, ipv6](const QHostInfo &info) {
        for (const QHostAddress &found : info.addresses()) {
            if ((found.protocol() == QAbstractSocket::IPv6Protocol) == ipv6) {
                m_networkAddress = found.toString().toStdString();
                return;
            }
        }
    });
}

size_t Session::OwnPrefixLength() const
{
    // The protocol's limit for a host name.
    constexpr size_t kUnknownHostLength = 63;
    const size_t user = m_ownUser.empty() ? 1 + m_registeredUser.size() : m_ownUser.size();
    const size_t host = m_ownHost.empty() ? kUnknownHostLength : m_ownHost.size();
    return m_nick.size() + 1 + user + 1 + host;
}

void Session::NickChanged(const std::string &line)
{
    const std::string oldNick = NickFromPrefix(GetWord(line, 1));
    const std::string newNick = StripColon(GetWord(line, 3));
    if (oldNick.empty() || newNick.empty())
        return;

    for (Conversation *window : Windows()) {
        if (!window->Nicks().FindNick(oldNick))
            continue;
        window->Nicks().RenameNick(oldNick, newNick);
        window->NickListChanged();
        window->Print(Strings::Format(Str::NickChanged, oldNick.c_str(), newNick.c_str()), TextClass::Info);
    }

    auto it = m_windows.find(FoldCase(oldNick));
    if (it != m_windows.end() && it->second->Type() == Conversation::TypePrivate)
        RenameWindow(oldNick, newNick);

    const std::string account = AccountOf(oldNick);
    SetAccount(oldNick, std::string());
    SetAccount(newNick, account);

    if (oldNick == m_nick) {
        m_nick = newNick;
        UpdateNick(newNick);
    }
    Log("Change Nick: %s => %s", oldNick.c_str(), newNick.c_str());
}

int Session::NickRejected(int code, const std::string &line)
{
    const std::string rejected = GetWord(line, 4);
    if (code == 432)
        PrintTo("", TextClass::Error, Strings::Format(Str::NickRejected, rejected.c_str()));
    else
        PrintTo("", TextClass::Error, Strings::Format(Str::NickInUse, rejected.c_str()));
    PrintTo("", TextClass::Info, Strings::Get(Str::NickCommandHint));
    if (m_connecting)
        AutoChangeNick(code == 432 ? std::string() : rejected);
    return 1;
}

void Session::AutoChangeNick(const std::string &rejected)
{
    std::string base = WithoutTrailingDigits(rejected);
    if (rejected.empty())
        base = "Brimo";
    const std::string newNick = base + RandomSuffix();
    Command(m_key, 0, "/nick " + newNick);
    PrintTo("", TextClass::Error, Strings::Format(Str::NickChangedAutomatically, newNick.c_str()));
    PrintTo("", TextClass::Info, Strings::Format(Str::YourNickChanged, newNick.c_str()), true);
}

void Session::UpdateNick(const std::string &newNick)
{
    if (FavouriteServers::Identity(m_confName)) {
        FavouriteServers::SetIdentityNick(m_confName, newNick);
        return;
    }
    if (ReadBool("Update Nick"))
        SaveNick(newNick);
}
