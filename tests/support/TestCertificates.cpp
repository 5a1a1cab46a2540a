#include "TestCertificates.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace {

constexpr const char *kOpenssl = "/usr/bin/openssl";
constexpr int kOpensslTimeoutMs = 30000;

// Elliptic-curve keys: made in milliseconds, where RSA keys take long.
const QStringList kNewKey = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                             QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};

QByteArray ReadFile(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TestCertificates::TestCertificates() = default;

bool TestCertificates::IsAvailable()
{
    return QFileInfo(QString::fromLatin1(kOpenssl)).isExecutable();
}

std::string TestCertificates::Path(const std::string &file) const
{
    return m_dir.filePath(QString::fromStdString(file)).toStdString();
}

std::string TestCertificates::Certificate(const std::string &name) const
{
    return Path(name + ".crt");
}

std::string TestCertificates::Key(const std::string &name) const
{
    return Path(name + ".key");
}

std::string TestCertificates::Combined(const std::string &name) const
{
    return Path(name + ".pem");
}

bool TestCertificates::Openssl(const QStringList &arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromLatin1(kOpenssl), arguments);
    return process.waitForFinished(kOpensslTimeoutMs) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

bool TestCertificates::WriteCombined(const std::string &name) const
{
    QFile file(QString::fromStdString(Combined(name)));
    return file.open(QIODevice::WriteOnly) && file.write(ReadFile(Certificate(name)) + ReadFile(Key(name))) > 0;
}

bool TestCertificates::MakeSelfSigned(const std::string &name, const std::string &altNames)
{
    QStringList arguments = {QStringLiteral("req"), QStringLiteral("-x509")};
    arguments << kNewKey;
    arguments << QStringLiteral("-keyout") << QString::fromStdString(Key(name)) << QStringLiteral("-out")
              << QString::fromStdString(Certificate(name)) << QStringLiteral("-days") << QStringLiteral("2")
              << QStringLiteral("-subj") << QString::fromStdString("/CN=" + name) << QStringLiteral("-addext")
              << QString::fromStdString("subjectAltName=" + altNames);
    return Openssl(arguments) && WriteCombined(name);
}

bool TestCertificates::MakeAuthority()
{
    if (m_authorityMade)
        return true;
    QStringList arguments = {QStringLiteral("req"), QStringLiteral("-x509")};
    arguments << kNewKey;
    arguments << QStringLiteral("-keyout") << QString::fromStdString(Key("authority")) << QStringLiteral("-out")
              << QString::fromStdString(AuthorityCertificate()) << QStringLiteral("-days") << QStringLiteral("2")
              << QStringLiteral("-subj") << QStringLiteral("/CN=Brimo Test Authority");
    m_authorityMade = Openssl(arguments);
    return m_authorityMade;
}

bool TestCertificates::MakeSigned(const std::string &name, const std::string &altNames)
{
    if (!MakeAuthority())
        return false;
    const std::string request = Path(name + ".csr");
    QStringList arguments = {QStringLiteral("req"), QStringLiteral("-new")};
    arguments << kNewKey;
    arguments << QStringLiteral("-keyout") << QString::fromStdString(Key(name)) << QStringLiteral("-out")
              << QString::fromStdString(request) << QStringLiteral("-subj") << QString::fromStdString("/CN=" + name);
    if (!Openssl(arguments))
        return false;
    const std::string extensions = Path(name + ".ext");
    {
        QFile file(QString::fromStdString(extensions));
        const std::string text = "basicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth,clientAuth\n"
                                 "subjectAltName="
            + altNames + "\n";
        if (!file.open(QIODevice::WriteOnly) || file.write(text.c_str()) <= 0)
            return false;
    }
    const QStringList sign = {QStringLiteral("x509"),
                              QStringLiteral("-req"),
                              QStringLiteral("-in"),
                              QString::fromStdString(request),
                              QStringLiteral("-CA"),
                              QString::fromStdString(AuthorityCertificate()),
                              QStringLiteral("-CAkey"),
                              QString::fromStdString(Key("authority")),
                              QStringLiteral("-CAcreateserial"),
                              QStringLiteral("-out"),
                              QString::fromStdString(Certificate(name)),
                              QStringLiteral("-days"),
                              QStringLiteral("2"),
                              QStringLiteral("-extfile"),
                              QString::fromStdString(extensions)};
    return Openssl(sign) && WriteCombined(name);
}

std::string TestCertificates::Fingerprint(const std::string &name) const
{
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(ReadFile(Certificate(name)));
    if (certificates.isEmpty())
        return std::string();
    return certificates.first().digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
}

void TestCertificates::TrustAuthority() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(QString::fromStdString(AuthorityCertificate()));
    QSslConfiguration::setDefaultConfiguration(configuration);
}
