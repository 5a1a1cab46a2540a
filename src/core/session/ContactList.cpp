#include "session/ContactList.h"

#include "config/AddressBook.h"
#include "text/CaseFold.h"

void ContactList::Reload()
{
    std::vector<std::string> nicks;
    for (const Contact &contact : AddressBook::Contacts())
        nicks.push_back(contact.nick);
    Set(nicks);
}

void ContactList::Set(const std::vector<std::string> &nicks)
{
    m_nicks.emplace();
    for (const std::string &nick : nicks)
        m_nicks->insert(FoldCase(nick));
}

void ContactList::Forget()
{
    m_nicks.reset();
}

bool ContactList::IsContact(const std::string &nick) const
{
    if (nick.empty())
        return false;
    if (m_nicks)
        return m_nicks->count(FoldCase(nick)) > 0;
    return IsInAddressBook(nick);
}

bool ContactList::IsInAddressBook(const std::string &nick)
{
    return AddressBook::Contains(nick);
}
