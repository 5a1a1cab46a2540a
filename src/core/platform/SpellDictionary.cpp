#include "platform/SpellDictionary.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <hunspell/hunspell.hxx>

SpellDictionary::SpellDictionary() = default;
SpellDictionary::~SpellDictionary() = default;

std::vector<std::string> SpellDictionary::Installed(const std::string &folder)
{
    std::vector<std::string> names;
    const QDir dir(QString::fromStdString(folder));
    for (const QFileInfo &aff : dir.entryInfoList({QStringLiteral("*.aff")}, QDir::Files | QDir::Readable)) {
        if (dir.exists(aff.completeBaseName() + QStringLiteral(".dic")))
            names.push_back(aff.completeBaseName().toStdString());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool SpellDictionary::Load(const std::string &name, const std::string &folder)
{
    m_hunspell.reset();
    m_name.clear();
    const std::string base = folder + "/" + name;
    if (name.empty() || name.find('/') != std::string::npos || !QFileInfo::exists(QString::fromStdString(base + ".aff"))
        || !QFileInfo::exists(QString::fromStdString(base + ".dic")))
        return false;
    m_hunspell = std::make_unique<Hunspell>((base + ".aff").c_str(), (base + ".dic").c_str());
    // Dictionaries are UTF-8 nowadays; an older one is in a single-byte
    // code page, of which Latin-1 is the one Qt converts without ICU.
    const std::string encoding = m_hunspell->get_dict_encoding();
    m_utf8 =
        encoding.empty() || QString::fromStdString(encoding).compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0;
    m_name = name;
    return true;
}

bool SpellDictionary::IsCorrect(const QString &word) const
{
    return !m_hunspell || m_hunspell->spell(Encode(word));
}

QStringList SpellDictionary::Suggestions(const QString &word, int max) const
{
    QStringList suggestions;
    if (!m_hunspell)
        return suggestions;
    for (const std::string &suggestion : m_hunspell->suggest(Encode(word))) {
        if (suggestions.size() >= max)
            break;
        suggestions << Decode(suggestion);
    }
    return suggestions;
}

void SpellDictionary::AddWord(const QString &word)
{
    if (m_hunspell && !word.isEmpty())
        m_hunspell->add(Encode(word));
}

std::string SpellDictionary::Encode(const QString &word) const
{
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

QString SpellDictionary::Decode(const std::string &word) const
{
    return m_utf8 ? QString::fromStdString(word)
                  : QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}
