#include "history/LogDayFile.h"

#include "history/LogFileName.h"

#include <QDate>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace {

constexpr std::string_view kExtension = ".log";

// "2026-12-07" of "2026-12-07.log"; none for another name.
std::optional<std::string> DayOfFileName(std::string_view name)
{
    if (name.size() != 10 + kExtension.size() || !name.ends_with(kExtension))
        return std::nullopt;
    const std::string day(name.substr(0, 10));
    if (!QDate::fromString(QString::fromLatin1(day.data(), 10), Qt::ISODate).isValid())
        return std::nullopt;
    return day;
}

std::vector<std::string> FoldersIn(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_directory(error) && !entry.is_symlink(error))
            names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

std::string LogDayFile::PathIn(const std::string &folder) const
{
    return folder + "/" + network + "/" + window + "/" + day + std::string(kExtension);
}

std::string LogDayFile::NetworkName() const
{
    return NameOfSafeFileName(network);
}

std::string LogDayFile::WindowName() const
{
    return NameOfSafeFileName(window);
}

std::optional<LogDayFile> LogDayFile::OfPath(const std::string &folder, const std::string &path)
{
    if (path.size() <= folder.size() + 1 || path.compare(0, folder.size(), folder) != 0 || path[folder.size()] != '/')
        return std::nullopt;
    const std::string rest = path.substr(folder.size() + 1);
    const size_t first = rest.find('/');
    const size_t second = first == std::string::npos ? first : rest.find('/', first + 1);
    if (second == std::string::npos || rest.find('/', second + 1) != std::string::npos || first == 0
        || second == first + 1)
        return std::nullopt;
    const std::optional<std::string> day = DayOfFileName(std::string_view(rest).substr(second + 1));
    if (!day)
        return std::nullopt;
    return LogDayFile{rest.substr(0, first), rest.substr(first + 1, second - first - 1), *day};
}

std::vector<LogDayFile> LogDayFile::ListIn(const std::string &folder)
{
    std::vector<LogDayFile> files;
    std::error_code error;
    for (const std::string &network : FoldersIn(folder))
        for (const std::string &window : FoldersIn(std::filesystem::path(folder) / network))
            for (const auto &entry :
                 std::filesystem::directory_iterator(std::filesystem::path(folder) / network / window, error))
                if (entry.is_regular_file(error))
                    if (const auto day = DayOfFileName(entry.path().filename().string()))
                        files.push_back({network, window, *day});
    std::sort(files.begin(), files.end(), [](const LogDayFile &a, const LogDayFile &b) {
        return std::tie(a.day, a.network, a.window) < std::tie(b.day, b.network, b.window);
    });
    return files;
}
