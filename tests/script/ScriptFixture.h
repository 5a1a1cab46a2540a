#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "commands/CommandFixture.h"
#include "conversation/Conversation.h"
#include "script/Script.h"
#include "script/ScriptEngine.h"

// A connected session whose shell has the real script engine (the real Tcl
// library), a channel "#c" with a recording view, and a folder for script files.
class ScriptFixture : public CommandFixture
{
protected:
    void SetUp() override
    {
        CommandFixture::SetUp();
        m_shell->m_scripts = &m_engine;
        ASSERT_TRUE(m_engine.HasLibrary()) << "the tests need the Tcl 8.6 library";
        ASSERT_TRUE(m_scriptDir.isValid());
        m_channel = OpenChannel("#c");
        ASSERT_NE(m_channel, nullptr);
    }

    // Writes a script file into the test's folder; returns its full path.
    std::string WriteScript(const std::string &name, const std::string &text) const
    {
        const QString path = QDir(m_scriptDir.path()).filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path.toStdString();
    }

    // Writes the script and loads it into "#c" (announced).
    std::string Load(const std::string &name, const std::string &text)
    {
        const std::string path = WriteScript(name, text);
        EXPECT_EQ(Run("/load #c " + path, "#c"), 1);
        return path;
    }

    // A file name inside the test's folder (not created).
    std::string PathIn(const std::string &name) const
    {
        return QDir(m_scriptDir.path()).filePath(QString::fromStdString(name)).toStdString();
    }

    CommandView &ChannelView() const { return *View("#c"); }
    // The texts the channel's view shows, from line from on.
    std::vector<std::string> ChannelTexts(size_t from = 0) const
    {
        std::vector<std::string> texts;
        const auto &lines = ChannelView().Lines();
        for (size_t n = from; n < lines.size(); ++n)
            texts.push_back(lines[n].text);
        return texts;
    }

    ScriptEngine m_engine;
    QTemporaryDir m_scriptDir;
    Conversation *m_channel = nullptr;
};
