#include "TestConfigDir.h"

#include "config/Config.h"

#include <QFile>

void TestConfigDir::SetUp()
{
    ASSERT_TRUE(m_configDir.isValid()) << "cannot create a temporary configuration folder";
    SetConfigDirectory(ConfigDir());
}

void TestConfigDir::TearDown()
{
    SetConfigDirectory(std::string());
}

std::string TestConfigDir::ConfigDir() const
{
    return m_configDir.path().toStdString();
}

std::string TestConfigDir::ConfigFile() const
{
    return ConfigFilePath();
}

bool TestConfigDir::WriteConfigFile(const std::string &contents) const
{
    QFile file(QString::fromStdString(ConfigFile()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(contents.data(), static_cast<qint64>(contents.size())) == static_cast<qint64>(contents.size());
}

std::string TestConfigDir::ReadConfigFile() const
{
    QFile file(QString::fromStdString(ConfigFile()));
    if (!file.open(QIODevice::ReadOnly))
        return std::string();
    return file.readAll().toStdString();
}
