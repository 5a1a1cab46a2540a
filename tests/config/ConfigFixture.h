#pragma once

#include "config/Config.h"
#include "platform/Profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

// Every test works on brimo.conf in a folder of its own.
class ConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetConfigDirectory(m_dir.path().toStdString());
        Profile::ClearCache();
    }

    void TearDown() override { SetConfigDirectory(std::string()); }

    QString path() const { return m_dir.filePath("brimo.conf"); }

    void writeRaw(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readRaw() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};
