// The input line's formatting: IRC formatting bytes to styled stretches and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How one stretch of the input line looks: text and background colour
// (0xRRGGBB), bold, underline.
struct InputCharFormat
{
    uint32_t color = 0x000000;
    uint32_t background = 0xFFFFFF;
    bool bold = false;
    bool underline = false;

    bool operator==(const InputCharFormat &other) const = default;
};

// A stretch of the input line's text (UTF-8) in one format.
struct InputRun
{
    std::string text;
    InputCharFormat format;

    bool operator==(const InputRun &other) const = default;
};

using InputRuns = std::vector<InputRun>;

// The conversion between the input line's formatted text and IRC text with
// formatting bytes, kept apart from the widget so that it can be checked on
// its own. "windowColor" is the background of an unformatted line.
class InputCodes
{
public:
    // The runs as IRC text: before each character whose colours, bold or
    // underline differ from the previous character's (the line starts black on
    // the window colour, plain) the codes 0x03 "fg,bg", 0x02, 0x1F are emitted
    // in that order; a digit right after a colour code is preceded by a blank.
    static std::string GetTextWithCodes(const InputRuns &runs, uint32_t windowColor);

    // IRC text as runs: 0x02 and 0x1F toggle bold and underline, 0x0F gives
    // black on white, 0x16 white on black, 0x03 reads up to two foreground
    // digits and, after a comma, up to two background digits (a comma without
    // digits means white). Other control bytes (CR, LF, NUL, ...) are dropped.
    static InputRuns SetTextWithCodes(std::string_view text, uint32_t windowColor);

    // The plain text of runs (no formatting).
    static std::string PlainText(const InputRuns &runs);

    // Text pasted into the input line as one line: CR LF, CR, LF and tab
    // become one blank each (a CR LF pair one blank), every other control
    // character (IRC formatting bytes included) is dropped.
    static std::string CleanPastedText(std::string_view text);
    // Text pasted into the input line as the lines it holds: cut at CR LF,
    // CR and LF, each cleaned as by CleanPastedText; lines of nothing but
    // blanks are left out.
    static std::vector<std::string> PastedLines(std::string_view text);

    // Number of characters (code points) of UTF-8 text.
    static int CharacterCount(std::string_view text);
};
