// The text system's own string: a sequence of 16-bit units (UTF-16 code
// units, no surrogate handling). The string table keeps its texts in it and
// the text renderer splits, searches and rebuilds texts with it. A plain
// value type: copies are independent and the object owns all its memory.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

class TextString {
public:
    TextString() = default;
    // Copies the units up to the 0 unit; a null buffer gives an empty string.
    explicit TextString(const Uint16* units);
    // One unit per byte; bytes above 127 become the units 0x80 to 0xFF.
    explicit TextString(const char* text);

    int length() const { return static_cast<int>(m_units.size()); }

    // A zero-terminated copy of the units, valid until the string changes,
    // c_str is called again, or the string is destroyed.
    const Uint16* c_str() const;

    void push_back(Uint16 unit);
    TextString& operator+=(Uint16 unit);
    // Appends the units of a zero-terminated buffer (nothing for null).
    void appendUnits(const Uint16* units);
    TextString& operator+=(const Uint16* units);
    void append(const TextString& other);
    void assign(const Uint16* units);

    // Index of the first occurrence, or -1. An empty run is never found.
    int find(Uint16 unit) const;
    int findText(const Uint16* units) const;

    // count units from position; empty when the range leaves the string.
    TextString substr(int position, int count) const;
    // From position to the end; empty when position lies past the end.
    TextString substrFrom(int position) const;

    bool operator==(const TextString& other) const { return m_units == other.m_units; }
    bool operator!=(const TextString& other) const { return m_units != other.m_units; }

private:
    std::vector<Uint16> m_units;
    mutable std::vector<Uint16> m_terminated;
};

// The buffer's units followed by the string's.
TextString concatTextString(const Uint16* units, const TextString& text);

// The low byte of each unit up to the 0 unit (empty for null).
std::string toNarrowString(const Uint16* units);
