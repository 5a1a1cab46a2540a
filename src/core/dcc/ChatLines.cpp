#include "dcc/ChatLines.h"

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

size_t ChatLines::CutPoint(const std::string &text)
{
    size_t cut = MaxLine;
    // A sequence is at most 4 bytes: look back no further than 3.
    for (size_t back = 0; back < 3 && cut > 0 && IsContinuationByte(text[cut]); ++back)
        --cut;
    return IsContinuationByte(text[cut]) || cut == 0 ? MaxLine : cut;
}

void ChatLines::Feed(const char *data, size_t size, std::vector<std::string> &lines)
{
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            if (!m_partial.empty() && m_partial.back() == '\r')
                m_partial.pop_back();
            lines.push_back(std::move(m_partial));
            m_partial.clear();
            continue;
        }
        m_partial.push_back(c);
        // One byte more than a line holds: the piece before the cut goes now.
        if (m_partial.size() > MaxLine) {
            const size_t cut = CutPoint(m_partial);
            lines.push_back(m_partial.substr(0, cut));
            m_partial.erase(0, cut);
        }
    }
}

std::vector<std::string> ChatLines::Split(const std::string &text)
{
    std::vector<std::string> lines;
    std::string rest = text;
    while (rest.size() > MaxLine) {
        const size_t cut = CutPoint(rest);
        lines.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
    }
    lines.push_back(rest);
    return lines;
}
