// The passwords of brimo.conf kept in a secret store, the file holding only
// references to them.
#pragma once

#include "config/SecretStore.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QTimer;

// The keeper of the program's passwords: server passwords and channel keys
// ("Passwords") and SASL passwords ("SASL Passwords"). In the file such a
// value is either the password itself or a reference, kReferencePrefix and
// the secret's key in the store. At the start the keeper reads the secrets
// the file refers to, and then moves each password the file still holds into
// the store: the file value becomes a reference only once the store has
// confirmed the write, so a store that is missing or locked loses nothing
// (the file keeps the password, readable by its owner only, as before).
// Readers of those sections go through Resolve (Config's ReadPassword and
// ReadSecret). One keeper at a time: the current one resolves references.
class StoredSecrets
{
public:
    static constexpr const char *kReferencePrefix = "secret-store:";
    // How long the start waits for the store to give the secrets it holds.
    static constexpr int kAnswerMs = 20000;

    // What a round of reading and moving found.
    struct Report
    {
        bool storeAnswered = true;           // false: no store, the file keeps its passwords
        std::string problem;                 // why not, in the store's words
        int moved = 0;                       // passwords moved from the file into the store
        std::vector<std::string> unreadable; // "section/key" of references without their secret
    };
    using Finished = std::function<void(const Report &report)>;

    // store may be null: there is none, the file keeps the passwords.
    // answerMs: how long Start waits for the store.
    explicit StoredSecrets(SecretStore *store, int answerMs = kAnswerMs);
    ~StoredSecrets();
    StoredSecrets(const StoredSecrets &) = delete;
    StoredSecrets &operator=(const StoredSecrets &) = delete;

    // Reads the secrets the file refers to; ready() once every one has
    // answered or kAnswerMs passed (at once when the file refers to none).
    // Then moves the file's passwords into the store; finished() after
    // that round, and after every later one.
    void Start(std::function<void()> ready, Finished finished);
    // Moves the passwords the file holds now (new ones the settings wrote)
    // into the store, and removes from the store the secrets no key refers
    // to any more. A round already running is followed by another.
    void MoveToStore();
    // Some code wrote passwords to the file: the current keeper moves them
    // soon (from the event loop).
    static void PasswordsWritten();

    // A value of those sections as read from the file: a reference gives the
    // secret (empty while it is not known), any other value itself.
    static std::string Resolve(const std::string &value);
    // For a dialog that edits and writes the value back: the secret, or the
    // reference itself while its secret is not known, so that saving keeps it.
    static std::string ForEditing(const std::string &value);
    static bool IsReference(const std::string &value);
    // The sections whose values are secrets.
    static const std::vector<std::string> &Sections();

    bool IsMoving() const { return m_moving; }

private:
    struct Value
    {
        std::string section, key, value;
    };

    static std::vector<Value> FileValues();
    static std::string StoreKeyOf(const std::string &section, const std::string &key);
    void ReadReferences(const std::vector<Value> &references);
    void ReferencesRead();
    void Move();
    void MoveAnswered(const Value &moved, const std::string &storeKey, SecretStore::Result result,
                      const std::string &text);
    void MoveDone();
    void RemoveForgotten();

    SecretStore *m_store;
    int m_answerMs;
    // Answers that come after the keeper has gone find it expired.
    std::shared_ptr<bool> m_alive;
    std::map<std::string, std::string> m_secrets; // by store key
    std::set<std::string> m_referenced;           // store keys the file referred to
    std::unique_ptr<QTimer> m_readTimer;
    std::function<void()> m_ready;
    Finished m_finished;
    Report m_report;
    int m_pending = 0;
    bool m_reading = false;
    bool m_moving = false;
    bool m_moveAgain = false;
    bool m_unavailable = false;
};
