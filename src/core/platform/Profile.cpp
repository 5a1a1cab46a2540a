#include "platform/Profile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "text/CaseFold.h"

namespace {

// A configuration file is small; anything bigger is treated as unreadable
// rather than read into memory.
constexpr qint64 kMaxFileSize = 32 * 1024 * 1024;

// A file changed this recently may change again within the resolution of its
// time stamp, so its cached copy is not trusted.
constexpr auto kRacyWindow = std::chrono::seconds(2);

// The program uses one file; tests use many folders, one after another.
constexpr size_t kMaxCachedFiles = 8;

struct Line
{
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    std::string text;   // the line as it will be written back
    std::string name;   // section or key, trimmed
    std::string folded; // name folded for comparison without regard to case
    std::string value;  // trimmed value of a key line
};

struct Document
{
    std::vector<Line> lines;
    bool crlf = false;
    bool bom = false;
};

enum class LoadResult { Missing, Loaded, Unreadable };

struct FileStamp
{
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type mtime{};
    bool operator==(const FileStamp &) const = default;
};

struct CacheEntry
{
    FileStamp stamp;
    std::filesystem::file_time_type loadedAt{};
    std::shared_ptr<const Document> document;
};

std::mutex g_cacheMutex;
std::map<std::string, CacheEntry> g_cache;

std::string Trim(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::filesystem::path FsPath(const std::string &path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

// Lines that are not UTF-8 come from files written in the old ANSI code page.
std::string DecodeLine(const QByteArray &raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (utf8.hasError()) {
        QStringDecoder cp1250("windows-1250");
        text = cp1250.isValid() ? cp1250(raw) : QString::fromUtf8(raw);
    }
    std::string line = text.toStdString();
    for (char &c : line) {
        if (c == '\0')
            c = ' ';
    }
    return line;
}

Line ParseLine(std::string text)
{
    Line line;
    const std::string trimmed = Trim(text);
    const auto equals = trimmed.find('=');
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']' && equals == std::string::npos) {
        line.kind = Line::Section;
        line.name = Trim(trimmed.substr(1, trimmed.size() - 2));
    } else if (equals != std::string::npos && equals > 0) {
        line.kind = Line::Key;
        line.name = Trim(trimmed.substr(0, equals));
        line.value = Trim(trimmed.substr(equals + 1));
    }
    if (line.kind != Line::Other)
        line.folded = FoldCase(line.name);
    line.text = std::move(text);
    return line;
}

Document ParseDocument(QByteArray bytes)
{
    Document document;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        document.bom = true;
        bytes.remove(0, 3);
    }
    document.crlf = bytes.contains("\r\n");
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        document.lines.push_back(ParseLine(DecodeLine(bytes.mid(start, end - start))));
        if (end + 1 < size && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return document;
}

QByteArray SerializeDocument(const Document &document)
{
    QByteArray bytes;
    if (document.bom)
        bytes.append("\xEF\xBB\xBF");
    const char *eol = document.crlf ? "\r\n" : "\n";
    for (const Line &line : document.lines) {
        bytes.append(line.text.data(), qsizetype(line.text.size()));
        bytes.append(eol);
    }
    return bytes;
}

FileStamp StampOf(const std::string &path)
{
    FileStamp stamp;
    std::error_code error;
    const auto fsPath = FsPath(path);
    if (!std::filesystem::is_regular_file(fsPath, error))
        return stamp;
    stamp.size = std::filesystem::file_size(fsPath, error);
    if (error)
        return stamp;
    stamp.mtime = std::filesystem::last_write_time(fsPath, error);
    stamp.exists = !error;
    return stamp;
}

bool PathExists(const std::string &path)
{
    std::error_code error;
    // When even that cannot be told, the file may well be there.
    return std::filesystem::exists(FsPath(path), error) || error;
}

bool IsTrusted(const CacheEntry &entry, const FileStamp &stamp)
{
    return entry.stamp == stamp && entry.loadedAt - stamp.mtime > kRacyWindow;
}

// The parsed file, from the cache when the file has not changed since.
LoadResult Load(const std::string &path, std::shared_ptr<const Document> &document)
{
    const FileStamp stamp = StampOf(path);
    if (!stamp.exists) {
        document = std::make_shared<const Document>();
        return PathExists(path) ? LoadResult::Unreadable : LoadResult::Missing;
    }
    {
        std::lock_guard lock(g_cacheMutex);
        const auto found = g_cache.find(path);
        if (found != g_cache.end() && IsTrusted(found->second, stamp)) {
            document = found->second.document;
            return LoadResult::Loaded;
        }
    }
    QFile file(QString::fromStdString(path));
    if (stamp.size > std::uintmax_t(kMaxFileSize) || !file.open(QIODevice::ReadOnly)) {
        document = std::make_shared<const Document>();
        return LoadResult::Unreadable;
    }
    // readAll reserves the file's own size; read(kMaxFileSize + 1) would
    // reserve the whole limit on every load.
    const QByteArray bytes = file.readAll();
    if (bytes.size() > kMaxFileSize || file.error() != QFileDevice::NoError) {
        document = std::make_shared<const Document>();
        return LoadResult::Unreadable;
    }
    document = std::make_shared<const Document>(ParseDocument(bytes));
    std::lock_guard lock(g_cacheMutex);
    if (g_cache.size() >= kMaxCachedFiles)
        g_cache.clear();
    g_cache[path] = CacheEntry{stamp, std::filesystem::file_time_type::clock::now(), document};
    return LoadResult::Loaded;
}

bool InSection(const Line &line, const std::string &foldedSection)
{
    return line.kind == Line::Section && line.folded == foldedSection;
}

// Calls visit(index) for every line inside the sections of that name.
template <typename Visit>
void ForEachLineOfSection(const Document &document, const std::string &section, Visit visit)
{
    const std::string folded = FoldCase(Trim(section));
    bool inside = false;
    for (size_t i = 0; i < document.lines.size(); ++i) {
        const Line &line = document.lines[i];
        if (line.kind == Line::Section) {
            inside = InSection(line, folded);
            continue;
        }
        if (inside)
            visit(i);
    }
}

std::string CutToCharacters(const std::string &text, int maxChars)
{
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && count++ == maxChars)
            return text.substr(0, i);
    }
    return text;
}

int CountCharacters(const std::string &text)
{
    int count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string SanitizeValue(std::string value)
{
    for (char &c : value) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return value;
}

// Where a new key goes: after the last non-empty line of the first section of
// that name; 0 when there is no such section.
size_t InsertionPoint(const Document &document, const std::string &section)
{
    const std::string folded = FoldCase(Trim(section));
    size_t i = 0;
    while (i < document.lines.size() && !InSection(document.lines[i], folded))
        ++i;
    if (i == document.lines.size())
        return 0;
    size_t point = ++i;
    for (; i < document.lines.size() && document.lines[i].kind != Line::Section; ++i) {
        if (!Trim(document.lines[i].text).empty())
            point = i + 1;
    }
    return point;
}

// Applies a set or delete to a copy of the document; false when nothing changes.
bool Edit(Document &document, const std::string &section, const std::string &key,
          const std::optional<std::string> &value)
{
    const std::string foldedKey = FoldCase(Trim(key));
    std::vector<size_t> matches;
    ForEachLineOfSection(document, section, [&](size_t i) {
        const Line &line = document.lines[i];
        if (line.kind == Line::Key && line.folded == foldedKey)
            matches.push_back(i);
    });
    if (!value && matches.empty())
        return false;
    const Line newLine = value ? ParseLine(Trim(key) + "=" + SanitizeValue(*value)) : Line{};
    if (value && matches.size() == 1 && document.lines[matches[0]].text == newLine.text)
        return false;
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        if (value && *it == matches.front())
            document.lines[*it] = newLine;
        else
            document.lines.erase(document.lines.begin() + std::ptrdiff_t(*it));
    }
    if (!value || !matches.empty())
        return true;
    const size_t point = InsertionPoint(document, section);
    if (point != 0) {
        document.lines.insert(document.lines.begin() + std::ptrdiff_t(point), newLine);
        return true;
    }
    if (!document.lines.empty() && !Trim(document.lines.back().text).empty())
        document.lines.push_back(ParseLine(std::string()));
    document.lines.push_back(ParseLine("[" + Trim(section) + "]"));
    document.lines.push_back(newLine);
    return true;
}

// A folder the program creates for its file is its owner's only; one that
// exists is left as it is.
bool MakeOwnerOnlyFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool SaveAtomically(const std::string &path, const Document &document)
{
    const QString fileName = QString::fromStdString(path);
    if (!MakeOwnerOnlyFolder(QFileInfo(fileName).absolutePath()))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
#ifdef Q_OS_UNIX
    // The file holds passwords: after every write it is readable by its
    // owner only, also when someone else made it with wider permissions.
    if (::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0) {
        file.cancelWriting();
        return false;
    }
#endif
    const QByteArray bytes = SerializeDocument(document);
    // QSaveFile buffers what is written and does not count a failure of the
    // flush at commit as a failed write: it would put a cut file in place of
    // the whole one (a full disk). The flush is checked here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

std::optional<std::string> Profile::GetString(const std::string &path, const std::string &section,
                                              const std::string &key, int maxChars)
{
    std::shared_ptr<const Document> document;
    if (Load(path, document) != LoadResult::Loaded)
        return std::nullopt;
    const std::string foldedKey = FoldCase(Trim(key));
    std::optional<std::string> result;
    ForEachLineOfSection(*document, section, [&](size_t i) {
        const Line &line = document->lines[i];
        if (!result && line.kind == Line::Key && line.folded == foldedKey)
            result = CutToCharacters(line.value, std::max(0, maxChars));
    });
    return result;
}

std::vector<std::string> Profile::SectionKeys(const std::string &path, const std::string &section, int budgetChars)
{
    std::vector<std::string> keys;
    std::shared_ptr<const Document> document;
    if (Load(path, document) != LoadResult::Loaded)
        return keys;
    std::vector<std::string> seen;
    int remaining = budgetChars - 1; // the list ends with one more terminator
    bool full = false;
    ForEachLineOfSection(*document, section, [&](size_t i) {
        const Line &line = document->lines[i];
        if (full || (line.kind == Line::Other && Trim(line.text).empty()))
            return;
        const std::string entry = line.kind == Line::Key ? line.name + "=" + line.value : Trim(line.text);
        const int length = CountCharacters(entry) + 1;
        bool keyFits = true;
        if (length > remaining) {
            full = true;
            keyFits = CountCharacters(line.name) < remaining - 1;
        }
        remaining -= length;
        if (line.kind != Line::Key || !keyFits)
            return;
        for (const std::string &other : seen) {
            if (other == line.folded)
                return;
        }
        seen.push_back(line.folded);
        keys.push_back(line.name);
    });
    return keys;
}

bool Profile::SetString(const std::string &path, const std::string &section, const std::string &key,
                        const std::optional<std::string> &value)
{
    return Apply(path, {Change{section, key, value}});
}

bool Profile::Apply(const std::string &path, const std::vector<Change> &changes)
{
    for (const Change &change : changes)
        if (!IsStorableSection(change.section) || !IsStorableKey(change.key))
            return false;
    std::shared_ptr<const Document> current;
    const LoadResult loaded = Load(path, current);
    if (loaded == LoadResult::Unreadable)
        return false;
    Document edited = *current;
    bool changed = false;
    for (const Change &change : changes)
        changed = Edit(edited, change.section, change.key, change.value) || changed;
    if (!changed)
        return true;
    if (!SaveAtomically(path, edited))
        return false;
    std::lock_guard lock(g_cacheMutex);
    g_cache.erase(path);
    return true;
}

Profile::FileState Profile::State(const std::string &path)
{
    const auto fsPath = FsPath(path);
    std::error_code error;
    if (!std::filesystem::exists(fsPath, error))
        return error ? FileState::NotReadable : FileState::Missing;
    if (!std::filesystem::is_regular_file(fsPath, error))
        return FileState::NotAFile;
    const std::uintmax_t size = std::filesystem::file_size(fsPath, error);
    if (!error && size > std::uintmax_t(kMaxFileSize))
        return FileState::TooLarge;
    QFile file(QString::fromStdString(path));
    return !error && file.open(QIODevice::ReadOnly) ? FileState::Readable : FileState::NotReadable;
}

bool Profile::CreateIfMissing(const std::string &path)
{
    if (QFileInfo::exists(QString::fromStdString(path)))
        return true;
    if (!SaveAtomically(path, Document()))
        return false;
    std::lock_guard lock(g_cacheMutex);
    g_cache.erase(path);
    return true;
}

bool Profile::IsStorableSection(const std::string &section)
{
    const std::string name = Trim(section);
    return !name.empty() && name.find_first_of(std::string("=]\r\n\0", 5)) == std::string::npos;
}

bool Profile::IsStorableKey(const std::string &key)
{
    const std::string name = Trim(key);
    return !name.empty() && name.find_first_of(std::string("=\r\n\0", 4)) == std::string::npos;
}

void Profile::ClearCache()
{
    std::lock_guard lock(g_cacheMutex);
    g_cache.clear();
}
