#include "config/AddressBook.h"

#include "config/Config.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"

#include <cstdlib>

namespace {

constexpr char kFieldSeparator = '\t';

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

bool AddressBook::CanStore(const Contact &contact)
{
    static const std::string kLineBreaks("\r\n\0", 3);
    if (contact.nick.empty() || contact.address.empty() || contact.description.empty())
        return false;
    if (contact.notify < 0 || contact.notify >= kNotifyModes)
        return false;
    const std::string notInFields = kLineBreaks + kFieldSeparator;
    if (HasAny(contact.address, notInFields) || HasAny(contact.description, notInFields))
        return false;
    return !HasAny(contact.nick, notInFields + " =");
}

bool AddressBook::Write(const Contact &contact, const std::string &oldNick)
{
    if (!CanStore(contact))
        return false;
    const std::string key = FoldCase(contact.nick);
    const std::string record =
        StrPrintf("%d\t%s\t%s\t", contact.notify, contact.address.c_str(), contact.description.c_str());
    if (!WriteString(kSection, key, record))
        return false;
    const std::string oldKey = FoldCase(oldNick);
    if (!oldKey.empty() && oldKey != key)
        WriteString(kSection, oldKey);
    return true;
}

bool AddressBook::Remove(const std::string &nick)
{
    return WriteString(kSection, FoldCase(nick));
}

StrText AddressBook::NotifyText(int notify)
{
    static const StrText kTexts[kNotifyModes] = {Str::NotifyNever, Str::NotifyQuiet, Str::NotifyLoud,
                                                 Str::NotifyPrivateQuiet, Str::NotifyPrivateLoud};
    return notify >= 0 && notify < kNotifyModes ? kTexts[notify] : Str::NotifyNever;
}
