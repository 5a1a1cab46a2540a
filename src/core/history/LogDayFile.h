#pragma once

#include <optional>
#include <string>
#include <vector>

// One day's log of one window, named as on disk:
//   <folder>/<network>/<window>/<day>.log
// network and window are the folder names (SafeFileName of the server entry
// and of the folded window name), day is "YYYY-MM-DD".
struct LogDayFile
{
    std::string network;
    std::string window;
    std::string day;

    bool operator==(const LogDayFile &other) const = default;

    // The file's path under the logs' folder.
    std::string PathIn(const std::string &folder) const;
    // The names as the user knows them (escapes undone).
    std::string NetworkName() const;
    std::string WindowName() const;

    // The day file of a path under folder; none for anything else.
    static std::optional<LogDayFile> OfPath(const std::string &folder, const std::string &path);
    // Every day file under folder, oldest day first (then by network and
    // window), so that what is indexed first is what was said first.
    static std::vector<LogDayFile> ListIn(const std::string &folder);
};
