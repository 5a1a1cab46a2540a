#include "input/InputCommandEntries.h"

#include "commands/CommandHelp.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>

namespace {

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t start = 0;
    while (true) {
        const size_t blank = line.find(' ', start);
        if (blank == std::string_view::npos) {
            words.push_back(line.substr(start));
            return words;
        }
        words.push_back(line.substr(start, blank - start));
        start = blank + 1;
    }
}

std::string_view Trim(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool NameLessNoCase(const CommandEntry &a, const CommandEntry &b)
{
    return QString::fromStdString(a.name).compare(QString::fromStdString(b.name), Qt::CaseInsensitive) < 0;
}

} // namespace

std::string CommandEntry::Text() const
{
    if (!script)
        return name + " 0 " + description;
    return description.empty() ? name + " 1" : name + " 1 " + description;
}

bool InputCommandEntries::ParseScriptLine(std::string_view line, CommandEntry &entry)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.size() < 6 || words[0] != "proc" || words[1].empty() || words[1][0] != '/')
        return false;
    entry.name = std::string(words[1].substr(1));
    entry.script = true;
    entry.description.clear();
    for (size_t i = 2; i < words.size(); ++i) {
        if (!words[i].empty() && words[i][0] == '#') {
            const size_t from = static_cast<size_t>(words[i].data() - line.data()) + 1;
            entry.description = std::string(Trim(line.substr(from)));
            break;
        }
    }
    return true;
}

std::vector<CommandEntry> InputCommandEntries::ReadScript(const std::string &path, const std::string &baseDirectory)
{
    std::vector<CommandEntry> entries;
    const QString file = QDir(QString::fromStdString(baseDirectory)).filePath(QString::fromStdString(path));
    QFile script(file);
    if (!script.open(QIODevice::ReadOnly))
        return entries;
    while (!script.atEnd()) {
        QByteArray line = script.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        CommandEntry entry;
        if (ParseScriptLine(std::string_view(line.constData(), static_cast<size_t>(line.size())), entry))
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<CommandEntry> InputCommandEntries::Build(const std::vector<std::string> &helpLines,
                                                     const std::vector<std::string> &scriptPaths,
                                                     const std::string &baseDirectory)
{
    std::vector<CommandEntry> entries;
    for (const std::string &line : helpLines) {
        CommandEntry entry;
        CommandHelp::SplitLine(line, entry.name, entry.description);
        entries.push_back(std::move(entry));
    }
    for (const std::string &path : scriptPaths) {
        std::vector<CommandEntry> scriptEntries = ReadScript(path, baseDirectory);
        entries.insert(entries.end(), std::make_move_iterator(scriptEntries.begin()),
                       std::make_move_iterator(scriptEntries.end()));
    }
    std::stable_sort(entries.begin(), entries.end(), NameLessNoCase);
    return entries;
}

std::string InputCommandEntries::DisplayDescription(std::string_view description)
{
    std::string out;
    out.reserve(description.size());
    for (size_t i = 0; i < description.size(); ++i) {
        if (description[i] == '\\' && i + 1 < description.size() && description[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += description[i];
        }
    }
    return out;
}
