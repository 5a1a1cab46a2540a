#pragma once

#include <optional>
#include <string>
#include <vector>

// Our INI reader and writer, with the semantics of the private-profile
// functions: sections and keys are compared without regard to case, the first
// of repeated keys counts, values are read trimmed, lines without "=" are not
// keys. A file that is not UTF-8 is read as windows-1250. Writes go through a
// temporary file and a rename, so the file is either the old or the new one;
// a new file is readable by its owner only. A file that exists but cannot be
// read is never replaced. The parsed file is cached by path, size and
// modification time, so every change of the file is seen by the next read.
class Profile
{
public:
    // One change of a key: a value to set, or none to delete the key.
    struct Change
    {
        std::string section;
        std::string key;
        std::optional<std::string> value;
    };

    // Whether the file can be read, and if not, why.
    enum class FileState { Missing, Readable, NotReadable, TooLarge, NotAFile };

    // The value of key in section, cut to maxChars characters; nullopt when
    // the key is missing or the file cannot be read.
    static std::optional<std::string> GetString(const std::string &path, const std::string &section,
                                                const std::string &key, int maxChars);

    // Keys of the section's key=value lines in file order, each once. Only the
    // lines that fit, as "key=value" and a terminator each, into budgetChars
    // characters are read; a line cut by the budget still counts when its
    // "=" is inside the budget.
    static std::vector<std::string> SectionKeys(const std::string &path, const std::string &section, int budgetChars);

    // Sets key to value (replacing the first line of the key, dropping later
    // repeats) or, with no value, deletes every line of the key. Creates the
    // file and its folder when missing.
    static bool SetString(const std::string &path, const std::string &section, const std::string &key,
                          const std::optional<std::string> &value);

    // Applies the changes in order, each as SetString would, and replaces
    // the file once: either every change reaches the file or none does.
    // false, with the file as it was, when a section or key cannot be stored
    // or the file cannot be read or written.
    static bool Apply(const std::string &path, const std::vector<Change> &changes);

    static FileState State(const std::string &path);

    // Creates an empty file (and its folder), owner-only, unless one exists.
    static bool CreateIfMissing(const std::string &path);

    // Whether a section or key name can be stored as it is.
    static bool IsStorableSection(const std::string &section);
    static bool IsStorableKey(const std::string &key);

    // Forgets cached files (tests that change a file behind our back within
    // one clock tick).
    static void ClearCache();
};
