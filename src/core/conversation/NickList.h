#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class ModeRules;

// One member of a channel as the nick list keeps it.
struct NickEntry
{
    std::string nick;     // the nick, preceded by the symbol of the member's highest status when it has one
    std::string away;     // empty while the member is present ("AWAY" or the reason while away)
    std::string statuses; // the symbols of every status the member holds, highest first ("@+")

    char Status() const;           // the symbol of the highest status, or 0 when there is none
    std::string_view Bare() const; // the nick without its status symbol
    bool IsAway() const { return !away.empty(); }
};

// Told about every change of a NickList, before and after, so that an item
// model can follow it row by row. All indices are rows of the list.
class NickListListener
{
public:
    virtual ~NickListListener() = default;
    virtual void NickAboutToBeInserted(int index) { (void)index; }
    virtual void NickInserted(int index) { (void)index; }
    virtual void NickAboutToBeRemoved(int index) { (void)index; }
    virtual void NickRemoved(int index) { (void)index; }
    virtual void NickChanged(int index) { (void)index; } // the away text of the entry changed
    virtual void NickListAboutToBeCleared() {}
    virtual void NickListCleared() {}
    virtual void NickSelectionChanged(int index) { (void)index; } // -1: nothing selected
};

// The members of one channel, sorted by their highest status (in the
// order of the server's PREFIX, "~&@%+" unless told otherwise), then all
// others; within a group by the nick, case-insensitively and with the
// locale's collation.
//
// Every status symbol is a status, never part of a nick: lookups compare the
// nick without the symbols before it and without regard to case, so "@+bob"
// and "%Bob" both find the member "bob".
//
// Lookups are hashed and insertions binary, so a list of many thousand
// members stays cheap to build and to search.
class NickList
{
public:
    enum Mode { NotListed = -1, Regular = 0, Voice = 1, Operator = 2 };

    NickList();
    ~NickList();
    NickList(const NickList &) = delete;
    NickList &operator=(const NickList &) = delete;

    // The member statuses of the server (ModeRules::StatusLetters and
    // StatusSymbols). Members already listed are sorted again.
    void SetStatuses(const ModeRules &rules);

    // Whether the nick is listed; `index` gets its row and `mode` its highest
    // Mode (2 for an operator or anyone above, 1 for a voiced member, 0
    // otherwise), both -1 when it is not listed.
    bool FindNick(std::string_view nick, int *index = nullptr, int *mode = nullptr) const;

    // Adds the text (a NAMES entry: the status symbols, then the nick) in
    // sort order unless the nick is already listed or empty. Returns the new
    // row, or -1 when nothing was added.
    int AddNick(std::string_view text);

    // Removes the member; false when it is not listed.
    bool RemoveNick(std::string_view nick);

    // Replaces the old nick by the new one; the member keeps its statuses,
    // its away text and, when selected, the selection. False when the old
    // nick is not listed.
    bool RenameNick(std::string_view oldNick, std::string_view newNick);

    // Applies a status change ("+o", "-h", "+q", ...; a letter that is no
    // status changes nothing). Each status is kept apart, so an operator who
    // is also voiced and loses "o" shows '+'. The entry becomes the symbol of
    // its highest status followed by the nick as passed; the away text is
    // kept and a selected member stays selected. A nick that is not listed is
    // added. Returns the entry's row (-1 for an empty nick).
    int SetNickMode(std::string_view nick, std::string_view change);

    // Sets the away text (empty: present). False when the nick is not listed.
    bool SetNickAway(std::string_view nick, std::string_view text);

    // The selected member's nick without its status symbol; empty when
    // nothing is selected.
    std::string SelectedNick() const;
    // The same for a row; empty when the row does not exist.
    std::string NickAt(int index) const;
    // Selects the member (an unknown nick clears the selection). Returns its row or -1.
    int SelectNick(std::string_view nick);
    // Selects a row (-1 or a row out of range clears the selection).
    void SelectIndex(int index);
    int SelectedIndex() const { return m_selected; }

    int NickCount() const { return static_cast<int>(m_entries.size()); }
    // The entry of a row; the row must exist.
    const NickEntry &EntryAt(int index) const { return m_entries[static_cast<std::size_t>(index)]->entry; }
    void Clear();

    // Iteration over the entries in list order.
    class const_iterator;
    const_iterator begin() const;
    const_iterator end() const;

    // Nothing but `listener` is notified afterwards; null stops the notifications.
    void SetListener(NickListListener *listener) { m_listener = listener; }

    // The sort order of two entry texts: true when `a` goes before `b`.
    bool SortsBefore(std::string_view a, std::string_view b) const;

    // The nick of a NAMES entry or of a nick looked up: without the status
    // symbols before it.
    std::string WithoutStatus(std::string_view text) const;

private:
    // A member and its row. Kept small: a channel may have many thousand
    // members, and a user many such channels. The order is not cached per
    // row (a collation key costs more than the member itself); insertion
    // collates against the rows it passes, and each row knows its index.
    struct Row
    {
        NickEntry entry;
        int index;
    };
    // The rows by EntryKey of their text, looked up with any key's text.
    static std::string RowKey(const Row *row);
    struct KeyHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
        std::size_t operator()(const Row *row) const { return (*this)(RowKey(row)); }
    };
    struct KeyEqual
    {
        using is_transparent = void;
        bool operator()(const Row *a, const Row *b) const { return a == b; }
        bool operator()(std::string_view key, const Row *row) const { return RowKey(row) == key; }
        bool operator()(const Row *row, std::string_view key) const { return RowKey(row) == key; }
    };
    int InsertEntry(NickEntry entry);
    void RemoveAt(int index);
    void Renumber(int from);
    const Row *FindRow(std::string_view nick) const;
    // The entry of a nick holding these statuses (symbols in any order).
    NickEntry MakeEntry(std::string_view nick, std::string_view statuses, std::string away) const;
    // The rank of a symbol in the server's order; past the last for none.
    int Rank(char symbol) const;
    int Group(std::string_view text) const;

    std::string m_statusLetters; // as ModeRules::StatusLetters
    std::string m_statusSymbols;
    std::vector<std::unique_ptr<Row>> m_entries;
    std::unordered_set<Row *, KeyHash, KeyEqual> m_byKey;
    int m_selected = -1;
    NickListListener *m_listener = nullptr;

public:
    class const_iterator
    {
    public:
        using value_type = NickEntry;
        using difference_type = std::ptrdiff_t;
        using reference = const NickEntry &;
        using pointer = const NickEntry *;
        using iterator_category = std::forward_iterator_tag;

        const_iterator() = default;
        reference operator*() const { return (*m_it)->entry; }
        pointer operator->() const { return &(*m_it)->entry; }
        const_iterator &operator++()
        {
            ++m_it;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++m_it;
            return old;
        }
        bool operator==(const const_iterator &other) const { return m_it == other.m_it; }

    private:
        friend class NickList;
        explicit const_iterator(std::vector<std::unique_ptr<Row>>::const_iterator it) : m_it(it) {}
        std::vector<std::unique_ptr<Row>>::const_iterator m_it;
    };
};
