// Builds string-file bytes for the text tests: 16-bit units, least
// significant byte first.
#pragma once

#include <string>

inline std::string utf16le(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}

// The byte-order mark as it starts a file: FF FE.
inline std::string byteOrderMark()
{
    return std::string("\xFF\xFE", 2);
}
