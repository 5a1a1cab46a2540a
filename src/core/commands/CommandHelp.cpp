#include "commands/CommandHelp.h"

#include <QFile>

#include "text/CaseFold.h"

static void InitCommandHelpResource()
{
    // The resource lives in a static library: without this call the linker may
    // drop its registration.
    Q_INIT_RESOURCE(core_commands);
}

namespace {

std::vector<std::string> ReadHelpLines()
{
    InitCommandHelpResource();
    std::vector<std::string> lines;
    QFile file(QStringLiteral(":/commands/help.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray data = file.readAll();
    size_t start = 0;
    const std::string text(data.constData(), static_cast<size_t>(data.size()));
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

const std::vector<std::string> &CommandHelp::Lines()
{
    static const std::vector<std::string> lines = ReadHelpLines();
    return lines;
}

void CommandHelp::SplitLine(const std::string &line, std::string &name, std::string &description)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos) {
        name = line;
        description.clear();
        return;
    }
    name = line.substr(0, blank);
    description = line.substr(blank + 1);
}

std::string CommandHelp::Description(std::string_view command)
{
    std::string name, description;
    for (const std::string &line : Lines()) {
        SplitLine(line, name, description);
        if (EqualIgnoringAsciiCase(name, command))
            return description;
    }
    return {};
}
