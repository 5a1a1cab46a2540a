// SASL during registration: PLAIN with the account and password of the
// server entry, or EXTERNAL with its client certificate; the server's
// replies 900 to 908.
#include "session/Session.h"

#include <QByteArray>

#include <cctype>

#include "config/Config.h"
#include "session/DispatchHandlers.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

// "MECHANISM account required", by the server entry's name; required is
// "1" when registration must not go on without the login.
const char *const kSaslSection = "SASL";
// AUTHENTICATE carries at most this much of the encoded answer per line.
constexpr size_t kChunkBytes = 400;

// The reason of a numeric reply: its text after the colon that follows the prefix.
std::string Reason(const std::string &line)
{
    return Dispatch::AfterFirstColon(line.substr(line.empty() ? 0 : 1));
}

} // namespace

std::string Session::SaslMechanism() const
{
    std::string mechanism = RecordField(ReadString(kSaslSection, m_confName), 1);
    for (char &c : mechanism)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return mechanism == "PLAIN" || mechanism == "EXTERNAL" ? mechanism : std::string();
}

bool Session::IsSaslRequired() const
{
    return RecordField(ReadString(kSaslSection, m_confName), 3) == "1";
}

bool Session::StartSasl()
{
    const std::string mechanism = SaslMechanism();
    const std::string offered = m_caps.OfferedValue("sasl");
    if (mechanism.empty())
        return false;
    if (!m_caps.IsEnabled("sasl")
        || (!offered.empty() && ("," + offered + ",").find("," + mechanism + ",") == std::string::npos)) {
        PrintTo("", TextClass::Error, Strings::Format(Str::SaslNotOffered, mechanism.c_str()));
        SaslFailed();
        return true;
    }
    const std::string account = RecordField(ReadString(kSaslSection, m_confName), 2);
    PrintTo("", TextClass::Info, Strings::Format(Str::SaslStarting, account.c_str(), mechanism.c_str()));
    m_saslState = SaslState::AwaitingGo;
    SendLine("AUTHENTICATE " + mechanism);
    return true;
}

int Session::Authenticate(const std::string &line)
{
    const std::string payload = StripColon(GetWord(line, CountWords(line)));
    if (m_saslState != SaslState::AwaitingGo && m_saslState != SaslState::Answered)
        return 1;
    // Only the empty challenge "+" belongs to PLAIN and EXTERNAL, and only
    // once; anything else (a challenge, chunks out of order) ends the login.
    if (m_saslState != SaslState::AwaitingGo || payload != "+") {
        m_saslState = SaslState::Aborting; // the server's 906 ends it
        PrintTo("", TextClass::Error, Strings::Get(Str::SaslUnexpected));
        SendLine("AUTHENTICATE *");
        return 1;
    }
    m_saslState = SaslState::Answered;
    QByteArray answer;
    if (SaslMechanism() == "PLAIN") {
        const std::string account = RecordField(ReadString(kSaslSection, m_confName), 2);
        const std::string password = ReadSecret(kSaslPasswordsSection, m_confName);
        const std::string plain = account + '\0' + account + '\0' + password;
        answer = QByteArray(plain.data(), static_cast<qsizetype>(plain.size())).toBase64();
    }
    for (qsizetype from = 0; from < answer.size(); from += kChunkBytes)
        SendLine("AUTHENTICATE " + answer.mid(from, kChunkBytes).toStdString());
    // An empty answer, or one that filled its last line, ends with "+".
    if (answer.size() % static_cast<qsizetype>(kChunkBytes) == 0)
        SendLine("AUTHENTICATE +");
    return 1;
}

int Session::SaslReply(int numeric, const std::string &line)
{
    switch (numeric) {
    case 900:
        PrintTo("", TextClass::Info, Strings::Format(Str::SaslLoggedIn, GetWord(line, 5).c_str()));
        SetAccount(m_nick.empty() ? GetWord(line, 3) : m_nick, GetWord(line, 5));
        return 1;
    case 901:
        PrintTo("", TextClass::Info, Strings::Get(Str::SaslLoggedOut));
        return 1;
    case 903:
        m_saslState = SaslState::Succeeded;
        PrintTo("", TextClass::Info, Strings::Get(Str::SaslSucceeded));
        EndCapabilities();
        return 1;
    case 908:
        PrintTo("", TextClass::Info, Strings::Format(Str::SaslMechanisms, GetWord(line, 4).c_str()));
        return 1;
    case 907: // already logged in: registration goes on
        PrintTo("", TextClass::Error, Strings::Format(Str::SaslFailed, numeric, Reason(line).c_str()));
        m_saslState = SaslState::Finished;
        EndCapabilities();
        return 1;
    default: // 902 nick locked, 904 failed, 905 too long, 906 aborted
        PrintTo("", TextClass::Error, Strings::Format(Str::SaslFailed, numeric, Reason(line).c_str()));
        if (m_saslState == SaslState::AwaitingGo || m_saslState == SaslState::Answered
            || m_saslState == SaslState::Aborting)
            SaslFailed();
        return 1;
    }
}

void Session::SaslFailed()
{
    m_saslState = SaslState::Finished;
    if (!IsSaslRequired()) {
        EndCapabilities();
        return;
    }
    PrintTo("", TextClass::Error, Strings::Get(Str::SaslRequiredStop));
    RefuseForGood();
    m_caps.EndNegotiation();
    SendLine("QUIT");
}

void Session::CheckSaslRequirement()
{
    if (SaslMechanism().empty() || !IsSaslRequired() || m_saslState == SaslState::Succeeded || m_fatalRefusal)
        return;
    PrintTo("", TextClass::Error, Strings::Get(Str::SaslRequiredStop));
    RefuseForGood();
    SendLine("QUIT");
}
