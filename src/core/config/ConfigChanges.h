#pragma once

#include "platform/Profile.h"

#include <optional>
#include <string>
#include <vector>

// Changes of brimo.conf collected and written together as one replacement of
// the file: after Write the file holds all of them or, when the write fails,
// none. The owners of the sections (FavouriteServers, FavouriteChannels,
// AddressBook, AppSettings) save through this, so a save that touches many
// keys (a server renamed with its channels) is never left half done.
class ConfigChanges
{
public:
    void Set(const std::string &section, const std::string &key, const std::string &value);
    void SetBool(const std::string &section, const std::string &key, bool flag);
    void SetInt(const std::string &section, const std::string &key, int value);
    void Delete(const std::string &section, const std::string &key);

    // Applies the changes in the order they were made. false, with the file
    // as it was, when a section or key cannot be stored or the file cannot be
    // read or written (a failure also goes to the ConfigReporter, unless a
    // ConfigFailureToldByCaller lives).
    bool Write() const;

    bool IsEmpty() const { return m_changes.empty(); }

private:
    std::vector<Profile::Change> m_changes;
};
