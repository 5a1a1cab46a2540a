#include "conversation/NickList.h"

#include <QCollator>
#include <QString>

#include <algorithm>

#include "text/CaseFold.h"

namespace {

QCollator &Collator()
{
    static QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

// Folded before collating: the collator of the C locale compares code points
// and would otherwise put every upper-case nick before the lower-case ones.
QString CollationText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded();
}

std::string_view WithoutLeading(std::string_view text, char c)
{
    if (!text.empty() && text.front() == c)
        text.remove_prefix(1);
    return text;
}

std::string_view WithoutOneStatus(std::string_view text)
{
    if (!text.empty() && (text.front() == '@' || text.front() == '+'))
        text.remove_prefix(1);
    return text;
}

int ModeOf(unsigned modes)
{
    if (modes & NickList::OperatorFlag)
        return NickList::Operator;
    if (modes & NickList::VoiceFlag)
        return NickList::Voice;
    return NickList::Regular;
}

unsigned ModesOfText(std::string_view text)
{
    if (text.empty())
        return 0;
    switch (text.front()) {
    case '@':
        return NickList::OperatorFlag;
    case '%':
        return NickList::HalfOperatorFlag;
    case '+':
        return NickList::VoiceFlag;
    default:
        return 0;
    }
}

// The entry text of a member: the character of its highest status, the nick.
std::string EntryText(unsigned modes, std::string_view nick)
{
    std::string text;
    if (const char status = NickList::StatusOfModes(modes))
        text += status;
    text += nick;
    return text;
}

} // namespace

char NickEntry::Status() const
{
    if (nick.empty())
        return 0;
    const char c = nick.front();
    return (c == '@' || c == '%' || c == '+' || c == '?') ? c : 0;
}

std::string_view NickEntry::Bare() const
{
    std::string_view text = nick;
    if (Status() != 0)
        text.remove_prefix(1);
    return text;
}

NickList::NickList() = default;
NickList::~NickList() = default;

std::string NickList::LookupKey(std::string_view nick)
{
    return FoldCase(WithoutLeading(WithoutLeading(nick, '@'), '+'));
}

std::string NickList::EntryKey(std::string_view text)
{
    return FoldCase(WithoutOneStatus(text));
}

std::string NickList::WithoutStatus(std::string_view text)
{
    return std::string(WithoutOneStatus(text));
}

int NickList::Group(std::string_view text)
{
    if (text.empty())
        return 3;
    switch (text.front()) {
    case '@':
        return 0;
    case '%':
        return 1;
    case '+':
        return 2;
    default:
        return 3;
    }
}

bool NickList::SortsBefore(std::string_view a, std::string_view b)
{
    const int groupA = Group(a);
    const int groupB = Group(b);
    if (groupA != groupB)
        return groupA < groupB;
    const int order = Collator().compare(CollationText(a), CollationText(b));
    if (order != 0)
        return order < 0;
    return a < b;
}

bool NickList::ApplyModeChange(std::string_view change, unsigned &modes)
{
    if (change.size() != 2 || (change[0] != '+' && change[0] != '-'))
        return false;
    unsigned flag = 0;
    if (change[1] == 'o')
        flag = OperatorFlag;
    else if (change[1] == 'v')
        flag = VoiceFlag;
    else
        return false;
    modes = change[0] == '+' ? modes | flag : modes & ~flag;
    return true;
}

char NickList::StatusOfModes(unsigned modes)
{
    if (modes & OperatorFlag)
        return '@';
    if (modes & HalfOperatorFlag)
        return '%';
    if (modes & VoiceFlag)
        return '+';
    return 0;
}

const NickList::Row *NickList::FindRow(std::string_view nick) const
{
    const auto found = m_byKey.find(std::string_view(LookupKey(nick)));
    return found == m_byKey.end() ? nullptr : *found;
}

bool NickList::FindNick(std::string_view nick, int *index, int *mode) const
{
    const Row *row = FindRow(nick);
    if (index)
        *index = row ? row->index : -1;
    if (mode)
        *mode = row ? ModeOf(row->entry.modes) : NotListed;
    return row != nullptr;
}

int NickList::AddNick(std::string_view text)
{
    if (FindNick(text))
        return -1;
    return InsertEntry(NickEntry{std::string(text), {}, ModesOfText(text)});
}

int NickList::InsertEntry(NickEntry entry)
{
    if (entry.Bare().empty())
        return -1; // a status character alone, or nothing: no member
    // An entry whose own key is taken (e.g. "@+bob" twice, which lookups of
    // "@+bob" never match) would otherwise be listed again on every add.
    if (m_byKey.count(std::string_view(EntryKey(entry.nick))))
        return -1;

    const int group = Group(entry.nick);
    const QString collated = CollationText(entry.nick);
    const std::string &text = entry.nick;
    // The first row that sorts after the new entry: the order of SortsBefore.
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), 0, [&](int, const std::unique_ptr<Row> &row) {
        const std::string &other = row->entry.nick;
        const int otherGroup = Group(other);
        if (group != otherGroup)
            return group < otherGroup;
        const int order = Collator().compare(collated, CollationText(other));
        return order != 0 ? order < 0 : text < other;
    });
    const int index = static_cast<int>(at - m_entries.begin());
    auto row = std::make_unique<Row>(Row{std::move(entry), index});

    if (m_listener)
        m_listener->NickAboutToBeInserted(index);
    m_byKey.insert(row.get());
    m_entries.insert(at, std::move(row));
    Renumber(index + 1);
    if (m_selected >= index)
        ++m_selected;
    if (m_listener)
        m_listener->NickInserted(index);
    return index;
}

void NickList::RemoveAt(int index)
{
    const bool wasSelected = index == m_selected;
    if (m_listener)
        m_listener->NickAboutToBeRemoved(index);
    const auto at = m_entries.begin() + index;
    m_byKey.erase(at->get());
    m_entries.erase(at);
    Renumber(index);
    if (wasSelected)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    if (m_listener) {
        m_listener->NickRemoved(index);
        if (wasSelected)
            m_listener->NickSelectionChanged(-1);
    }
}

void NickList::Renumber(int from)
{
    for (std::size_t i = static_cast<std::size_t>(from); i < m_entries.size(); ++i)
        m_entries[i]->index = static_cast<int>(i);
}

bool NickList::RemoveNick(std::string_view nick)
{
    int index = -1;
    if (!FindNick(nick, &index))
        return false;
    RemoveAt(index);
    return true;
}

bool NickList::RenameNick(std::string_view oldNick, std::string_view newNick)
{
    int index = -1;
    if (!FindNick(oldNick, &index))
        return false;
    const bool wasSelected = index == m_selected;
    const NickEntry &old = m_entries[static_cast<std::size_t>(index)]->entry;
    std::string away = old.away;
    const unsigned modes = old.modes & (OperatorFlag | VoiceFlag);
    RemoveAt(index);

    std::string text = EntryText(modes, newNick);
    // The new nick may already be listed (a stale entry): keep that one.
    int newIndex = -1;
    if (!FindNick(text, &newIndex))
        newIndex = InsertEntry(NickEntry{std::move(text), std::move(away), modes});
    if (wasSelected)
        SelectIndex(newIndex);
    return true;
}

int NickList::SetNickMode(std::string_view nick, std::string_view change)
{
    int index = -1;
    const bool listed = FindNick(nick, &index);
    const bool wasSelected = listed && index == m_selected;
    std::string away;
    unsigned modes = 0;
    if (listed) {
        const NickEntry &old = m_entries[static_cast<std::size_t>(index)]->entry;
        away = old.away;
        modes = old.modes;
        RemoveAt(index);
    }

    const bool known = ApplyModeChange(change, modes);
    std::string text = known ? EntryText(modes, nick) : "?" + std::string(nick);
    int newIndex = InsertEntry(NickEntry{std::move(text), std::move(away), modes});
    if (newIndex < 0)
        FindNick(nick, &newIndex);
    if (wasSelected)
        SelectIndex(newIndex);
    return newIndex;
}

bool NickList::SetNickAway(std::string_view nick, std::string_view text)
{
    int index = -1;
    if (!FindNick(nick, &index))
        return false;
    std::string &away = m_entries[static_cast<std::size_t>(index)]->entry.away;
    if (away == text)
        return true;
    away = std::string(text);
    if (m_listener)
        m_listener->NickChanged(index);
    return true;
}

std::string NickList::SelectedNick() const
{
    return NickAt(m_selected);
}

std::string NickList::NickAt(int index) const
{
    if (index < 0 || index >= NickCount())
        return {};
    return WithoutStatus(m_entries[static_cast<std::size_t>(index)]->entry.nick);
}

int NickList::SelectNick(std::string_view nick)
{
    int index = -1;
    FindNick(nick, &index);
    SelectIndex(index);
    return index;
}

void NickList::SelectIndex(int index)
{
    if (index < 0 || index >= NickCount())
        index = -1;
    if (index == m_selected)
        return;
    m_selected = index;
    if (m_listener)
        m_listener->NickSelectionChanged(index);
}

void NickList::Clear()
{
    if (m_listener)
        m_listener->NickListAboutToBeCleared();
    m_entries.clear();
    m_byKey.clear();
    const bool hadSelection = m_selected >= 0;
    m_selected = -1;
    if (m_listener) {
        m_listener->NickListCleared();
        if (hadSelection)
            m_listener->NickSelectionChanged(-1);
    }
}

NickList::const_iterator NickList::begin() const
{
    return const_iterator(m_entries.cbegin());
}

NickList::const_iterator NickList::end() const
{
    return const_iterator(m_entries.cend());
}
