#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class Hunspell;

// One Hunspell dictionary ("sk_SK": sk_SK.aff and sk_SK.dic in a folder):
// whether a word is spelt right, what it may have been meant as, and words
// added for the life of the object. Words are QString; the dictionary's own
// encoding is dealt with here.
class SpellDictionary
{
public:
    // Where the system's dictionaries are installed.
    static constexpr const char *kSystemFolder = "/usr/share/hunspell";

    SpellDictionary();
    ~SpellDictionary();
    SpellDictionary(const SpellDictionary &) = delete;
    SpellDictionary &operator=(const SpellDictionary &) = delete;

    // The names of the dictionaries in folder (an .aff with its .dic), sorted.
    static std::vector<std::string> Installed(const std::string &folder = kSystemFolder);

    // Loads the dictionary name from folder in place of the one loaded;
    // false, with none loaded, when its files are missing.
    bool Load(const std::string &name, const std::string &folder = kSystemFolder);
    bool IsLoaded() const { return m_hunspell != nullptr; }
    const std::string &Name() const { return m_name; }

    // Without a dictionary every word is right.
    bool IsCorrect(const QString &word) const;
    // At most max suggestions, the likeliest first.
    QStringList Suggestions(const QString &word, int max) const;
    // The word counts as right from now on.
    void AddWord(const QString &word);

private:
    std::string Encode(const QString &word) const;
    QString Decode(const std::string &word) const;

    std::unique_ptr<Hunspell> m_hunspell;
    std::string m_name;
    bool m_utf8 = true;
};
