#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct AppSettings;
class ConfigChanges;

// Access to brimo.conf, the program's one INI file. Every read goes to the
// file (through Profile's cache, which notices any change of the file), every
// write reaches the file at once. All text is UTF-8. Any operation that takes
// no section uses "Base".

inline constexpr const char *kBaseSection = "Base";
inline constexpr const char *kPasswordsSection = "Passwords";
// The password of a server entry's SASL account, by the entry's name.
inline constexpr const char *kSaslPasswordsSection = "SASL Passwords";

// A single value is cut to this many characters minus one; the key=value lines
// of a section are read up to this many characters together.
inline constexpr int kReadLimit = 10000;

// Folder of the running executable, without a trailing separator.
std::string ExeDirectory();

// Folder of the program's own files (help pages, smileys, the default
// script), without a trailing separator: the executable's folder when they
// are beside it (a build folder, a program unpacked in one folder), else
// share/brimo of the prefix it is installed in.
std::string ResourceDirectory();

// Full path of brimo.conf. It lives in the first of: the folder given to
// SetConfigDirectory, the folder in the environment variable BRIMO_CONFIG_DIR,
// the executable's folder when the program runs from its own folder (its
// resources beside it) and that folder is writable, the per-user
// configuration folder of the application (an installed program).
std::string ConfigFilePath();

// The folder of the conversation logs when the settings name none: beside
// brimo.conf in "logs" when the program keeps its settings in a folder of
// its own (the executable's, BRIMO_CONFIG_DIR), else the per-user data
// folder's "brimo/logs" ($XDG_DATA_HOME, ~/.local/share).
std::string DefaultLogDirectory();
// The folder the settings name ("Log Folder"), else DefaultLogDirectory.
std::string LogDirectory(const AppSettings &settings);

// Creates an empty brimo.conf, readable by its owner only, when there is
// none yet (the first start). False when it cannot be created.
bool CreateConfigFile();

// Whether brimo.conf can be read: a missing file can (it is empty).
bool IsConfigReadable();

// Where the program tells the user about a settings file it cannot read or
// write; the application implements it and shows the text. The core has
// none until one is set.
class ConfigReporter
{
public:
    virtual ~ConfigReporter() = default;
    virtual void ReportConfigProblem(const std::string &text) = 0;
};
void SetConfigReporter(ConfigReporter *reporter);

// Tells the reporter when brimo.conf exists but cannot be read (no
// permission, too large, not a file). Said once: the later writes that fail
// for the same reason are not reported again.
void ReportUnreadableConfig();

// Passes the result of a write through; a failed one is told to the
// reporter unless a ConfigFailureToldByCaller lives. Told once: after the
// first report (or the one of ReportUnreadableConfig) the reporter hears no
// more until another reporter or configuration folder is set.
bool NoteConfigWrite(bool written);

// While one lives, a failed write is reported by its caller (a dialog that
// says which write failed), not by the reporter.
class ConfigFailureToldByCaller
{
public:
    ConfigFailureToldByCaller();
    ~ConfigFailureToldByCaller();
    ConfigFailureToldByCaller(const ConfigFailureToldByCaller &) = delete;
    ConfigFailureToldByCaller &operator=(const ConfigFailureToldByCaller &) = delete;
};

// Points the configuration at another folder (tests, demos); an empty path
// returns to the normal rules above.
void SetConfigDirectory(const std::string &path);

// The value, cut to kReadLimit - 1 characters; empty when missing.
std::string ReadString(const std::string &section, const std::string &key);
std::string ReadString(const std::string &key);

// True for "TRUE" or "1" in any case. nonEmpty, when given, tells whether the
// value was present and not empty.
bool ReadBool(const std::string &section, const std::string &key, bool *nonEmpty = nullptr);
bool ReadBool(const std::string &key);

// Decimal value of the leading digits; 0 when missing or not numeric.
int ReadInt(const std::string &section, const std::string &key);
int ReadInt(const std::string &key);

// The password of a key of section "Passwords" (ReadSecret).
std::string ReadPassword(const std::string &key);
// A value of a section of secrets: the password the file holds, or the one
// in the secret store the file refers to (StoredSecrets); empty while that
// one is not known.
std::string ReadSecret(const std::string &section, const std::string &key);

// Clears keys, then appends the key of every key=value line of the section in
// file order (a repeated key only once). Returns the number of keys.
int ReadSectionKeys(const std::string &section, std::vector<std::string> &keys);

// Writes the value; with no value the key is deleted. Creates the file (owner
// only) on the first write and replaces it atomically. A line break in the
// value becomes a blank. Returns false, leaving the file as it was, when the
// section or key cannot be stored in an INI line (empty, or holding "=", "]"
// in a section name, or a line break) or the file cannot be written.
bool WriteString(const std::string &section, const std::string &key,
                 const std::optional<std::string> &value = std::nullopt);
// Writes "True" or "False".
bool WriteBool(const std::string &section, const std::string &key, bool flag);
bool WriteInt(const std::string &section, const std::string &key, int value);

// Field n (from 1) of a record value: the text between the (n-1)-th and the
// n-th separator; empty when there is no such field.
std::string RecordField(const std::string &value, int n, char separator = ' ');
// Fields n to the end, separators included.
std::string RecordRest(const std::string &value, int n, char separator = ' ');

// Six hexadecimal digits RRGGBB to 0xRRGGBB; any other length is black.
uint32_t ParseColour(const std::string &text);
// 0xRRGGBB to six upper-case hexadecimal digits.
std::string FormatColour(uint32_t colour);
// The colour of a key, or fallback when the key is missing or empty.
uint32_t ReadColour(const std::string &section, const std::string &key, uint32_t fallback);
bool WriteColour(const std::string &section, const std::string &key, uint32_t colour);

// Fill the settings record from "Base": colours and font, then everything
// else. switchIdentServer, when given, is called with the "Ident Server" flag
// so the owner of the ident listener can open or close it.
void LoadAppearance(AppSettings &settings);
void LoadBehaviour(AppSettings &settings, const std::function<void(bool)> &switchIdentServer = {});
// Writes what the settings sheet edits (every field above but "Max Text
// Size", "Donating" and "Zoomed") to "Base" as one replacement of the file;
// false, with the file as it was, when it cannot be written.
bool SaveSettings(const AppSettings &settings);
// The user's nick and full name, for a batch of changes (the welcome).
void AddIdentityChanges(ConfigChanges &changes, const AppSettings &settings);
// The values of the record the program changes as it runs: the nick the
// server gave (where "Update Nick" asks for it), whether conversation
// windows are maximised, the donation switch.
bool SaveNick(const std::string &nick);
bool SaveZoomed(bool zoomed);
bool SaveDonating(bool donating);
