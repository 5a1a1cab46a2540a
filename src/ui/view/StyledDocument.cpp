#include "view/StyledDocument.h"

#include <algorithm>

const QPixmap &InlineImage::pixmap() const
{
    if (!m_loaded) {
        m_loaded = true;
        QString path = m_source;
        if (path.startsWith(QLatin1String("file://")))
            path = path.mid(7);
        // Only local files: the view never fetches anything from a network.
        if (!path.contains(QLatin1String("://")))
            m_pixmap.load(path);
    }
    return m_pixmap;
}

QString LineText::mid(qsizetype from, qsizetype length) const
{
    const qsizetype total = size();
    from = std::clamp<qsizetype>(from, 0, total);
    length = std::clamp<qsizetype>(length, 0, total - from);
    if (!m_wide)
        return QString::fromLatin1(m_bytes.constData() + from, length);
    return QString(reinterpret_cast<const QChar *>(m_bytes.constData()) + from, length);
}

void LineText::append(QStringView text)
{
    if (!m_wide) {
        const bool narrow = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
        if (narrow) {
            const qsizetype at = m_bytes.size();
            m_bytes.resize(at + text.size());
            char *out = m_bytes.data() + at;
            for (QChar c : text)
                *out++ = char(c.unicode());
            return;
        }
        widen();
    }
    m_bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * qsizetype(sizeof(char16_t)));
}

void LineText::widen()
{
    QByteArray wide(m_bytes.size() * qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(wide.data());
    for (char c : std::as_const(m_bytes))
        *out++ = char16_t(static_cast<unsigned char>(c));
    m_bytes = std::move(wide);
    m_wide = true;
}

StyledDocument::StyledDocument()
{
    Clear();
}

void StyledDocument::Clear()
{
    // Swapped out rather than cleared, so that a cleared view gives its
    // memory back.
    std::deque<StyledLine>().swap(m_lines);
    m_lines.emplace_back();
    m_styles.clear();
    m_styleIndex.clear();
    std::deque<LinkTarget>().swap(m_links);
    m_linkIndex.clear();
    m_images.clear();
    m_imageIndex.clear();
    InternStyle(RunStyle());
}

void StyledDocument::NewLine(bool continues)
{
    // A finished line never grows again: its spare capacity would otherwise
    // stay with it for the life of the view.
    StyledLine &finished = m_lines.back();
    finished.m_text.squeeze();
    finished.m_runs.shrink_to_fit();
    m_lines.emplace_back().m_continues = continues;
}

void StyledDocument::EraseLines(int first, int count)
{
    count = std::clamp(count, 0, LineCount() - 1 - first);
    const auto begin = m_lines.begin() + first;
    m_lines.erase(begin, begin + count);
}

std::vector<int> StyledDocument::ForgetUnusedLinks(const std::vector<int> &alsoUsed)
{
    // Below this many a few unused links cost less than looking for them.
    static constexpr int kFewLinks = 4096;
    if (LinkCount() <= kFewLinks)
        return {};
    std::vector<int> renumbered(m_links.size(), -1);
    for (const StyledLine &line : m_lines)
        for (const StyledRun &run : line.m_runs)
            if (run.m_link >= 0)
                renumbered[size_t(run.m_link)] = 0;
    for (int link : alsoUsed)
        if (link >= 0 && link < LinkCount())
            renumbered[size_t(link)] = 0;
    const auto used = std::count(renumbered.begin(), renumbered.end(), 0);
    if (used * 2 > LinkCount())
        return {};
    std::deque<LinkTarget> kept;
    for (size_t old = 0; old < m_links.size(); ++old) {
        if (renumbered[old] == 0) {
            renumbered[old] = int(kept.size());
            kept.push_back(std::move(m_links[old]));
        }
    }
    m_links.swap(kept);
    m_linkIndex.clear();
    for (int index = 0; index < LinkCount(); ++index)
        IndexLink(index);
    for (StyledLine &line : m_lines)
        for (StyledRun &run : line.m_runs)
            if (run.m_link >= 0)
                run.m_link = renumbered[size_t(run.m_link)];
    return renumbered;
}

int StyledDocument::InternStyle(const RunStyle &style)
{
    // Foregrounds are opaque, so their alpha byte is free for the flags.
    const uint64_t key = (uint64_t(style.m_foreground & 0xFFFFFF) << 32) | uint64_t(style.m_background)
        | (uint64_t(style.m_bold) << 56) | (uint64_t(style.m_underline) << 57);
    auto [it, inserted] = m_styleIndex.try_emplace(key, int(m_styles.size()));
    if (inserted) {
        // More styles than a run can name share the last one; colour codes
        // from the network could otherwise grow the table without end.
        if (m_styles.size() >= 0xFFFF) {
            m_styleIndex.erase(it);
            return int(m_styles.size()) - 1;
        }
        m_styles.push_back(style);
    }
    return it->second;
}

namespace {

uint64_t LinkKey(const LinkTarget &link)
{
    return (uint64_t(qHash(link.m_command)) << 32) ^ uint64_t(qHash(link.m_title));
}

} // namespace

void StyledDocument::IndexLink(int index)
{
    m_linkIndex.try_emplace(LinkKey(m_links[size_t(index)]), index);
}

int StyledDocument::AddLink(const LinkTarget &link)
{
    // The same nick or channel comes back on many lines: one copy serves all.
    auto [it, inserted] = m_linkIndex.try_emplace(LinkKey(link), int(m_links.size()));
    if (!inserted) {
        const LinkTarget &known = m_links[size_t(it->second)];
        if (known.m_command == link.m_command && known.m_title == link.m_title)
            return it->second;
    }
    m_links.push_back(link);
    return int(m_links.size()) - 1;
}

int StyledDocument::InternImage(const QString &source, int width, int height, const QString &copyText)
{
    const QString key =
        source + QLatin1Char('\n') + QString::number(width) + QLatin1Char('x') + QString::number(height);
    auto [it, inserted] = m_imageIndex.try_emplace(key, int(m_images.size()));
    if (inserted) {
        InlineImage image;
        image.m_source = source;
        image.m_copyText = copyText;
        image.m_width = width;
        image.m_height = height;
        m_images.push_back(image);
    }
    return it->second;
}

QString StyledDocument::CopyText(int line, int from, int to) const
{
    const StyledLine &styled = Line(line);
    from = std::clamp(from, 0, int(styled.m_text.size()));
    to = std::clamp(to, from, int(styled.m_text.size()));
    if (styled.m_imageCount == 0)
        return styled.m_text.mid(from, to - from);
    QString text;
    for (const StyledRun &run : styled.m_runs) {
        const int start = std::max(from, int(run.m_start));
        const int end = std::min(to, int(run.m_start + run.m_length));
        if (start >= end)
            continue;
        if (run.m_image >= 0)
            text += Image(run.m_image).m_copyText;
        else
            text += styled.m_text.mid(start, end - start);
    }
    return text;
}
