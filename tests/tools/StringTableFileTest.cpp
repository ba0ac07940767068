// Reads the built string table the way the game does (16-bit units, lines
// at CR or LF, "#", "!" and "@" lines, fields at "|", an end marker after the
// last unit) and checks that every id the program renders is there and fits
// its box in the shipped font.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct Entry {
    std::u16string text;
    std::string font;
    int size = 0, r = 0, g = 0, b = 0, spacing = 0;
};

struct Table {
    std::map<int, Entry> entries;
    int badLine = 0;  // line number of the first unparsable line, 0 when none
};

int narrowNumber(const std::u16string& field)
{
    size_t i = 0;
    while (i < field.size() && (field[i] & 0xFF) == ' ')
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] & 0xFF) == '-') {
        negative = true;
        ++i;
    }
    int v = 0;
    for (; i < field.size(); ++i) {
        const int c = field[i] & 0xFF;
        if (c < '0' || c > '9')
            break;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

Table parse(const std::string& bytes)
{
    Table t;
    std::vector<char16_t> units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    size_t start = (!units.empty() && units[0] == 0xFEFF) ? 1 : 0;
    Entry font;
    bool lineStart = true, lineEnded = false;
    int lineNo = 0, field = 0, id = 0;
    char16_t kind = 0;
    std::u16string buf;
    auto closeField = [&]() {
        if (kind == '!') {
            switch (field) {
            case 1: font.font.clear(); for (char16_t c : buf) font.font += static_cast<char>(c & 0xFF); break;
            case 2: font.size = narrowNumber(buf); break;
            case 3: font.r = narrowNumber(buf); break;
            case 4: font.g = narrowNumber(buf); break;
            case 5: font.b = narrowNumber(buf); break;
            case 6: font.spacing = narrowNumber(buf); break;
            }
        } else if (kind == '@') {
            if (field == 1)
                id = narrowNumber(buf);
            else if (field == 2) {
                Entry e = font;
                e.text = buf;
                t.entries[id] = e;
            }
        }
        ++field;
        buf.clear();
    };
    for (size_t i = start; i <= units.size(); ++i) {
        const bool end = i == units.size();
        const char16_t u = end ? 0 : units[i];
        const bool lineBreak = u == 0x0D || u == 0x0A;
        if (!lineStart && (kind == '!' || kind == '@')) {
            if (u == '|' || lineBreak || (end && !lineEnded))
                closeField();
            else
                buf += u;
        }
        if (lineBreak) {
            lineStart = true;
            lineEnded = true;
        } else if (lineStart) {
            lineStart = false;
            lineEnded = false;
            ++lineNo;
            field = 1;
            buf.clear();
            kind = u;
            if (u != '#' && u != '!' && u != '@') {
                t.badLine = lineNo;
                return t;
            }
        }
    }
    return t;
}

std::string readTable()
{
    return testsupport::readFile(testsupport::runDir() + "/resource5.dat");
}

std::vector<int> idsTheProgramUses()
{
    std::vector<int> ids = {100, 300, 500, 501, 502, 1501, 2214, 2215, 2323, 2324, 2706,
                            3001, 3002, 3003, 3004, 3005};
    for (int i = 3600; i <= 3618; ++i)
        ids.push_back(i);
    for (int i = 3620; i <= 3622; ++i)
        ids.push_back(i);
    for (int i = 20010; i <= 20027; ++i)
        ids.push_back(i);
    return ids;
}

TEST(StringTableReader, FollowsTheLineAndFieldRules)
{
    auto u16 = [](const std::u16string& s) {
        std::string b;
        for (char16_t c : s) {
            b += static_cast<char>(c & 0xFF);
            b += static_cast<char>(c >> 8);
        }
        return b;
    };
    const std::u16string good = u"\xFEFF!font.ttf|24|255|255|255|2\n@5|Hello";
    Table t = parse(u16(good));
    ASSERT_EQ(t.badLine, 0);
    ASSERT_EQ(t.entries.count(5), 1u);
    EXPECT_EQ(t.entries[5].text, u"Hello");
    EXPECT_EQ(t.entries[5].font, "font.ttf");
    EXPECT_EQ(t.entries[5].size, 24);
    EXPECT_EQ(t.entries[5].spacing, 2);
    EXPECT_EQ(parse(u16(good + u"\n")).badLine, 3);
    EXPECT_EQ(parse(u16(u"#c\nx")).badLine, 2);
    t = parse(u16(u"!f|1|0|0|0|0\r\n@5|a\r\n\r\n#note\n@5|b"));
    EXPECT_EQ(t.badLine, 0);
    EXPECT_EQ(t.entries[5].text, u"b");
}

TEST(StringTableFile, ParsesAndEndsWithoutALineBreak)
{
    const std::string bytes = readTable();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.size() % 2, 0u);
    const char16_t last = static_cast<char16_t>(static_cast<uint8_t>(bytes[bytes.size() - 2]) |
                                                (static_cast<uint8_t>(bytes.back()) << 8));
    EXPECT_NE(last, 0x0A);
    EXPECT_NE(last, 0x0D);
    const Table t = parse(bytes);
    EXPECT_EQ(t.badLine, 0);
}

TEST(StringTableFile, DefinesEveryIdWithTheShippedFont)
{
    const Table t = parse(readTable());
    for (int id : idsTheProgramUses()) {
        ASSERT_EQ(t.entries.count(id), 1u) << "missing string " << id;
        const Entry& e = t.entries.at(id);
        EXPECT_FALSE(e.text.empty()) << id;
        EXPECT_EQ(e.font, "resource6.dat") << id;
        EXPECT_GT(e.size, 0) << id;
        // Styles are not reset between texts: every toggle must be closed.
        for (const char16_t* code : {u"%b", u"%i", u"%u"}) {
            int n = 0;
            for (size_t p = e.text.find(code); p != std::u16string::npos; p = e.text.find(code, p + 2))
                ++n;
            EXPECT_EQ(n % 2, 0) << id;
        }
    }
}

// Lays the text out the way the renderer does (words carry their trailing
// blank; a word wraps when the line would reach the box width) and returns
// the number of lines and the widest line.
struct Layout {
    int lines = 0, widest = 0;
};

Layout layout(TTF_Font* font, const std::u16string& text, int boxWidth)
{
    std::vector<std::u16string> words;
    std::u16string cur;
    for (char16_t c : text) {
        cur += c;
        if (c == u' ') {
            words.push_back(cur);
            cur.clear();
        }
    }
    if (!cur.empty())
        words.push_back(cur);
    Layout l;
    int line = 0;
    bool empty = true;
    for (const std::u16string& w : words) {
        std::vector<Uint16> z(w.begin(), w.end());
        z.push_back(0);
        int ww = 0, wh = 0;
        TTF_SizeUNICODE(font, z.data(), &ww, &wh);
        if (!empty && line + ww >= boxWidth) {
            l.widest = std::max(l.widest, line);
            ++l.lines;
            line = 0;
        }
        line += ww;
        empty = false;
    }
    if (!empty) {
        l.widest = std::max(l.widest, line);
        ++l.lines;
    }
    return l;
}

TEST(StringTableFile, TextsFitTheirBoxes)
{
    const Table t = parse(readTable());
    ASSERT_EQ(TTF_Init(), 0);
    struct Box { int id, w, h; };
    std::vector<Box> boxes = {{3004, 300, 30}, {3005, 300, 30}, {2706, 136, 30}, {3001, 210, 60},
                              {3002, 300, 60}, {3003, 300, 60}, {2214, 450, 50}, {2215, 450, 50},
                              {2323, 350, 120}, {2324, 350, 120}, {1501, 686, 40}, {502, 409, 445}};
    for (int id : idsTheProgramUses())
        if ((id >= 3600 && id <= 3622) || id >= 20010)
            boxes.push_back({id, 186, 29});
    const std::string fontPath = testsupport::runDir() + "/resource6.dat";
    for (const Box& box : boxes) {
        ASSERT_EQ(t.entries.count(box.id), 1u) << box.id;
        const Entry& e = t.entries.at(box.id);
        TTF_Font* font = TTF_OpenFont(fontPath.c_str(), e.size);
        ASSERT_NE(font, nullptr) << TTF_GetError();
        std::u16string text = e.text;
        for (const char16_t* code : {u"%b", u"%i", u"%u"})
            for (size_t p; (p = text.find(code)) != std::u16string::npos;)
                text.erase(p, 2);
        const Layout l = layout(font, text, box.w);
        const int H = TTF_FontHeight(font);
        EXPECT_LT(l.widest, box.w) << box.id;
        EXPECT_LE(l.lines * H + (l.lines - 1) * e.spacing, box.h) << box.id << " takes " << l.lines << " lines";
        if (box.h < 40) { // single-line boxes
            EXPECT_EQ(l.lines, 1) << box.id;
        }
        TTF_CloseFont(font);
    }
    TTF_Quit();
}

} // namespace
