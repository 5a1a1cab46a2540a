#pragma once

#include "config/ValueChecks.h"
#include "config/ServerPort.h"

#include <optional>
#include <string>
#include <vector>

class ConfigChanges;

// One favourite server as the server dialog edits it: its "Servers" record,
// its password in "Passwords" and its own identity in "Servers Data".
struct ServerEntry
{
    std::string name; // the key in "Servers", "Passwords" and "Servers Data"
    std::string host;
    int port = static_cast<int>(ServerPort::kDefaultPort);
    bool tls = false; // the record's port written "+6697"
    bool autoConnect = false;
    bool usePassword = false;
    std::string password;
    bool ownIdentity = false; // a "Servers Data" record; otherwise "Base" is used
    std::string nick;
    std::string email;
    bool invisible = false;
    bool updateNick = false;
    std::string fullName; // the last field of the record, may hold blanks
    bool logging = true;  // false: a key in "Logging Off", the conversations are not logged
};

// The names of the server entries whose conversations are not logged.
std::vector<std::string> ServerEntriesWithLoggingOff();

// The "Servers" record of a favourite server: where it is and whether it is
// connected at start-up.
struct ServerRecord
{
    std::string host;
    ServerPort port;
    bool autoConnect = false;
};

// The own identity of a favourite server, its "Servers Data" record.
struct ServerIdentity
{
    std::string nick;
    std::string email;
    bool invisible = false;
    bool updateNick = false;
    std::string fullName;
};

// Which field of an entry cannot be stored as it is (the record fields are
// separated by blanks, the name is a key and part of a section name).
enum class ServerEntryProblem {
    None,
    BadName,  // empty, or holding "=", "]" or a line break
    BadHost,  // empty, or holding a blank
    BadPort,  // outside 1..65535
    BadNick,  // own identity: not a nick a server takes
    BadEmail, // own identity: a blank inside
};
// The field at fault and why (the value checks of ValueChecks.h).
struct ServerEntryCheck
{
    ServerEntryProblem field = ServerEntryProblem::None;
    Refusal reason;
    bool operator==(ServerEntryProblem problem) const { return field == problem; }
};
ServerEntryCheck CheckServerEntry(const ServerEntry &entry);

// A working copy of the favourite servers of brimo.conf. The settings sheet
// adds, edits, renames and deletes entries here; nothing reaches the file
// until Save, so a sheet closed with Cancel leaves the file as it was.
//
// Names are compared as the file compares keys, without regard to case:
// "Libera" and "libera" are one entry.
//
// With the static functions, the only reader and writer of "Servers",
// "Servers Data", the servers' passwords and "Default Server".
class FavouriteServers
{
public:
    // The names of "Servers" in file order.
    static std::vector<std::string> SavedNames();
    // The record of a favourite server; nothing when there is none.
    static std::optional<ServerRecord> Record(const std::string &name);
    // The name of the first favourite at this address, empty when none is.
    static std::string NameAt(const std::string &host, unsigned port, bool tls);
    // Whether a favourite has this host (any port).
    static bool HasHost(const std::string &host);
    // Stores a server as a favourite named by its host, connected at
    // start-up; false when it cannot be written.
    static bool AddHost(const std::string &host, const ServerPort &port);
    // The own identity of a favourite server; nothing when it has none.
    static std::optional<ServerIdentity> Identity(const std::string &name);
    // Puts a new nick into the server's own identity (nothing when it has none).
    static bool SetIdentityNick(const std::string &name, const std::string &nick);
    // The server's password in "Passwords".
    static std::string Password(const std::string &name);
    // "Default Server" of "Base": the server the toolbar and Ctrl+Z connect.
    static std::string DefaultServer();

    // Reads the entries of "Servers" in file order, with their passwords and
    // identity records.
    void Load();

    // The names in order: file order, new entries at the end.
    std::vector<std::string> Names() const;
    bool Contains(const std::string &name) const;

    // The entry as the server dialog shows it: without a "Servers Data"
    // record the identity fields come from "Base" and ownIdentity is false.
    // An unknown name gives an empty entry with port 6667.
    ServerEntry ForEditing(const std::string &name) const;

    // Puts entry in place of the one named oldName (empty or unknown: a new
    // entry). An other entry that already has the entry's name is replaced:
    // the caller asks the user first.
    void Put(const ServerEntry &entry, const std::string &oldName);
    void Remove(const std::string &name);
    // Makes the entry the "Default Server" when saved.
    void SetDefault(const std::string &name);

    // Writes every change since Load to the file. An entry renamed carries
    // along its favourite channels ("Channels Group " + name), its channel keys
    // in "Passwords" ("name - channel") and "Default Server" when that named
    // it. A deleted entry loses its "Servers", "Servers Data" and "Passwords"
    // keys; its channel group stays. Entries not touched are not rewritten.
    // All of it is one replacement of the file: when the write fails, or an
    // entry cannot be stored, the file stays as it was. Then the copy is
    // loaded again. False when nothing was written.
    bool Save();

private:
    struct Item
    {
        ServerEntry entry;
        std::string fileName; // the name in the file at Load; empty for a new entry
        bool changed = false;
    };

    Item *Find(const std::string &name);
    const Item *Find(const std::string &name) const;
    bool IsNameInUse(const std::string &name) const;
    static void AddEntryWrites(ConfigChanges &changes, const ServerEntry &entry);
    static void AddDeletions(ConfigChanges &changes, const std::string &name);

    std::vector<Item> m_items;
    std::vector<std::string> m_loadedNames;
    std::string m_default; // set by SetDefault, empty: unchanged
};
