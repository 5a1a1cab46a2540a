#include "input/SpellChecker.h"

#include "config/UserDictionary.h"

SpellChecker::SpellChecker(QObject *parent) : QObject(parent) {}

SpellChecker *SpellChecker::Shared()
{
    static SpellChecker *shared = new SpellChecker;
    return shared;
}

void SpellChecker::Configure(bool enabled, const std::string &language, const std::string &folder)
{
    m_enabled = enabled;
    // Loading a dictionary takes a moment (sk_SK is 4 MB): only when it changes.
    if (enabled && (language != m_dictionary.Name() || folder != m_folder || !m_dictionary.IsLoaded())) {
        m_folder = folder;
        if (m_dictionary.Load(language, folder)) {
            for (const QString &word : UserDictionary::Words())
                m_dictionary.AddWord(word);
        }
    }
    emit changed();
}

bool SpellChecker::IsMisspelt(const QString &word) const
{
    return IsActive() && !m_dictionary.IsCorrect(word);
}

QStringList SpellChecker::Suggestions(const QString &word) const
{
    return IsActive() ? m_dictionary.Suggestions(word, kMaxSuggestions) : QStringList();
}

bool SpellChecker::AddToDictionary(const QString &word)
{
    const bool stored = UserDictionary::Add(word);
    m_dictionary.AddWord(word.trimmed());
    emit changed();
    return stored;
}
