#include "config/Config.h"

#include "config/AppSettings.h"
#include "config/ConfigChanges.h"
#include "config/StoredSecrets.h"
#include "text/Strings.h"
#include "platform/Profile.h"
#include "text/CaseFold.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

std::string g_configDirectory;
ConfigReporter *g_reporter = nullptr;
int g_failuresToldByCaller = 0;
// A failure already told (the unreadable file, or a failed write): the
// program says it once, not at every write that fails after it.
bool g_failureTold = false;

void Report(const std::string &text)
{
    if (g_reporter && !g_failureTold) {
        g_failureTold = true;
        g_reporter->ReportConfigProblem(text);
    }
}

StrText UnreadableReason(Profile::FileState state)
{
    switch (state) {
    case Profile::FileState::TooLarge:
        return Str::ConfigTooLarge;
    case Profile::FileState::NotAFile:
        return Str::ConfigNotAFile;
    default:
        return Str::ConfigNoPermission;
    }
}

// A program run where it was built (or unpacked as one folder) keeps its
// resources beside the executable; an installed one finds them under
// share/brimo of its prefix.
bool RunsFromOwnFolder()
{
    return QFileInfo(QString::fromStdString(ExeDirectory() + "/Help")).isDir();
}

std::string PerUserConfigDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() + "/brimo";
}

// Run from its own folder, the program keeps brimo.conf there when it may;
// installed, always in the per-user folder, never beside the executable.
std::string DefaultConfigDirectory()
{
    const std::string exeDirectory = ExeDirectory();
    if (RunsFromOwnFolder() && QFileInfo(QString::fromStdString(exeDirectory)).isWritable())
        return exeDirectory;
    return PerUserConfigDirectory();
}

// The leading hexadecimal digits of a two-character pair, as strtol reads them.
uint32_t ParseHexPair(const std::string &pair)
{
    uint32_t value = 0;
    for (char c : pair) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = value * 16 + uint32_t(digit);
    }
    return value;
}

// The position just after the (n-1)-th separator, or npos when there are fewer.
size_t FieldStart(const std::string &value, int n, char separator)
{
    if (n < 1)
        return std::string::npos;
    size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const size_t next = value.find(separator, start);
        if (next == std::string::npos)
            return std::string::npos;
        start = next + 1;
    }
    return start;
}

} // namespace

std::string ExeDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    return QDir::currentPath().toStdString();
}

std::string ResourceDirectory()
{
    const std::string exeDirectory = ExeDirectory();
    if (RunsFromOwnFolder())
        return exeDirectory;
    const QString installed =
        QDir(QString::fromStdString(exeDirectory)).absoluteFilePath(QStringLiteral("../share/brimo"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed).toStdString();
    return exeDirectory;
}

std::string DefaultLogDirectory()
{
    const std::string configFile = ConfigFilePath();
    const std::string configDirectory = configFile.substr(0, configFile.rfind('/'));
    if (configDirectory == PerUserConfigDirectory())
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/brimo/logs";
    return configDirectory + "/logs";
}

std::string LogDirectory(const AppSettings &settings)
{
    return settings.m_logFolder.empty() ? DefaultLogDirectory() : settings.m_logFolder;
}

std::string ConfigFilePath()
{
    std::string directory = g_configDirectory;
    if (directory.empty())
        directory = qEnvironmentVariable("BRIMO_CONFIG_DIR").toStdString();
    if (directory.empty())
        directory = DefaultConfigDirectory();
    while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
        directory.pop_back();
    return directory + "/brimo.conf";
}

bool CreateConfigFile()
{
    return Profile::CreateIfMissing(ConfigFilePath());
}

void SetConfigDirectory(const std::string &path)
{
    g_configDirectory = path;
    g_failureTold = false;
}

bool IsConfigReadable()
{
    const Profile::FileState state = Profile::State(ConfigFilePath());
    return state == Profile::FileState::Missing || state == Profile::FileState::Readable;
}

void SetConfigReporter(ConfigReporter *reporter)
{
    g_reporter = reporter;
    g_failureTold = false;
}

void ReportUnreadableConfig()
{
    const std::string path = ConfigFilePath();
    const Profile::FileState state = Profile::State(path);
    if (state != Profile::FileState::Missing && state != Profile::FileState::Readable)
        Report(Strings::Format(Str::ConfigUnreadable, path.c_str(), Strings::Get(UnreadableReason(state))));
}

bool NoteConfigWrite(bool written)
{
    if (written)
        return true;
    if (g_failuresToldByCaller > 0)
        return false;
    const std::string path = ConfigFilePath();
    const Profile::FileState state = Profile::State(path);
    if (state == Profile::FileState::Missing || state == Profile::FileState::Readable)
        Report(Strings::Format(Str::ConfigNotWritten, path.c_str()));
    else
        Report(Strings::Format(Str::ConfigUnreadable, path.c_str(), Strings::Get(UnreadableReason(state))));
    return false;
}

ConfigFailureToldByCaller::ConfigFailureToldByCaller()
{
    ++g_failuresToldByCaller;
}

ConfigFailureToldByCaller::~ConfigFailureToldByCaller()
{
    --g_failuresToldByCaller;
}

std::string ReadString(const std::string &section, const std::string &key)
{
    return Profile::GetString(ConfigFilePath(), section, key, kReadLimit - 1).value_or(std::string());
}

std::string ReadString(const std::string &key)
{
    return ReadString(kBaseSection, key);
}

bool ReadBool(const std::string &section, const std::string &key, bool *nonEmpty)
{
    const std::string value = ReadString(section, key);
    if (nonEmpty)
        *nonEmpty = !value.empty();
    return EqualIgnoringCase(value, "TRUE") || value == "1";
}

bool ReadBool(const std::string &key)
{
    return ReadBool(kBaseSection, key);
}

int ReadInt(const std::string &section, const std::string &key)
{
    const std::string value = ReadString(section, key);
    const long long number = std::strtoll(value.c_str(), nullptr, 10);
    if (number > INT_MAX)
        return INT_MAX;
    if (number < INT_MIN)
        return INT_MIN;
    return int(number);
}

int ReadInt(const std::string &key)
{
    return ReadInt(kBaseSection, key);
}

std::string ReadPassword(const std::string &key)
{
    return ReadSecret(kPasswordsSection, key);
}

std::string ReadSecret(const std::string &section, const std::string &key)
{
    return StoredSecrets::Resolve(ReadString(section, key));
}

int ReadSectionKeys(const std::string &section, std::vector<std::string> &keys)
{
    keys = Profile::SectionKeys(ConfigFilePath(), section, kReadLimit);
    return int(keys.size());
}

bool WriteString(const std::string &section, const std::string &key, const std::optional<std::string> &value)
{
    if (!Profile::IsStorableSection(section) || !Profile::IsStorableKey(key))
        return false; // the caller's mistake, not the file's
    return NoteConfigWrite(Profile::SetString(ConfigFilePath(), section, key, value));
}

bool WriteBool(const std::string &section, const std::string &key, bool flag)
{
    return WriteString(section, key, std::string(flag ? "True" : "False"));
}

bool WriteInt(const std::string &section, const std::string &key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

std::string RecordField(const std::string &value, int n, char separator)
{
    const size_t start = FieldStart(value, n, separator);
    if (start == std::string::npos)
        return {};
    const size_t end = value.find(separator, start);
    return value.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string RecordRest(const std::string &value, int n, char separator)
{
    const size_t start = FieldStart(value, n, separator);
    return start == std::string::npos ? std::string() : value.substr(start);
}

uint32_t ParseColour(const std::string &text)
{
    if (text.size() != 6)
        return 0;
    return ParseHexPair(text.substr(0, 2)) << 16 | ParseHexPair(text.substr(2, 2)) << 8
        | ParseHexPair(text.substr(4, 2));
}

std::string FormatColour(uint32_t colour)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text(6, '0');
    for (int i = 5; i >= 0; --i, colour >>= 4)
        text[size_t(i)] = digits[colour & 0xF];
    return text;
}

uint32_t ReadColour(const std::string &section, const std::string &key, uint32_t fallback)
{
    const std::string value = ReadString(section, key);
    return value.empty() ? fallback : ParseColour(value);
}

bool WriteColour(const std::string &section, const std::string &key, uint32_t colour)
{
    return WriteString(section, key, FormatColour(colour));
}

namespace {

// The keys of "Base" behind the fields of the settings record, for the
// loaders and SaveSettings alike.
const char *const kNickKey = "Nick";
const char *const kZoomedKey = "Zoomed";
const char *const kDonatingKey = "Donating";
const char *const kLoggingKey = "Logging";
const char *const kDesktopNotificationsKey = "Desktop Notifications";
const char *const kLogFolderKey = "Log Folder";
const char *const kLogLinesKey = "Log Lines";

struct ColourKey
{
    const char *key;
    uint32_t AppSettings::*member;
};
const ColourKey kColourKeys[] = {
    {"Color Info", &AppSettings::m_colorInfo},   {"Color Text", &AppSettings::m_colorText},
    {"Color High", &AppSettings::m_colorHigh},   {"Color Error", &AppSettings::m_colorError},
    {"Color Time", &AppSettings::m_colorTime},   {"MyText", &AppSettings::m_colorMyText},
    {"HiText", &AppSettings::m_colorHiText},     {"ABText", &AppSettings::m_colorABText},
    {"Color List", &AppSettings::m_colorList},
};

struct FlagKey
{
    const char *key;
    bool AppSettings::*member;
};
// The switches of the settings sheet.
const FlagKey kFlagKeys[] = {
    {"Show Ping", &AppSettings::m_showPing},
    {"Open Query Window", &AppSettings::m_openQueryWindow},
    {"InVisible", &AppSettings::m_invisible},
    {"Update Nick", &AppSettings::m_updateNick},
    {"Query Dialog", &AppSettings::m_queryDialog},
    {"DCC Dialog", &AppSettings::m_dccDialog},
    {"Enable Tray", &AppSettings::m_enableTray},
    {"Beep On Message", &AppSettings::m_beepOnMessage},
    {"Show Baloon", &AppSettings::m_showBalloon},
    {"Auto Change Nick", &AppSettings::m_autoChangeNick},
    {"HiLighting", &AppSettings::m_highlighting},
    {"Notice Msgs To Wnd", &AppSettings::m_noticesToWindow},
    {"Ident Server", &AppSettings::m_identServer},
    {"Hide Minimized", &AppSettings::m_hideMinimized},
};

struct TextKey
{
    const char *key;
    std::string AppSettings::*member;
};
const TextKey kTextKeys[] = {
    {"Msgs Quit", &AppSettings::m_quitMessage},   {"Msgs Part", &AppSettings::m_partMessage},
    {"Msgs Join", &AppSettings::m_joinMessage},   {kNickKey, &AppSettings::m_nick},
    {"User E-Mail", &AppSettings::m_email},       {"User Full Name", &AppSettings::m_fullName},
    {"HiLight Words", &AppSettings::m_highlightWords},
};

std::string UserTextKey(size_t index)
{
    return "Msgs User" + std::to_string(index + 1);
}

// A switch that is on until the file says otherwise.
bool ReadBoolOnByDefault(const char *key)
{
    bool set = false;
    return ReadBool(kBaseSection, key, &set) || !set;
}

int ReadBalloonSound()
{
    const int sound = ReadInt("Beep Baloon");
    switch (sound) {
    case 16: // hand
    case 32: // question
    case 48: // exclamation
    case 64: // asterisk
        return sound;
    default:
        return 0;
    }
}

} // namespace

void LoadAppearance(AppSettings &settings)
{
    const AppSettings defaults;
    for (const ColourKey &colour : kColourKeys)
        settings.*colour.member = ReadColour(kBaseSection, colour.key, defaults.*colour.member);
    settings.m_fontName = ReadString("Font");
    if (settings.m_fontName.empty())
        settings.m_fontName = defaults.m_fontName;
    settings.m_fontSize = ReadInt("Font Size");
    if (settings.m_fontSize < 1)
        settings.m_fontSize = defaults.m_fontSize;
    settings.m_colorNick = defaults.m_colorNick;
}

void LoadBehaviour(AppSettings &settings, const std::function<void(bool)> &switchIdentServer)
{
    for (const FlagKey &flag : kFlagKeys)
        settings.*flag.member = ReadBool(flag.key);
    for (const TextKey &text : kTextKeys)
        settings.*text.member = ReadString(text.key);
    for (size_t i = 0; i < settings.m_userTexts.size(); ++i)
        settings.m_userTexts[i] = ReadString(UserTextKey(i));
    settings.m_maxTextSize = std::max(ReadInt("Max Text Size"), 1000000);
    settings.m_balloonSound = ReadBalloonSound();
    settings.m_donating = ReadBool(kDonatingKey);
    settings.m_zoomed = ReadBool(kZoomedKey);
    settings.m_logging = ReadBoolOnByDefault(kLoggingKey);
    settings.m_desktopNotifications = ReadBoolOnByDefault(kDesktopNotificationsKey);
    settings.m_logFolder = ReadString(kLogFolderKey);
    const std::string replayLines = ReadString(kLogLinesKey);
    settings.m_logReplayLines = replayLines.empty() ? 100 : std::clamp(std::atoi(replayLines.c_str()), 0, 10000);
    if (switchIdentServer)
        switchIdentServer(settings.m_identServer);
}

void AddIdentityChanges(ConfigChanges &changes, const AppSettings &settings)
{
    changes.Set(kBaseSection, kNickKey, settings.m_nick);
    changes.Set(kBaseSection, "User Full Name", settings.m_fullName);
}

bool SaveNick(const std::string &nick)
{
    return WriteString(kBaseSection, kNickKey, nick);
}

bool SaveZoomed(bool zoomed)
{
    return WriteBool(kBaseSection, kZoomedKey, zoomed);
}

bool SaveDonating(bool donating)
{
    return WriteBool(kBaseSection, kDonatingKey, donating);
}

bool SaveSettings(const AppSettings &settings)
{
    ConfigChanges changes;
    for (const ColourKey &colour : kColourKeys)
        changes.Set(kBaseSection, colour.key, FormatColour(settings.*colour.member));
    changes.Set(kBaseSection, "Font", settings.m_fontName);
    changes.SetInt(kBaseSection, "Font Size", settings.m_fontSize);
    for (const FlagKey &flag : kFlagKeys)
        changes.SetBool(kBaseSection, flag.key, settings.*flag.member);
    for (const TextKey &text : kTextKeys)
        changes.Set(kBaseSection, text.key, settings.*text.member);
    for (size_t i = 0; i < settings.m_userTexts.size(); ++i)
        changes.Set(kBaseSection, UserTextKey(i), settings.m_userTexts[i]);
    changes.SetInt(kBaseSection, "Beep Baloon", settings.m_balloonSound);
    changes.SetBool(kBaseSection, kLoggingKey, settings.m_logging);
    changes.SetBool(kBaseSection, kDesktopNotificationsKey, settings.m_desktopNotifications);
    changes.Set(kBaseSection, kLogFolderKey, settings.m_logFolder);
    changes.SetInt(kBaseSection, kLogLinesKey, settings.m_logReplayLines);
    return changes.Write();
}
