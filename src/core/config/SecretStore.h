// A store of secrets outside brimo.conf: the desktop's keyring.
#pragma once

#include <functional>
#include <string>

// What StoredSecrets keeps passwords in. Keys and secrets are UTF-8. Every
// call answers once through done, on the UI thread, now or later; the
// program never waits for it. Unavailable covers a store that is missing,
// locked, refused us or did not work; its text then says why.
class SecretStore
{
public:
    enum class Result { Ok, NotFound, Unavailable };
    // Read: the secret when Ok. Unavailable: the reason, in the store's words.
    using Done = std::function<void(Result result, const std::string &text)>;

    virtual ~SecretStore() = default;

    virtual void Read(const std::string &key, Done done) = 0;
    virtual void Write(const std::string &key, const std::string &secret, Done done) = 0;
    virtual void Remove(const std::string &key, Done done) = 0;
};
