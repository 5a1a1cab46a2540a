#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Cuts received bytes into lines at LF. A line ended by CR LF loses its CR; a
// NUL byte ends the usable part of its chunk. A line never grows past
// MaxLine bytes: a longer line is cut there and the rest of it, up to its LF,
// is dropped, so a peer that never sends LF cannot make memory grow. A line
// that starts with "@" carries message tags first and may be longer by
// MaxTags bytes.
class LineAssembler
{
public:
    static constexpr size_t MaxLine = 4096;
    static constexpr size_t MaxTags = 8191;

    // Adds one received chunk; appends the lines it completes to lines.
    void Feed(const char *data, size_t size, std::vector<std::string> &lines);
    // Forgets the bytes waiting for the rest of their line.
    void Clear();
    // Bytes received after the last LF (at most MaxLine).
    const std::string &Partial() const { return m_partial; }
    bool IsDiscarding() const { return m_discarding; }

private:
    void Append(const char *data, size_t size);
    void EndLine(std::vector<std::string> &lines);

    std::string m_partial;
    bool m_discarding = false;
};
