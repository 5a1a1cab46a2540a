#pragma once

#include "config/ValueChecks.h"

#include <string>
#include <vector>

// One contact of the address book: a line of section "Address Book" whose
// key is the nick in lower case and whose value is the notify mode, the
// address and the description, each followed by a tab. AddressBook is the
// only reader and writer of that section.
struct Contact
{
    // Notify modes: when a message of the contact sounds a beep.
    enum Notify { Never = 0, Quiet = 1, Loud = 2, PrivateQuiet = 3, PrivateLoud = 4 };

    std::string nick;
    int notify = Never;
    std::string address;
    std::string description;
};

class AddressBook
{
public:
    static constexpr const char *kSection = "Address Book";
    static constexpr int kNotifyModes = 5;

    // Every contact in file order.
    static std::vector<Contact> Contacts();
    // The contact of nick (any case); an empty nick when there is none.
    static Contact Find(const std::string &nick);
    static bool Contains(const std::string &nick);

    // Whether the contact fits its line: nick, address and description not
    // empty; no tab or line break in any of them (the fields are
    // tab-separated); no blank or "=" in the nick; a known notify mode.
    static bool CanStore(const Contact &contact);
    // Why a nick, or an address or description, cannot be stored.
    static Refusal CheckNick(const std::string &nick);
    static Refusal CheckField(const std::string &text);
    // Writes the contact under its lower-cased nick, as one replacement of
    // the file. oldNick: the contact being edited (empty for a new one); a
    // renamed contact's old line goes. A contact of the new nick already
    // there is replaced (the caller asks first). false, with nothing
    // written, when the contact cannot be stored or the file cannot be
    // written.
    static bool Write(const Contact &contact, const std::string &oldNick = {});
    // Writes a new contact; a contact of that nick already there is left as
    // it is (false then, as when it cannot be written).
    static bool Add(const Contact &contact);
    static bool Remove(const std::string &nick);

    // The text of a notify mode (Str::NotifyNever ...); Never for unknown modes.
    static StrText NotifyText(int notify);
};
