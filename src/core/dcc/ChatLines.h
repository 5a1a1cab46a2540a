#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Cuts the bytes of a DCC chat into lines at LF (a CR before it is dropped).
// A line longer than MaxLine bytes is handed on in pieces of at most MaxLine
// bytes, cut before a UTF-8 sequence rather than inside it, so a long line
// keeps its tail and memory stays bounded whatever the peer sends.
class ChatLines
{
public:
    static constexpr size_t MaxLine = 4096;

    // Adds one received chunk; appends the lines (and pieces) it completes.
    void Feed(const char *data, size_t size, std::vector<std::string> &lines);
    // Bytes received after the last LF (fewer than MaxLine).
    const std::string &Partial() const { return m_partial; }

    // Text to send as lines of at most MaxLine bytes each (without CR LF),
    // cut as received lines are; an empty text is one empty line.
    static std::vector<std::string> Split(const std::string &text);

private:
    // Where a text longer than MaxLine is cut: at MaxLine, moved back to the
    // start of a UTF-8 sequence.
    static size_t CutPoint(const std::string &text);

    std::string m_partial;
};
