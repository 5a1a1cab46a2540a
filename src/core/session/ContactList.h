#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

// Who is a contact: the nicks of the application's address book (the keys
// of "Address Book", any letter case). One list serves every question about
// contacts: the alert mode of a received message, the decoration of nicks
// in text and the nick list. The session table holds the application's list.
//
// Until Reload or Set fills it, every look-up reads the configuration file
// (right, but slow under a flood); filled, only contacts cost a read.
class ContactList
{
public:
    // Reads the keys of "Address Book" again (at start and whenever the
    // address book changes).
    void Reload();
    // Makes these nicks the list.
    void Set(const std::vector<std::string> &nicks);
    // Back to reading the configuration file for every look-up.
    void Forget();
    bool IsLoaded() const { return m_nicks.has_value(); }

    // Whether nick (any letter case) is in the address book: by the list
    // when it is filled, otherwise by the configuration file.
    bool IsContact(const std::string &nick) const;
    // The configuration file's answer alone.
    static bool IsInAddressBook(const std::string &nick);

private:
    std::optional<std::unordered_set<std::string>> m_nicks; // lower-cased
};
