#pragma once

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

// A test fixture whose every test runs with its own empty configuration
// folder: a temporary folder set through SetConfigDirectory, removed (and
// the normal folder restored) after the test.
class TestConfigDir : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The folder and the configuration file inside it.
    std::string ConfigDir() const;
    std::string ConfigFile() const;
    // Replaces the configuration file with the given text.
    bool WriteConfigFile(const std::string &contents) const;
    // The configuration file's current text ("" when it does not exist).
    std::string ReadConfigFile() const;

    QTemporaryDir m_configDir;
};
