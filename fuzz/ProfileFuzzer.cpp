// libFuzzer target: arbitrary bytes as a settings file. Reading it must not
// crash, and writing one key must leave every other key of the file reading
// back as before, in file order.
#include "platform/Profile.h"

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kBudget = 1 << 20;
constexpr int kMaxChars = 1 << 20;
constexpr size_t kMaxSections = 6;

struct Snapshot
{
    std::string section;
    std::vector<std::string> keys;
    std::vector<std::optional<std::string>> values;
};

std::vector<std::string> SectionNames(const std::string &bytes)
{
    std::vector<std::string> names{"Base Settings"};
    size_t start = 0;
    while (start < bytes.size() && names.size() < kMaxSections) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        const size_t close = line.find(']');
        if (!line.empty() && line[0] == '[' && close != std::string::npos)
            names.push_back(line.substr(1, close - 1));
        start = end + 1;
    }
    return names;
}

Snapshot Take(const std::string &path, const std::string &section)
{
    Snapshot snapshot{section, Profile::SectionKeys(path, section, kBudget), {}};
    for (const std::string &key : snapshot.keys)
        snapshot.values.push_back(Profile::GetString(path, section, key, kMaxChars));
    return snapshot;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_profile";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = new QCoreApplication(argc, argv);
    static QTemporaryDir *dir = new QTemporaryDir;
    (void)app;

    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const std::string path = dir->filePath("brimo.conf").toStdString();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    Profile::ClearCache();

    std::vector<Snapshot> before;
    for (const std::string &section : SectionNames(bytes))
        if (Profile::IsStorableSection(section))
            before.push_back(Take(path, section));

    if (!Profile::SetString(path, "Fuzz Written", "Key", std::string("value")))
        return 0; // a file it cannot read is never replaced
    Profile::ClearCache();
    if (Profile::GetString(path, "Fuzz Written", "Key", kMaxChars) != std::optional<std::string>("value"))
        std::abort();
    for (const Snapshot &old : before) {
        if (QString::fromStdString(old.section).compare("Fuzz Written", Qt::CaseInsensitive) == 0)
            continue;
        const Snapshot now = Take(path, old.section);
        if (now.keys != old.keys || now.values != old.values)
            std::abort(); // a write changed what another key reads
    }
    return 0;
}
