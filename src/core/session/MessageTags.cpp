#include "session/MessageTags.h"

#include <QDateTime>
#include <QString>

#include <algorithm>

std::string_view MessageTags::Split(std::string_view line, MessageTags &tags)
{
    tags.Clear();
    if (line.empty() || line.front() != '@')
        return line;
    const size_t blank = line.find(' ');
    const std::string_view section = line.substr(1, blank == std::string_view::npos ? line.npos : blank - 1);
    tags.Parse(section.substr(0, MaxBytes));
    if (blank == std::string_view::npos)
        return std::string_view();
    const size_t rest = line.find_first_not_of(' ', blank);
    return rest == std::string_view::npos ? std::string_view() : line.substr(rest);
}

void MessageTags::Parse(std::string_view section)
{
    while (!section.empty() && m_tags.size() < MaxTags) {
        const size_t end = section.find(';');
        const std::string_view tag = section.substr(0, end);
        section = end == std::string_view::npos ? std::string_view() : section.substr(end + 1);
        const size_t equals = tag.find('=');
        const std::string_view key = tag.substr(0, equals);
        if (key.empty())
            continue;
        const std::string value = equals == std::string_view::npos ? std::string() : Unescape(tag.substr(equals + 1));
        // A key given twice keeps its last value.
        auto same = std::find_if(m_tags.begin(), m_tags.end(), [&](const auto &entry) { return entry.first == key; });
        if (same != m_tags.end())
            same->second = value;
        else
            m_tags.emplace_back(std::string(key), value);
    }
}

std::string MessageTags::Unescape(std::string_view raw)
{
    std::string value;
    value.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            value += raw[i];
            continue;
        }
        if (++i == raw.size())
            break;
        switch (raw[i]) {
        case ':':
            value += ';';
            break;
        case 's':
            value += ' ';
            break;
        case 'r':
            value += '\r';
            break;
        case 'n':
            value += '\n';
            break;
        default:
            value += raw[i];
            break;
        }
    }
    return value;
}

bool MessageTags::Has(std::string_view key) const
{
    return std::any_of(m_tags.begin(), m_tags.end(), [&](const auto &entry) { return entry.first == key; });
}

std::string MessageTags::Value(std::string_view key) const
{
    for (const auto &entry : m_tags) {
        if (entry.first == key)
            return entry.second;
    }
    return std::string();
}

int64_t MessageTags::ServerTime() const
{
    const std::string text = Value("time");
    if (text.empty())
        return 0;
    QDateTime time = QDateTime::fromString(QString::fromStdString(text), Qt::ISODateWithMs);
    if (!time.isValid())
        return 0;
    const int64_t seconds = time.toSecsSinceEpoch();
    return seconds > 0 ? seconds : 0;
}
