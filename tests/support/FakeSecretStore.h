#pragma once

#include "config/SecretStore.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// A secret store of the test's own: keeps secrets in a map and answers at
// once, or holds every answer until the test releases them (Answer), or
// answers Unavailable as a locked or missing store does.
class FakeSecretStore : public SecretStore
{
public:
    void Read(const std::string &key, Done done) override
    {
        m_reads.push_back(key);
        Reply([this, key, done] {
            if (m_locked)
                return done(Result::Unavailable, "locked");
            auto found = m_secrets.find(key);
            found == m_secrets.end() ? done(Result::NotFound, "") : done(Result::Ok, found->second);
        });
    }
    void Write(const std::string &key, const std::string &secret, Done done) override
    {
        m_writes.push_back(key);
        Reply([this, key, secret, done] {
            if (m_locked)
                return done(Result::Unavailable, "locked");
            m_secrets[key] = secret;
            done(Result::Ok, "");
        });
    }
    void Remove(const std::string &key, Done done) override
    {
        m_removes.push_back(key);
        Reply([this, key, done] {
            if (m_locked)
                return done(Result::Unavailable, "locked");
            done(m_secrets.erase(key) ? Result::Ok : Result::NotFound, "");
        });
    }

    // Gives every held answer, in the order asked.
    void Answer()
    {
        std::vector<std::function<void()>> held;
        held.swap(m_held);
        for (auto &answer : held)
            answer();
    }

    bool m_hold = false;
    bool m_locked = false;
    std::map<std::string, std::string> m_secrets;
    std::vector<std::string> m_reads, m_writes, m_removes;

private:
    void Reply(std::function<void()> answer)
    {
        if (m_hold)
            m_held.push_back(std::move(answer));
        else
            answer();
    }

    std::vector<std::function<void()>> m_held;
};
