#pragma once

#include <QTemporaryDir>

#include <string>

// Certificates for TLS tests, made with openssl in a temporary folder: a
// test authority, certificates it signs and self-signed ones. Each made
// certificate is a pair of PEM files, Certificate(name) and Key(name), and
// Combined(name) holds both (a client certificate file).
class TestCertificates
{
public:
    TestCertificates();

    static bool IsAvailable();

    // altNames as openssl writes them: "IP:127.0.0.1", "DNS:wrong.example".
    bool MakeSelfSigned(const std::string &name, const std::string &altNames);
    bool MakeSigned(const std::string &name, const std::string &altNames);

    std::string Certificate(const std::string &name) const;
    std::string Key(const std::string &name) const;
    std::string Combined(const std::string &name) const;
    std::string AuthorityCertificate() const { return Certificate("authority"); }
    // The SHA-256 fingerprint as the program shows it ("AB:CD:...").
    std::string Fingerprint(const std::string &name) const;

    // Makes every TLS socket of the process made from now on trust the test
    // authority besides the system's.
    void TrustAuthority() const;

private:
    bool MakeAuthority();
    bool Openssl(const QStringList &arguments) const;
    bool WriteCombined(const std::string &name) const;
    std::string Path(const std::string &file) const;

    QTemporaryDir m_dir;
    bool m_authorityMade = false;
};
