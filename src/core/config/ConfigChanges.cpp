#include "config/ConfigChanges.h"

#include "config/Config.h"

void ConfigChanges::Set(const std::string &section, const std::string &key, const std::string &value)
{
    m_changes.push_back({section, key, value});
}

void ConfigChanges::SetBool(const std::string &section, const std::string &key, bool flag)
{
    Set(section, key, flag ? "True" : "False");
}

void ConfigChanges::SetInt(const std::string &section, const std::string &key, int value)
{
    Set(section, key, std::to_string(value));
}

void ConfigChanges::Delete(const std::string &section, const std::string &key)
{
    m_changes.push_back({section, key, std::nullopt});
}

bool ConfigChanges::Write() const
{
    for (const Profile::Change &change : m_changes)
        if (!Profile::IsStorableSection(change.section) || !Profile::IsStorableKey(change.key))
            return false; // the caller's mistake, not the file's
    return NoteConfigWrite(Profile::Apply(ConfigFilePath(), m_changes));
}
