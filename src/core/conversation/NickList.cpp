#include "conversation/NickList.h"

#include <QCollator>
#include <QString>

#include <algorithm>

#include "conversation/ModeRules.h"
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

} // namespace

char NickEntry::Status() const
{
    return statuses.empty() ? 0 : statuses.front();
}

std::string_view NickEntry::Bare() const
{
    std::string_view text = nick;
    if (!statuses.empty() && !text.empty())
        text.remove_prefix(1);
    return text;
}

NickList::NickList()
    : m_statusLetters(ModeRules::Defaults().StatusLetters()), m_statusSymbols(ModeRules::Defaults().StatusSymbols())
{}

NickList::~NickList() = default;

void NickList::SetStatuses(const ModeRules &rules)
{
    if (rules.StatusLetters() == m_statusLetters && rules.StatusSymbols() == m_statusSymbols)
        return;
    m_statusLetters = rules.StatusLetters();
    m_statusSymbols = rules.StatusSymbols();
    if (m_entries.empty())
        return;
    // The groups follow the new order: every member is listed again.
    std::vector<NickEntry> members;
    for (const auto &row : m_entries)
        members.push_back(row->entry);
    const std::string selected = SelectedNick();
    Clear();
    for (NickEntry &member : members) {
        const std::string bare(member.Bare());
        InsertEntry(MakeEntry(bare, member.statuses, std::move(member.away)));
    }
    if (!selected.empty())
        SelectNick(selected);
}

std::string NickList::RowKey(const Row *row)
{
    return FoldCase(row->entry.Bare());
}

std::string NickList::WithoutStatus(std::string_view text) const
{
    const size_t bare = text.find_first_not_of(m_statusSymbols);
    return bare == std::string_view::npos ? std::string() : std::string(text.substr(bare));
}

int NickList::Rank(char symbol) const
{
    const size_t at = m_statusSymbols.find(symbol);
    return at == std::string::npos ? static_cast<int>(m_statusSymbols.size()) : static_cast<int>(at);
}

int NickList::Group(std::string_view text) const
{
    return text.empty() ? Rank(0) : Rank(text.front());
}

NickEntry NickList::MakeEntry(std::string_view nick, std::string_view statuses, std::string away) const
{
    NickEntry entry;
    for (char symbol : m_statusSymbols) {
        if (statuses.find(symbol) != std::string_view::npos)
            entry.statuses += symbol;
    }
    if (!entry.statuses.empty())
        entry.nick += entry.statuses.front();
    entry.nick += nick;
    entry.away = std::move(away);
    return entry;
}

bool NickList::SortsBefore(std::string_view a, std::string_view b) const
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

const NickList::Row *NickList::FindRow(std::string_view nick) const
{
    const auto found = m_byKey.find(std::string_view(FoldCase(WithoutStatus(nick))));
    return found == m_byKey.end() ? nullptr : *found;
}

bool NickList::FindNick(std::string_view nick, int *index, int *mode) const
{
    const Row *row = FindRow(nick);
    if (index)
        *index = row ? row->index : -1;
    if (mode) {
        *mode = NotListed;
        if (row) {
            const std::string &statuses = row->entry.statuses;
            const size_t operatorRank = m_statusSymbols.find('@');
            if (!statuses.empty() && operatorRank != std::string::npos
                && static_cast<size_t>(Rank(statuses.front())) <= operatorRank)
                *mode = Operator;
            else if (statuses.find('+') != std::string::npos)
                *mode = Voice;
            else
                *mode = Regular;
        }
    }
    return row != nullptr;
}

int NickList::AddNick(std::string_view text)
{
    const std::string nick = WithoutStatus(text);
    if (nick.empty() || FindNick(nick))
        return -1;
    return InsertEntry(MakeEntry(nick, text.substr(0, text.size() - nick.size()), std::string()));
}

int NickList::InsertEntry(NickEntry entry)
{
    if (entry.Bare().empty())
        return -1; // a status symbol alone, or nothing: no member
    if (m_byKey.count(std::string_view(FoldCase(entry.Bare()))))
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
    NickEntry old = m_entries[static_cast<std::size_t>(index)]->entry;
    RemoveAt(index);

    // The new nick may already be listed (a stale entry): keep that one.
    const std::string nick = WithoutStatus(newNick);
    int newIndex = -1;
    if (!FindNick(nick, &newIndex))
        newIndex = InsertEntry(MakeEntry(nick, old.statuses, std::move(old.away)));
    if (wasSelected)
        SelectIndex(newIndex);
    return true;
}

int NickList::SetNickMode(std::string_view nick, std::string_view change)
{
    const std::string bare = WithoutStatus(nick);
    if (bare.empty())
        return -1;
    int index = -1;
    const bool listed = FindNick(bare, &index);
    const bool wasSelected = listed && index == m_selected;
    std::string away;
    std::string statuses;
    if (listed) {
        NickEntry &old = m_entries[static_cast<std::size_t>(index)]->entry;
        away = std::move(old.away);
        statuses = old.statuses;
        RemoveAt(index);
    }

    const size_t letter = change.size() == 2 ? m_statusLetters.find(change[1]) : std::string::npos;
    if (letter != std::string::npos && (change[0] == '+' || change[0] == '-')) {
        const char symbol = m_statusSymbols[letter];
        if (change[0] == '-')
            statuses.erase(std::remove(statuses.begin(), statuses.end(), symbol), statuses.end());
        else if (statuses.find(symbol) == std::string::npos)
            statuses += symbol;
    }
    const int newIndex = InsertEntry(MakeEntry(bare, statuses, std::move(away)));
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
    return std::string(m_entries[static_cast<std::size_t>(index)]->entry.Bare());
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
