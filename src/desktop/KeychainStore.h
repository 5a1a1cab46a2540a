// The desktop's secret store through Qt Keychain (Secret Service, KWallet).
#pragma once

#include "config/SecretStore.h"

#include <QObject>
#include <QString>

// Secrets under the service name kService, one entry per key. Each call
// starts a Qt Keychain job and answers when it finishes; a job of a store
// that is missing, locked or refuses answers Unavailable with its reason.
// Nothing is ever written anywhere else (no insecure fallback of the
// library's own).
class KeychainStore : public QObject, public SecretStore
{
    Q_OBJECT

public:
    static constexpr const char *kService = "Brimo";

    explicit KeychainStore(QObject *parent = nullptr);

    void Read(const std::string &key, Done done) override;
    void Write(const std::string &key, const std::string &secret, Done done) override;
    void Remove(const std::string &key, Done done) override;
};
