// The spell checker the input lines share.
#pragma once

#include "platform/SpellDictionary.h"

#include <QObject>
#include <QStringList>

#include <string>

// Whether a word of the input line is misspelt and what it may have been
// meant as: the chosen Hunspell dictionary with the user's own words
// (UserDictionary). Off, or without a dictionary, no word is misspelt. The
// program's input lines share one (Shared()), configured from the settings;
// each input line repaints when it changes.
class SpellChecker : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxSuggestions = 7;

    explicit SpellChecker(QObject *parent = nullptr);
    static SpellChecker *Shared();

    // Turns checking on with the dictionary language (its name, "sk_SK") from
    // folder, or off; a language that is not installed checks nothing.
    void Configure(bool enabled, const std::string &language,
                   const std::string &folder = SpellDictionary::kSystemFolder);
    bool IsActive() const { return m_enabled && m_dictionary.IsLoaded(); }
    std::string Language() const { return m_dictionary.Name(); }

    bool IsMisspelt(const QString &word) const;
    QStringList Suggestions(const QString &word) const;
    // Adds the word to the user's dictionary file and to the one in use.
    bool AddToDictionary(const QString &word);

signals:
    // The language, the switch or the user's words changed.
    void changed();

private:
    SpellDictionary m_dictionary;
    bool m_enabled = false;
    std::string m_folder;
};
