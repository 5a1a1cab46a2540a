#include "config/Config.h"

#include "config/AppSettings.h"
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
    return ReadString(kPasswordsSection, key);
}

int ReadSectionKeys(const std::string &section, std::vector<std::string> &keys)
{
    keys = Profile::SectionKeys(ConfigFilePath(), section, kReadLimit);
    return int(keys.size());
}

bool WriteString(const std::string &section, const std::string &key, const std::optional<std::string> &value)
{
    return Profile::SetString(ConfigFilePath(), section, key, value);
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

void LoadAppearance(AppSettings &settings)
{
    const AppSettings defaults;
    settings.m_colorInfo = ReadColour(kBaseSection, "Color Info", defaults.m_colorInfo);
    settings.m_colorText = ReadColour(kBaseSection, "Color Text", defaults.m_colorText);
    settings.m_colorHigh = ReadColour(kBaseSection, "Color High", defaults.m_colorHigh);
    settings.m_colorError = ReadColour(kBaseSection, "Color Error", defaults.m_colorError);
    settings.m_colorTime = ReadColour(kBaseSection, "Color Time", defaults.m_colorTime);
    settings.m_colorMyText = ReadColour(kBaseSection, "MyText", defaults.m_colorMyText);
    settings.m_colorHiText = ReadColour(kBaseSection, "HiText", defaults.m_colorHiText);
    settings.m_colorABText = ReadColour(kBaseSection, "ABText", defaults.m_colorABText);
    settings.m_fontName = ReadString("Font");
    if (settings.m_fontName.empty())
        settings.m_fontName = defaults.m_fontName;
    settings.m_fontSize = ReadInt("Font Size");
    if (settings.m_fontSize < 1)
        settings.m_fontSize = defaults.m_fontSize;
    settings.m_colorNick = defaults.m_colorNick;
    settings.m_colorList = ReadColour(kBaseSection, "Color List", defaults.m_colorList);
}

namespace {

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

void LoadBehaviour(AppSettings &settings, const std::function<void(bool)> &switchIdentServer)
{
    settings.m_showPing = ReadBool("Show Ping");
    settings.m_openQueryWindow = ReadBool("Open Query Window");
    settings.m_maxTextSize = std::max(ReadInt("Max Text Size"), 1000000);
    settings.m_invisible = ReadBool("InVisible");
    settings.m_updateNick = ReadBool("Update Nick");
    settings.m_queryDialog = ReadBool("Query Dialog");
    settings.m_dccDialog = ReadBool("DCC Dialog");
    settings.m_enableTray = ReadBool("Enable Tray");
    settings.m_beepOnMessage = ReadBool("Beep On Message");
    settings.m_showBalloon = ReadBool("Show Baloon");
    settings.m_balloonSound = ReadBalloonSound();
    settings.m_quitMessage = ReadString("Msgs Quit");
    settings.m_partMessage = ReadString("Msgs Part");
    settings.m_joinMessage = ReadString("Msgs Join");
    for (size_t i = 0; i < settings.m_userTexts.size(); ++i)
        settings.m_userTexts[i] = ReadString("Msgs User" + std::to_string(i + 1));
    settings.m_donating = ReadBool("Donating");
    settings.m_autoChangeNick = ReadBool("Auto Change Nick");
    settings.m_highlighting = ReadBool("HiLighting");
    settings.m_noticesToWindow = ReadBool("Notice Msgs To Wnd");
    bool loggingSet = false;
    settings.m_logging = ReadBool(kBaseSection, "Logging", &loggingSet) || !loggingSet;
    settings.m_logFolder = ReadString("Log Folder");
    const std::string replayLines = ReadString("Log Lines");
    settings.m_logReplayLines = replayLines.empty() ? 100 : std::clamp(std::atoi(replayLines.c_str()), 0, 10000);
    settings.m_identServer = ReadBool("Ident Server");
    settings.m_hideMinimized = ReadBool("Hide Minimized");
    settings.m_zoomed = ReadBool("Zoomed");
    if (switchIdentServer)
        switchIdentServer(settings.m_identServer);
}
