#include "engine/TextString.h"

namespace {
size_t unitCount(const Uint16* units)
{
    size_t n = 0;
    if (units)
        while (units[n] != 0)
            ++n;
    return n;
}
} // namespace

TextString::TextString(const Uint16* units)
{
    appendUnits(units);
}

TextString::TextString(const char* text)
{
    if (!text)
        return;
    for (const char* p = text; *p; ++p)
        m_units.push_back(static_cast<unsigned char>(*p));
}

const Uint16* TextString::c_str() const
{
    m_terminated.assign(m_units.begin(), m_units.end());
    m_terminated.push_back(0);
    return m_terminated.data();
}

void TextString::push_back(Uint16 unit)
{
    m_units.push_back(unit);
}

TextString& TextString::operator+=(Uint16 unit)
{
    push_back(unit);
    return *this;
}

void TextString::appendUnits(const Uint16* units)
{
    m_units.insert(m_units.end(), units, units + unitCount(units));
}

TextString& TextString::operator+=(const Uint16* units)
{
    appendUnits(units);
    return *this;
}

void TextString::append(const TextString& other)
{
    // Copy first: other may be this string.
    std::vector<Uint16> tail = other.m_units;
    m_units.insert(m_units.end(), tail.begin(), tail.end());
}

void TextString::assign(const Uint16* units)
{
    std::vector<Uint16> fresh(units, units + unitCount(units));
    m_units.swap(fresh);
}

int TextString::find(Uint16 unit) const
{
    for (size_t i = 0; i < m_units.size(); ++i)
        if (m_units[i] == unit)
            return static_cast<int>(i);
    return -1;
}

int TextString::findText(const Uint16* units) const
{
    size_t n = unitCount(units);
    if (n == 0 || n > m_units.size())
        return -1;
    for (size_t i = 0; i + n <= m_units.size(); ++i) {
        size_t k = 0;
        while (k < n && m_units[i + k] == units[k])
            ++k;
        if (k == n)
            return static_cast<int>(i);
    }
    return -1;
}

TextString TextString::substr(int position, int count) const
{
    TextString result;
    if (position < 0 || count < 0 || static_cast<long>(position) + count > length())
        return result;
    result.m_units.assign(m_units.begin() + position, m_units.begin() + position + count);
    return result;
}

TextString TextString::substrFrom(int position) const
{
    TextString result;
    if (position < 0 || position > length())
        return result;
    result.m_units.assign(m_units.begin() + position, m_units.end());
    return result;
}

TextString concatTextString(const Uint16* units, const TextString& text)
{
    TextString result(units);
    result.append(text);
    return result;
}

std::string toNarrowString(const Uint16* units)
{
    std::string result;
    size_t n = unitCount(units);
    result.reserve(n);
    for (size_t i = 0; i < n; ++i)
        result.push_back(static_cast<char>(units[i] & 0xFF));
    return result;
}
