#include "config/StoredSecrets.h"

#include "config/Config.h"

#include <QTimer>

namespace {

StoredSecrets *s_current = nullptr;

} // namespace

StoredSecrets::StoredSecrets(SecretStore *store, int answerMs)
    : m_store(store), m_answerMs(answerMs), m_alive(std::make_shared<bool>(true))
{
    s_current = this;
}

StoredSecrets::~StoredSecrets()
{
    if (s_current == this)
        s_current = nullptr;
}

const std::vector<std::string> &StoredSecrets::Sections()
{
    static const std::vector<std::string> sections{kPasswordsSection, kSaslPasswordsSection};
    return sections;
}

bool StoredSecrets::IsReference(const std::string &value)
{
    return value.starts_with(kReferencePrefix);
}

std::string StoredSecrets::Resolve(const std::string &value)
{
    if (!IsReference(value))
        return value;
    if (!s_current)
        return {};
    auto found = s_current->m_secrets.find(value.substr(std::char_traits<char>::length(kReferencePrefix)));
    return found == s_current->m_secrets.end() ? std::string() : found->second;
}

std::string StoredSecrets::ForEditing(const std::string &value)
{
    const std::string secret = Resolve(value);
    return secret.empty() ? value : secret;
}

std::string StoredSecrets::StoreKeyOf(const std::string &section, const std::string &key)
{
    // Two settings files (BRIMO_CONFIG_DIR) share one keyring: the file is
    // part of the key.
    return section + "/" + key + " @ " + ConfigFilePath();
}

std::vector<StoredSecrets::Value> StoredSecrets::FileValues()
{
    std::vector<Value> values;
    for (const std::string &section : Sections()) {
        std::vector<std::string> keys;
        ReadSectionKeys(section, keys);
        for (const std::string &key : keys) {
            std::string value = ReadString(section, key);
            if (!value.empty())
                values.push_back({section, key, std::move(value)});
        }
    }
    return values;
}

void StoredSecrets::Start(std::function<void()> ready, Finished finished)
{
    m_ready = std::move(ready);
    m_finished = std::move(finished);
    m_report = {};
    std::vector<Value> references;
    for (Value &value : FileValues())
        if (IsReference(value.value))
            references.push_back(std::move(value));
    if (references.empty() || !m_store) {
        for (const Value &reference : references)
            m_report.unreadable.push_back(reference.section + "/" + reference.key);
        ReferencesRead();
        return;
    }
    ReadReferences(references);
}

void StoredSecrets::ReadReferences(const std::vector<Value> &references)
{
    m_reading = true;
    m_pending = static_cast<int>(references.size());
    m_readTimer = std::make_unique<QTimer>();
    m_readTimer->setSingleShot(true);
    QObject::connect(m_readTimer.get(), &QTimer::timeout, [this] {
        m_unavailable = true;
        ReferencesRead();
    });
    m_readTimer->start(m_answerMs);
    for (const Value &reference : references) {
        const std::string storeKey = reference.value.substr(std::char_traits<char>::length(kReferencePrefix));
        m_referenced.insert(storeKey);
        const std::string name = reference.section + "/" + reference.key;
        std::weak_ptr<bool> alive = m_alive;
        m_store->Read(storeKey, [this, alive, storeKey, name](SecretStore::Result result, const std::string &text) {
            if (alive.expired())
                return;
            // A late answer still serves the next connection.
            if (result == SecretStore::Result::Ok)
                m_secrets[storeKey] = text;
            if (!m_reading)
                return;
            if (result != SecretStore::Result::Ok)
                m_report.unreadable.push_back(name);
            if (result == SecretStore::Result::Unavailable) {
                m_unavailable = true;
                m_report.problem = text;
            }
            if (--m_pending == 0)
                ReferencesRead();
        });
    }
}

void StoredSecrets::ReferencesRead()
{
    m_reading = false;
    m_readTimer.reset();
    if (m_ready) {
        auto ready = std::move(m_ready);
        m_ready = {};
        ready();
    }
    MoveToStore();
}

void StoredSecrets::PasswordsWritten()
{
    if (!s_current)
        return;
    std::weak_ptr<bool> alive = s_current->m_alive;
    StoredSecrets *keeper = s_current;
    QTimer::singleShot(0, [keeper, alive] {
        if (!alive.expired())
            keeper->MoveToStore();
    });
}

void StoredSecrets::MoveToStore()
{
    if (m_reading)
        return; // the round after the reading comes anyway
    if (m_moving) {
        m_moveAgain = true;
        return;
    }
    m_moving = true;
    Move();
}

void StoredSecrets::Move()
{
    std::vector<Value> passwords;
    for (Value &value : FileValues()) {
        if (IsReference(value.value))
            m_referenced.insert(value.value.substr(std::char_traits<char>::length(kReferencePrefix)));
        else
            passwords.push_back(std::move(value));
    }
    if (!m_store || m_unavailable) {
        m_report.storeAnswered = false;
        MoveDone();
        return;
    }
    // One more than the writes: the count cannot reach 0 while they are
    // being asked for, whether the store answers at once or later.
    m_pending = static_cast<int>(passwords.size()) + 1;
    for (const Value &password : passwords) {
        const std::string storeKey = StoreKeyOf(password.section, password.key);
        std::weak_ptr<bool> alive = m_alive;
        m_store->Write(storeKey, password.value,
                       [this, alive, password, storeKey](SecretStore::Result result, const std::string &text) {
                           if (!alive.expired())
                               MoveAnswered(password, storeKey, result, text);
                       });
    }
    if (--m_pending == 0)
        MoveDone();
}

void StoredSecrets::MoveAnswered(const Value &moved, const std::string &storeKey, SecretStore::Result result,
                                 const std::string &text)
{
    if (result == SecretStore::Result::Ok) {
        m_secrets[storeKey] = moved.value;
        m_referenced.insert(storeKey);
        // Only a value nobody changed meanwhile becomes the reference.
        if (ReadString(moved.section, moved.key) == moved.value
            && WriteString(moved.section, moved.key, kReferencePrefix + storeKey))
            ++m_report.moved;
    } else {
        m_unavailable = true;
        m_report.storeAnswered = false;
        m_report.problem = text;
    }
    if (--m_pending == 0)
        MoveDone();
}

void StoredSecrets::MoveDone()
{
    if (m_report.storeAnswered)
        RemoveForgotten();
    const Report report = m_report;
    m_report = {};
    m_moving = false;
    if (m_finished)
        m_finished(report);
    if (m_moveAgain) {
        m_moveAgain = false;
        MoveToStore();
    }
}

void StoredSecrets::RemoveForgotten()
{
    std::set<std::string> inFile;
    for (const Value &value : FileValues())
        if (IsReference(value.value))
            inFile.insert(value.value.substr(std::char_traits<char>::length(kReferencePrefix)));
    for (auto it = m_referenced.begin(); it != m_referenced.end();) {
        if (inFile.count(*it)) {
            ++it;
            continue;
        }
        m_store->Remove(*it, [](SecretStore::Result, const std::string &) {});
        m_secrets.erase(*it);
        it = m_referenced.erase(it);
    }
}
