#include "session/ServerEncoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace {

constexpr const char *kReplacement = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence that starts at text[i], 0 when it is not well-formed.
size_t SequenceLength(std::string_view text, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

#ifdef _WIN32
std::string DecodeWindows1250(std::string_view line)
{
    const int wideLength = MultiByteToWideChar(1250, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(1250, 0, line.data(), static_cast<int>(line.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}
#else
// One converter for the program's life: opening iconv is far dearer than converting a line.
iconv_t Converter()
{
    static iconv_t converter = iconv_open("UTF-8", "WINDOWS-1250");
    return converter;
}

std::string DecodeWindows1250(std::string_view line)
{
    iconv_t converter = Converter();
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(line); // no converter: better the raw bytes than nothing
    iconv(converter, nullptr, nullptr, nullptr, nullptr);

    std::string out;
    out.reserve(line.size() * 2);
    char buffer[1024];
    char *in = const_cast<char *>(line.data());
    size_t inLeft = line.size();
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // A byte without a character in the code page: mark it and go on.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}
#endif

} // namespace

bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string ServerLineToUtf8(std::string_view line)
{
    if (IsValidUtf8(line))
        return std::string(line);
    return DecodeWindows1250(line);
}
