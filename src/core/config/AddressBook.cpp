#include "config/AddressBook.h"

#include "config/Config.h"
#include "config/ConfigChanges.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"

#include <cstdlib>

namespace {

constexpr char kFieldSeparator = '\t';
// Line breaks and the separator cannot be inside a field.
const std::string kNotInFields = std::string("\r\n\0", 3) + kFieldSeparator;

bool HasAny(const std::string &text, const std::string &characters)
{
    return text.find_first_of(characters) != std::string::npos;
}

Contact ContactOf(const std::string &nick, const std::string &record)
{
    Contact contact;
    contact.nick = nick;
    contact.notify = std::atoi(RecordField(record, 1, kFieldSeparator).c_str());
    contact.address = RecordField(record, 2, kFieldSeparator);
    contact.description = RecordField(record, 3, kFieldSeparator);
    return contact;
}

} // namespace

std::vector<Contact> AddressBook::Contacts()
{
    std::vector<std::string> nicks;
    ReadSectionKeys(kSection, nicks);
    std::vector<Contact> contacts;
    contacts.reserve(nicks.size());
    for (const std::string &nick : nicks)
        contacts.push_back(ContactOf(nick, ReadString(kSection, nick)));
    return contacts;
}

Contact AddressBook::Find(const std::string &nick)
{
    const std::string key = FoldCase(nick);
    const std::string record = key.empty() ? std::string() : ReadString(kSection, key);
    return record.empty() ? Contact() : ContactOf(key, record);
}

bool AddressBook::Contains(const std::string &nick)
{
    return !Find(nick).nick.empty();
}

Refusal AddressBook::CheckNick(const std::string &nick)
{
    if (nick.empty() || HasAny(nick, kNotInFields + " ="))
        return Str::ContactNickBad;
    return std::nullopt;
}

Refusal AddressBook::CheckField(const std::string &text)
{
    if (text.empty() || HasAny(text, kNotInFields))
        return Str::ContactFieldBad;
    return std::nullopt;
}

bool AddressBook::CanStore(const Contact &contact)
{
    return contact.notify >= 0 && contact.notify < kNotifyModes && !CheckNick(contact.nick)
        && !CheckField(contact.address) && !CheckField(contact.description);
}

bool AddressBook::Write(const Contact &contact, const std::string &oldNick)
{
    if (!CanStore(contact))
        return false;
    const std::string key = FoldCase(contact.nick);
    const std::string oldKey = FoldCase(oldNick);
    ConfigChanges changes;
    if (!oldKey.empty() && oldKey != key)
        changes.Delete(kSection, oldKey);
    changes.Set(kSection, key,
                StrPrintf("%d\t%s\t%s\t", contact.notify, contact.address.c_str(), contact.description.c_str()));
    return changes.Write();
}

bool AddressBook::Add(const Contact &contact)
{
    return !Contains(contact.nick) && Write(contact);
}

bool AddressBook::Remove(const std::string &nick)
{
    ConfigChanges changes;
    changes.Delete(kSection, FoldCase(nick));
    return changes.Write();
}

StrText AddressBook::NotifyText(int notify)
{
    static const StrText kTexts[kNotifyModes] = {Str::NotifyNever, Str::NotifyQuiet, Str::NotifyLoud,
                                                 Str::NotifyPrivateQuiet, Str::NotifyPrivateLoud};
    return notify >= 0 && notify < kNotifyModes ? kTexts[notify] : Str::NotifyNever;
}
