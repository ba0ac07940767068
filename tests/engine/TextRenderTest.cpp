#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <csignal>
#include <unistd.h>

#include "engine/TextRender.h"
#include "StringFileBytes.h"
#include "test_support.h"

using testsupport::ScopedChdir;
using testsupport::TempDir;

namespace {

const char* const SYSTEM_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const int POINT_SIZE = 20;

Uint32 pixelAt(SDL_Surface* s, int x, int y)
{
    return static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
}

Uint8 alphaAt(SDL_Surface* s, int x, int y)
{
    Uint8 r, g, b, a;
    SDL_GetRGBA(pixelAt(s, x, y), s->format, &r, &g, &b, &a);
    return a;
}

// The rectangle of pixels that are not fully transparent.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool any() const { return right >= 0; }
};

Ink inkOf(SDL_Surface* s)
{
    Ink ink;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            if (alphaAt(s, x, y) != 0) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

// One rendered piece of an expected block: its pixels in columns
// [0, width) and in the rows of one text line land at (dx, dy).
struct Piece {
    SDL_Surface* surface;
    int dx, dy, width;
};

// Every pixel of block must be the pixel of the piece covering it, or fully
// transparent where no piece lies (word surfaces carry the text colour in
// their transparent pixels, so only the alpha is compared there).
::testing::AssertionResult composedOf(SDL_Surface* block, const std::vector<Piece>& pieces, int lineHeight)
{
    if (!block)
        return ::testing::AssertionFailure() << "no block";
    int mismatches = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < block->h; ++y) {
        for (int x = 0; x < block->w; ++x) {
            const Piece* cover = nullptr;
            int sx = 0, sy = 0;
            for (const Piece& p : pieces) {
                sx = x - p.dx;
                sy = y - p.dy;
                if (sx >= 0 && sx < p.width && sx < p.surface->w && sy >= 0 && sy < lineHeight &&
                    sy < p.surface->h) {
                    cover = &p;
                    break;
                }
            }
            bool same = cover ? pixelAt(block, x, y) == pixelAt(cover->surface, sx, sy) : alphaAt(block, x, y) == 0;
            if (!same && mismatches++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    if (mismatches == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatches << " pixels differ, first at (" << firstX << ", " << firstY
                                         << ")";
}

class TextRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_TRUE(testsupport::fileExists(SYSTEM_FONT)) << "install fonts-dejavu-core";
        testsupport::writeFile(dir.file("font.ttf"), testsupport::readFile(SYSTEM_FONT));
        testsupport::writeFile(dir.file("strings.dat"),
                               byteOrderMark() + utf16le(u"!font.ttf|20|200|10|30|4\n"
                                                         u"@1|Score %1\n"
                                                         u"@2|%1\n"
                                                         u"@3|One%nTwo\n"
                                                         u"!font.ttf|20|0|0|0|0\n"
                                                         u"@4|Hello%n"));
        initFontSystem((dir.path() + "/").c_str(), dir.file("strings.dat").c_str());
        font = TTF_OpenFont(dir.file("font.ttf").c_str(), POINT_SIZE);
        ASSERT_NE(font, nullptr);
        fontHeight = TTF_FontHeight(font);
    }

    void TearDown() override
    {
        for (SDL_Surface* s : surfaces)
            SDL_FreeSurface(s);
        if (font)
            TTF_CloseFont(font);
        shutdownFontSystem();
        SDL_Quit();
    }

    // The width SDL_ttf gives a word in the given style.
    int widthOf(const std::u16string& word, int style = TTF_STYLE_NORMAL)
    {
        TTF_SetFontStyle(font, style);
        std::u16string z = word;
        int w = 0, h = 0;
        TTF_SizeUNICODE(font, reinterpret_cast<const Uint16*>(z.c_str()), &w, &h);
        return w;
    }

    // Keeps the block for freeing at the end of the test.
    SDL_Surface* keep(SDL_Surface* s)
    {
        if (s)
            surfaces.push_back(s);
        return s;
    }

    SDL_Surface* render(int width, int height, int align, const std::u16string& text, int spacing = 4,
                        const char* narrow1 = nullptr, const Uint16* wide1 = nullptr)
    {
        return keep(renderTextBlock(width, height, align, spacing, "font.ttf", POINT_SIZE, 200, 10, 30,
                                    reinterpret_cast<const Uint16*>(text.c_str()), wide1, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, narrow1));
    }

    ::testing::AssertionResult composed(SDL_Surface* block, const std::vector<Piece>& pieces)
    {
        return composedOf(block, pieces, fontHeight);
    }

    TempDir dir;
    TTF_Font* font = nullptr;
    int fontHeight = 0;
    std::vector<SDL_Surface*> surfaces;
};

} // namespace

TEST_F(TextRender, BlockHasTheBoxSizeATransparentBackgroundAndTheTextColour)
{
    SDL_Surface* block = render(300, 80, 0, u"Hello");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->w, 300);
    EXPECT_EQ(block->h, 80);
    ASSERT_NE(block->format->Amask, 0u);
    EXPECT_EQ(alphaAt(block, 299, 79), 0);
    Ink ink = inkOf(block);
    ASSERT_TRUE(ink.any());
    EXPECT_LT(ink.right, widthOf(u"Hello"));
    EXPECT_LT(ink.bottom, fontHeight);
    bool solid = false;
    for (int y = 0; y < block->h && !solid; ++y)
        for (int x = 0; x < block->w && !solid; ++x) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(pixelAt(block, x, y), block->format, &r, &g, &b, &a);
            if (a == 255) {
                solid = true;
                EXPECT_NEAR(r, 200, 2);
                EXPECT_NEAR(g, 10, 2);
                EXPECT_NEAR(b, 30, 2);
            }
        }
    EXPECT_TRUE(solid);
    EXPECT_EQ(getTextEndX(), widthOf(u"Hello"));
    EXPECT_EQ(getTextEndY(), 0);
}

TEST_F(TextRender, WordWrapsWhenTheLineWouldReachTheBoxWidth)
{
    int first = widthOf(u"Wide ");
    int second = widthOf(u"end");
    SDL_Surface* wideAlone = render(400, 100, 0, u"Wide ");
    SDL_Surface* endAlone = render(400, 100, 0, u"end");

    // Exactly the box width: the second word goes to line 2.
    SDL_Surface* wrapped = render(first + second, 100, 0, u"Wide end");
    EXPECT_TRUE(composed(wrapped, {{wideAlone, 0, 0, first}, {endAlone, 0, fontHeight + 4, second}}));
    EXPECT_EQ(getTextEndX(), second);
    EXPECT_EQ(getTextEndY(), fontHeight + 4);

    // One pixel more and both stay on line 1.
    SDL_Surface* oneLine = render(first + second + 1, 100, 0, u"Wide end");
    EXPECT_TRUE(composed(oneLine, {{wideAlone, 0, 0, first}, {endAlone, first, 0, second}}));
    EXPECT_EQ(getTextEndX(), first + second);
    EXPECT_EQ(getTextEndY(), 0);
}

TEST_F(TextRender, FirstWordOfALineNeverWraps)
{
    const std::u16string word = u"Extraordinarily";
    int wide = widthOf(word);
    SDL_Surface* full = render(400, 100, 0, word);

    // Cut off by the block's edge, still on line 1.
    SDL_Surface* cut = render(40, 100, 0, word);
    EXPECT_TRUE(composed(cut, {{full, 0, 0, wide}}));
    EXPECT_EQ(getTextEndX(), wide);
    EXPECT_EQ(getTextEndY(), 0);
    EXPECT_EQ(inkOf(cut).right, 39);

    // After a wrap it is the first word of line 2 and stays there.
    SDL_Surface* a = render(400, 100, 0, u"a ");
    SDL_Surface* second = render(40, 100, 0, u"a " + word);
    EXPECT_TRUE(composed(second, {{a, 0, 0, widthOf(u"a ")}, {full, 0, fontHeight + 4, wide}}));
    EXPECT_EQ(getTextEndY(), fontHeight + 4);
}

TEST_F(TextRender, BoldMarkupSplitsWords)
{
    int boldHello = widthOf(u"Hello", TTF_STYLE_BOLD);
    int space = widthOf(u" ");
    int world = widthOf(u"world");
    SDL_Surface* bold = render(400, 60, 0, u"%bHello%b");
    SDL_Surface* plainHello = render(400, 60, 0, u"Hello");
    SDL_Surface* plainWorld = render(400, 60, 0, u"world");
    ASSERT_FALSE(composed(bold, {{plainHello, 0, 0, 400}})) << "bold looks like the normal style";

    SDL_Surface* mixed = render(400, 60, 0, u"%bHello%b world");
    EXPECT_TRUE(composed(mixed, {{bold, 0, 0, boldHello}, {plainWorld, boldHello + space, 0, world}}));
    EXPECT_EQ(getTextEndX(), boldHello + space + world);
}

TEST_F(TextRender, StylesCarryOverToTheNextText)
{
    SDL_Surface* plain = render(200, 60, 0, u"B");
    render(200, 60, 0, u"%bA");           // leaves bold on
    SDL_Surface* carried = render(200, 60, 0, u"B");
    EXPECT_FALSE(composed(carried, {{plain, 0, 0, 200}}));
    EXPECT_EQ(render(200, 60, 0, u"%b"), nullptr); // no word, but bold goes off
    SDL_Surface* again = render(200, 60, 0, u"B");
    EXPECT_TRUE(composed(again, {{plain, 0, 0, 200}}));
}

TEST_F(TextRender, ParametersWideBeforeNarrow)
{
    int score = widthOf(u"Score ");
    SDL_Surface* with123 = render(300, 60, 0, u"Score 123");
    SDL_Surface* with456 = render(300, 60, 0, u"Score 456");
    const std::u16string wide = u"456";
    const Uint16* wideUnits = reinterpret_cast<const Uint16*>(wide.c_str());

    SDL_Surface* narrowOnly = keep(renderString(300, 60, 0, 1, "123"));
    EXPECT_TRUE(composed(narrowOnly, {{with123, 0, 0, 300}}));
    SDL_Surface* wideOnly = keep(renderStringW(300, 60, 0, 1, wideUnits));
    EXPECT_TRUE(composed(wideOnly, {{with456, 0, 0, 300}}));
    SDL_Surface* both = keep(renderStringWA(300, 60, 0, 1, wideUnits, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, "123"));
    EXPECT_TRUE(composed(both, {{with456, 0, 0, 300}}));
    EXPECT_EQ(getTextEndX(), score + widthOf(u"456"));

    // renderText widens its 8-bit text.
    SDL_Surface* narrowText = keep(renderText(300, 60, 0, 4, "font.ttf", POINT_SIZE, 200, 10, 30, "Score %1",
                                              nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "123"));
    EXPECT_TRUE(composed(narrowText, {{with123, 0, 0, 300}}));
}

TEST_F(TextRender, TextOfOnlyAMissingParameterGivesNull)
{
    render(300, 60, 0, u"Hello");
    int endX = getTextEndX();
    EXPECT_EQ(keep(renderString(300, 60, 0, 2)), nullptr);
    EXPECT_EQ(keep(renderString(300, 60, 0, 2, "")), nullptr);
    EXPECT_EQ(getTextEndX(), endX);
    EXPECT_NE(keep(renderString(300, 60, 0, 2, "x")), nullptr);
}

TEST_F(TextRender, ParameterHoldingItsOwnCodeIsInsertedOnce)
{
    // An endless insertion would hang: end the process instead.
    signal(SIGALRM, SIG_DFL);
    alarm(20);
    SDL_Surface* ab = render(300, 60, 0, u"ab");
    EXPECT_EQ(render(300, 60, 0, u"%1", 4, "%1"), nullptr);
    EXPECT_TRUE(composed(render(300, 60, 0, u"%1", 4, "a%1b"), {{ab, 0, 0, 300}}));

    // Through another parameter, and nested parameters that do end.
    const std::u16string second = u"b%1";
    EXPECT_TRUE(composed(keep(renderTextBlock(300, 60, 0, 4, "font.ttf", POINT_SIZE, 200, 10, 30,
                                                reinterpret_cast<const Uint16*>(u"%1"), nullptr,
                                                reinterpret_cast<const Uint16*>(second.c_str()), nullptr,
                                                nullptr, nullptr, nullptr, "a%2")),
                           {{ab, 0, 0, 300}}));
    SDL_Surface* twice = render(300, 60, 0, u"b b");
    EXPECT_TRUE(composed(keep(renderString(300, 60, 0, 2, "%2 %2", "b")), {{twice, 0, 0, 300}}));
    alarm(0);
}

TEST_F(TextRender, APlainTextShowsItsMarkupAsCharacters)
{
    // A file name or heading holding markup: one word on one line, every
    // character drawn.
    std::vector<Uint16> plain = plainTextUnits("a%nb%1%b%");
    ASSERT_NE(keep(renderStringW(300, 60, 0, 2, plain.data())), nullptr);
    EXPECT_EQ(getTextEndY(), 0);
    EXPECT_EQ(getTextEndX(), widthOf(u"a%nb%1%b%"));
    // The same as markup breaks the line and inserts nothing for "%1".
    keep(renderString(300, 60, 0, 2, "a%nb%1"));
    EXPECT_GT(getTextEndY(), 0);
    EXPECT_EQ(keep(renderString(300, 60, 0, 2, "%1")), nullptr);
    std::vector<Uint16> alone = plainTextUnits("%1");
    EXPECT_NE(keep(renderStringW(300, 60, 0, 2, alone.data())), nullptr);
}

TEST_F(TextRender, HorizontalAlignmentUsesEachLineWidth)
{
    int hi = widthOf(u"Hi ");
    int there = widthOf(u"there");
    SDL_Surface* hiAlone = render(400, 100, 0, u"Hi ");
    SDL_Surface* thereAlone = render(400, 100, 0, u"there");
    const int line2 = fontHeight + 4;

    // The trailing space counts: "Hi " ends at the right edge with its space.
    EXPECT_TRUE(composed(render(200, 100, 1, u"Hi %nthere"),
                           {{hiAlone, 200 - hi, 0, hi}, {thereAlone, 200 - there, line2, there}}));
    EXPECT_TRUE(composed(render(200, 100, 2, u"Hi %nthere"),
                           {{hiAlone, (200 - hi) / 2, 0, hi}, {thereAlone, (200 - there) / 2, line2, there}}));
    EXPECT_TRUE(composed(render(200, 100, 9, u"Hi %nthere"),
                           {{hiAlone, (200 - hi) / 2, 0, hi}, {thereAlone, (200 - there) / 2, line2, there}}));
    EXPECT_TRUE(composed(render(200, 100, 1, u"Hi there"),
                           {{hiAlone, 200 - hi - there, 0, hi}, {thereAlone, 200 - there, 0, there}}));
    EXPECT_EQ(getTextEndX(), 200);
}

TEST_F(TextRender, VerticalCentringOfAlignThreeAndFour)
{
    int one = widthOf(u"One");
    int two = widthOf(u"Two");
    SDL_Surface* oneAlone = render(400, 100, 0, u"One");
    SDL_Surface* twoAlone = render(400, 100, 0, u"Two");
    const int offset = (100 - (2 * fontHeight + 4)) / 2;
    const int line2 = fontHeight + 4;

    SDL_Surface* centred = keep(renderString(200, 100, 3, 3));
    EXPECT_TRUE(composed(centred, {{oneAlone, (200 - one) / 2, offset, one},
                                     {twoAlone, (200 - two) / 2, offset + line2, two}}));
    EXPECT_EQ(getTextEndY(), line2 + offset);
    SDL_Surface* left = keep(renderString(200, 100, 4, 3));
    EXPECT_TRUE(composed(left, {{oneAlone, 0, offset, one}, {twoAlone, 0, offset + line2, two}}));

    // A text taller than the block starts above it.
    render(200, 10, 3, u"One%nTwo");
    EXPECT_EQ(getTextEndY(), line2 + (10 - (2 * fontHeight + 4)) / 2);
    EXPECT_LT((10 - (2 * fontHeight + 4)) / 2, 0);
}

TEST_F(TextRender, TextEndAfterALineBreak)
{
    // Entry 4 has line spacing 0.
    SDL_Surface* block = keep(renderString(200, 100, 0, 4));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(getTextEndX(), 0);
    EXPECT_EQ(getTextEndY(), fontHeight);
    EXPECT_LT(inkOf(block).bottom, fontHeight);

    render(200, 100, 0, u"Hello%n", 7);
    EXPECT_EQ(getTextEndX(), 0);
    EXPECT_EQ(getTextEndY(), fontHeight + 7);
}

TEST_F(TextRender, ByteOrderUnitsAnywhereInAWordAreLeftOut)
{
    SDL_Surface* plain = render(300, 60, 0, u"AB CD");
    EXPECT_TRUE(composed(render(300, 60, 0, u"\uFFFEAB \uFEFFCD"), {{plain, 0, 0, 300}}));
    // In the middle and at the end of a word, and several in a row: the
    // units after a swapped mark must not be read byte-swapped.
    EXPECT_TRUE(composed(render(300, 60, 0, u"A\uFFFEB C\uFEFFD"), {{plain, 0, 0, 300}}));
    EXPECT_TRUE(composed(render(300, 60, 0, u"AB\uFFFE \uFFFE\uFEFFC\uFFFE\uFFFED\uFEFF"), {{plain, 0, 0, 300}}));
}

TEST_F(TextRender, StringTableIsLoadedByTheTextSystem)
{
    EXPECT_EQ(getStringTableEntry(4).text, TextString("Hello%n"));
    EXPECT_EQ(getStringTableEntry(1).red, 200);
    const StringTableEntry& unknown = getStringTableEntry(77);
    EXPECT_EQ(unknown.text.length(), 0);
    EXPECT_EQ(unknown.fontFile, "");
    EXPECT_EQ(unknown.size, 0);
}

TEST(TextRenderFailure, UnopenableFontEndsTheProgram)
{
    TempDir dir;
    testsupport::writeFile(dir.file("strings.dat"), utf16le(u"!font.ttf|20|0|0|0|0\n@1|Hi"));
    GTEST_FLAG_SET(death_test_style, "fast");
    ScopedChdir inDir(dir.path());
    EXPECT_EXIT(
        {
            initFontSystem("./", "strings.dat");
            renderString(100, 40, 0, 1);
        },
        ::testing::ExitedWithCode(1), "");
    std::string log = testsupport::readFile(dir.file("LOG.TXT"));
    EXPECT_NE(log.find("FONTSYSTEM: Attempted to load font file './font.ttf'\n"), std::string::npos) << log;
    EXPECT_NE(log.find("FONTSYSTEM: SDL_ttf font loading error: "), std::string::npos) << log;

    // An id the table lacks has no font file.
    EXPECT_EXIT(
        {
            initFontSystem("./", "strings.dat");
            renderString(100, 40, 0, 99);
        },
        ::testing::ExitedWithCode(1), "");
    log = testsupport::readFile(dir.file("LOG.TXT"));
    EXPECT_NE(log.find("FONTSYSTEM: Attempted to load font file './'\n"), std::string::npos) << log;
}
