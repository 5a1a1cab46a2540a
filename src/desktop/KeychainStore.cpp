#include "desktop/KeychainStore.h"

#include <qt6keychain/keychain.h>

namespace {

SecretStore::Result ResultOf(const QKeychain::Job &job)
{
    switch (job.error()) {
    case QKeychain::NoError:
        return SecretStore::Result::Ok;
    case QKeychain::EntryNotFound:
        return SecretStore::Result::NotFound;
    default:
        return SecretStore::Result::Unavailable;
    }
}

// Starts the job; done gets its result and, for a failure, its reason.
template <typename JobType, typename Success>
void Run(JobType *job, const std::string &key, SecretStore::Done done, Success success)
{
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(key));
    QObject::connect(job, &QKeychain::Job::finished, job, [job, done = std::move(done), success](QKeychain::Job *) {
        const SecretStore::Result result = ResultOf(*job);
        if (!done)
            return;
        if (result == SecretStore::Result::Ok)
            done(result, success(*job));
        else
            done(result, job->errorString().toStdString());
    });
    job->start();
}

} // namespace

KeychainStore::KeychainStore(QObject *parent) : QObject(parent) {}

void KeychainStore::Read(const std::string &key, Done done)
{
    auto *job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kService), this);
    Run(job, key, std::move(done),
        [](const QKeychain::ReadPasswordJob &read) { return read.textData().toStdString(); });
}

void KeychainStore::Write(const std::string &key, const std::string &secret, Done done)
{
    auto *job = new QKeychain::WritePasswordJob(QString::fromLatin1(kService), this);
    job->setTextData(QString::fromStdString(secret));
    Run(job, key, std::move(done), [](const QKeychain::WritePasswordJob &) { return std::string(); });
}

void KeychainStore::Remove(const std::string &key, Done done)
{
    auto *job = new QKeychain::DeletePasswordJob(QString::fromLatin1(kService), this);
    Run(job, key, std::move(done), [](const QKeychain::DeletePasswordJob &) { return std::string(); });
}
