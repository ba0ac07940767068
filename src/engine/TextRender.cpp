#include "engine/TextRender.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/Log.h"

namespace {

enum { PARAMETER_COUNT = 6 };

std::string fontFolder;
StringTable stringTable;

// Styles toggled by markup; deliberately kept from one text to the next.
bool styleBold = false;
bool styleItalic = false;
bool styleUnderline = false;

// The block under construction: each word's surface with its line number,
// and the width of every finished line.
std::vector<std::pair<SDL_Surface*, int>> words;
std::vector<int> lineWidths;
int currentLine = 1;
int currentLineWidth = 0;

int textEndX = 0;
int textEndY = 0;

const Uint16 UNIT_SPACE = 0x0020;

// The markup codes in the order they are searched for; the position in this
// list is the code's number below.
const Uint16 MARKUP_CODES[][3] = {
    {'%', 'b', 0}, {'%', 'i', 0}, {'%', 'u', 0}, {'%', 'n', 0},
    {'%', '1', 0}, {'%', '2', 0}, {'%', '3', 0},
    {'%', '4', 0}, {'%', '5', 0}, {'%', '6', 0},
};
enum {
    CODE_BOLD = 0, CODE_ITALIC, CODE_UNDERLINE, CODE_NEWLINE, CODE_FIRST_PARAMETER,
    CODE_COUNT = CODE_FIRST_PARAMETER + PARAMETER_COUNT,
    CODE_SPACE = CODE_COUNT
};

void freeBlockWork()
{
    for (auto& word : words)
        SDL_FreeSurface(word.first);
    words.clear();
    lineWidths.clear();
}

int recordedLineWidth(int line)
{
    if (line < 1 || line > static_cast<int>(lineWidths.size()))
        return 0;
    return lineWidths[line - 1];
}

// Text inserted for a parameter, followed until the units after it are all
// that is left of the remaining text.
struct Insertion {
    int parameter;
    int unitsAfter;
};

} // namespace

void initFontSystem(const char* folder, const char* stringFile)
{
    if (TTF_Init() != 0) {
        logError(false, "FONTSYSTEM: SDL_ttf initialization error: %s\n", TTF_GetError());
        exitFatal();
    }
    fontFolder = folder ? folder : "";
    loadStringFile(stringFile, stringTable);
}

void shutdownFontSystem()
{
    TTF_Quit();
    freeBlockWork();
    stringTable.clear();
}

StringTableEntry& getStringTableEntry(int id)
{
    return stringTable[id];
}

void renderWord(const Uint16* word, TTF_Font* font, SDL_Color colour, int boxWidth)
{
    int style = TTF_STYLE_NORMAL;
    if (styleBold)
        style |= TTF_STYLE_BOLD;
    if (styleItalic)
        style |= TTF_STYLE_ITALIC;
    if (styleUnderline)
        style |= TTF_STYLE_UNDERLINE;
    TTF_SetFontStyle(font, style);

    bool lineWasEmpty = (currentLineWidth == 0);

    // SDL_ttf takes 0xFEFF and 0xFFFE anywhere in a text as byte-order
    // marks (after 0xFFFE it reads every unit byte-swapped). Neither draws
    // anything, so they are left out of the word wherever they stand.
    if (!word)
        return;
    std::vector<Uint16> units;
    for (const Uint16* u = word; *u; ++u)
        if (*u != 0xFEFF && *u != 0xFFFE)
            units.push_back(*u);
    if (units.empty())
        return;
    units.push_back(0);
    SDL_Surface* surface = TTF_RenderUNICODE_Blended(font, units.data(), colour);
    if (!surface)
        return; // a word of zero width: nothing to place

    currentLineWidth += surface->w;
    if (currentLineWidth >= boxWidth && !lineWasEmpty) {
        currentLineWidth -= surface->w;
        lineWidths.push_back(currentLineWidth);
        ++currentLine;
        currentLineWidth = surface->w;
    }
    words.push_back(std::make_pair(surface, currentLine));
}

SDL_Surface* renderTextBlock(int width, int height, int align, int lineSpacing,
                             const char* fontFile, int pointSize,
                             Uint8 red, Uint8 green, Uint8 blue, const Uint16* text,
                             const Uint16* wide1, const Uint16* wide2, const Uint16* wide3,
                             const Uint16* wide4, const Uint16* wide5, const Uint16* wide6,
                             const char* narrow1, const char* narrow2, const char* narrow3,
                             const char* narrow4, const char* narrow5, const char* narrow6)
{
    currentLine = 1;
    currentLineWidth = 0;
    freeBlockWork();

    std::string path = fontFolder + (fontFile ? fontFile : "");
    TTF_Font* font = TTF_OpenFont(path.c_str(), pointSize);
    if (!font) {
        logError(false, "FONTSYSTEM: Attempted to load font file '%s'\n", path.c_str());
        logError(false, "FONTSYSTEM: SDL_ttf font loading error: %s\n", TTF_GetError());
        exitFatal();
    }
    SDL_Color colour;
    colour.r = red;
    colour.g = green;
    colour.b = blue;
    colour.unused = 0;

    const Uint16* wide[PARAMETER_COUNT] = {wide1, wide2, wide3, wide4, wide5, wide6};
    const char* narrow[PARAMETER_COUNT] = {narrow1, narrow2, narrow3, narrow4, narrow5, narrow6};

    // Split the text into words at spaces and markup codes. Each word keeps
    // its trailing space, which counts in the line width.
    TextString remaining(text);
    std::vector<Insertion> insertions;
    for (;;) {
        int position = -1;
        int code = -1;
        for (int c = 0; c < CODE_COUNT; ++c) {
            int p = remaining.findText(MARKUP_CODES[c]);
            if (p >= 0 && (position < 0 || p < position)) {
                position = p;
                code = c;
            }
        }
        int space = remaining.find(UNIT_SPACE);
        if (space >= 0 && (position < 0 || space < position)) {
            position = space;
            code = CODE_SPACE;
        }
        if (position < 0)
            break;

        if (code == CODE_SPACE) {
            renderWord(remaining.substr(0, position + 1).c_str(), font, colour, width);
            remaining = remaining.substrFrom(position + 1);
            continue;
        }
        if (position > 0) {
            renderWord(remaining.substr(0, position).c_str(), font, colour, width);
            remaining = remaining.substrFrom(position);
            continue;
        }

        int unitsBefore = remaining.length();
        remaining = remaining.substrFrom(2);
        switch (code) {
        case CODE_BOLD: styleBold = !styleBold; break;
        case CODE_ITALIC: styleItalic = !styleItalic; break;
        case CODE_UNDERLINE: styleUnderline = !styleUnderline; break;
        case CODE_NEWLINE:
            lineWidths.push_back(currentLineWidth);
            ++currentLine;
            currentLineWidth = 0;
            break;
        default: {
            int k = code - CODE_FIRST_PARAMETER;
            // Forget insertions that have been read to their end.
            std::vector<Insertion> open;
            bool nested = false;
            for (const Insertion& ins : insertions) {
                if (unitsBefore > ins.unitsAfter) {
                    open.push_back(ins);
                    nested = nested || ins.parameter == k;
                }
            }
            insertions.swap(open);
            // A parameter's code inside its own text would insert it again
            // without end: there it inserts nothing.
            if (nested)
                break;
            TextString value;
            if (wide[k])
                value = TextString(wide[k]);
            else if (narrow[k])
                value = TextString(narrow[k]);
            if (value.length() == 0)
                break;
            Insertion ins = {k, remaining.length()};
            insertions.push_back(ins);
            value.append(remaining);
            remaining = value;
            break;
        }
        }
    }
    if (remaining.length() > 0)
        renderWord(remaining.c_str(), font, colour, width);
    if (currentLineWidth != 0)
        lineWidths.push_back(currentLineWidth);

    if (words.empty()) {
        TTF_CloseFont(font);
        lineWidths.clear();
        return nullptr;
    }

    SDL_Surface* first = words.front().first;
    SDL_Surface* block = SDL_CreateRGBSurface(first->flags, width > 0 ? width : 0,
                                              height > 0 ? height : 0,
                                              first->format->BitsPerPixel,
                                              first->format->Rmask, first->format->Gmask,
                                              first->format->Bmask, first->format->Amask);
    if (!block) {
        logPrint(LOG_ERROR, "FONTSYSTEM: Cannot create a %i x %i text block: %s\n",
                 width, height, SDL_GetError());
        TTF_CloseFont(font);
        freeBlockWork();
        return nullptr;
    }
    SDL_FillRect(block, nullptr, SDL_MapRGBA(block->format, 0, 0, 0, 0));

    int fontHeight = TTF_FontHeight(font);
    int offset = 0;
    if (align == 3 || align == 4) {
        int lines = static_cast<int>(lineWidths.size());
        offset = (height - (fontHeight * lines + (lines - 1) * lineSpacing)) / 2;
    }

    int x = 0;
    int previousLine = 0;
    for (auto& word : words) {
        SDL_Surface* surface = word.first;
        int line = word.second;
        if (line != previousLine) {
            int lineWidth = recordedLineWidth(line);
            if (align == 0 || align == 4)
                x = 0;
            else if (align == 1)
                x = width - lineWidth;
            else
                x = (width - lineWidth) / 2;
            previousLine = line;
        }
        SDL_Rect target;
        target.x = static_cast<Sint16>(x);
        target.y = static_cast<Sint16>((lineSpacing + fontHeight) * (line - 1) + offset);
        target.w = static_cast<Uint16>(surface->w);
        target.h = static_cast<Uint16>(surface->h);
        // Copy the word's pixels with their alpha instead of blending them
        // onto the transparent block.
        SDL_SetAlpha(surface, 0, 0);
        SDL_BlitSurface(surface, nullptr, block, &target);
        x += surface->w;
    }

    textEndX = (words.back().second == currentLine) ? x : 0;
    textEndY = (fontHeight + lineSpacing) * (currentLine - 1) + offset;

    TTF_CloseFont(font);
    freeBlockWork();
    return block;
}

SDL_Surface* renderText(int width, int height, int align, int lineSpacing,
                        const char* fontFile, int pointSize,
                        Uint8 red, Uint8 green, Uint8 blue, const char* text,
                        const Uint16* wide1, const Uint16* wide2, const Uint16* wide3,
                        const Uint16* wide4, const Uint16* wide5, const Uint16* wide6,
                        const char* narrow1, const char* narrow2, const char* narrow3,
                        const char* narrow4, const char* narrow5, const char* narrow6)
{
    TextString wideText(text);
    return renderTextBlock(width, height, align, lineSpacing, fontFile, pointSize,
                           red, green, blue, wideText.c_str(),
                           wide1, wide2, wide3, wide4, wide5, wide6,
                           narrow1, narrow2, narrow3, narrow4, narrow5, narrow6);
}

std::vector<Uint16> plainTextUnits(const char* text)
{
    std::vector<Uint16> units;
    for (const char* p = text ? text : ""; *p; ++p) {
        units.push_back(static_cast<unsigned char>(*p));
        if (*p == '%')
            units.push_back(0xFEFF);
    }
    units.push_back(0);
    return units;
}

SDL_Surface* renderString(int width, int height, int align, int id,
                          const char* narrow1, const char* narrow2, const char* narrow3,
                          const char* narrow4, const char* narrow5, const char* narrow6)
{
    return renderStringWA(width, height, align, id,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          narrow1, narrow2, narrow3, narrow4, narrow5, narrow6);
}

SDL_Surface* renderStringW(int width, int height, int align, int id,
                           const Uint16* wide1, const Uint16* wide2, const Uint16* wide3,
                           const Uint16* wide4, const Uint16* wide5, const Uint16* wide6)
{
    return renderStringWA(width, height, align, id,
                          wide1, wide2, wide3, wide4, wide5, wide6);
}

SDL_Surface* renderStringWA(int width, int height, int align, int id,
                            const Uint16* wide1, const Uint16* wide2, const Uint16* wide3,
                            const Uint16* wide4, const Uint16* wide5, const Uint16* wide6,
                            const char* narrow1, const char* narrow2, const char* narrow3,
                            const char* narrow4, const char* narrow5, const char* narrow6)
{
    // A copy, so the table may change while the block is rendered.
    StringTableEntry entry = getStringTableEntry(id);
    return renderTextBlock(width, height, align, entry.lineSpacing, entry.fontFile.c_str(),
                           entry.size, entry.red, entry.green, entry.blue, entry.text.c_str(),
                           wide1, wide2, wide3, wide4, wide5, wide6,
                           narrow1, narrow2, narrow3, narrow4, narrow5, narrow6);
}

int getTextEndX()
{
    return textEndX;
}

int getTextEndY()
{
    return textEndY;
}
