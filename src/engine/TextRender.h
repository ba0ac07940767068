// The text system: turns 16-bit text into a new SDL surface, a block of a
// given size in which the text is word-wrapped, aligned, styled by markup,
// filled in with up to six parameters and drawn with a TrueType font.
//
// Markup inside a text: "%b", "%i", "%u" toggle bold, italic and underline
// (the styles carry over to the next text rendered); "%n" ends the line;
// "%1" to "%6" insert parameter 1 to 6 (the wide one if given, else the
// narrow one, else nothing). A parameter code met inside text that the same
// parameter inserted, directly or through other parameters, inserts nothing.
//
// Alignment: 0 left/top, 1 right/top, 2 centred/top, 3 centred/centred,
// 4 left/centred, any other value centred/top.
//
// The returned surfaces belong to the caller (who usually hands them to the
// image store). A text that produces no word gives null.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>
#include <vector>

#include "engine/StringTable.h"

// Starts SDL_ttf, remembers the font folder (prefixed to every font file
// name) and reads the string file. Either failure ends the program.
void initFontSystem(const char* fontFolder, const char* stringFile);
// Stops SDL_ttf and empties the string table and the block under work.
void shutdownFontSystem();

// The string table entry for id; an id the file does not define gets an
// empty entry.
StringTableEntry& getStringTableEntry(int id);

// The core renderer: a new width x height surface with a transparent
// background, or null when the text produced no word. A font that cannot
// be opened ends the program.
SDL_Surface* renderTextBlock(int width, int height, int align, int lineSpacing,
                             const char* fontFile, int pointSize,
                             Uint8 red, Uint8 green, Uint8 blue, const Uint16* text,
                             const Uint16* wide1 = nullptr, const Uint16* wide2 = nullptr,
                             const Uint16* wide3 = nullptr, const Uint16* wide4 = nullptr,
                             const Uint16* wide5 = nullptr, const Uint16* wide6 = nullptr,
                             const char* narrow1 = nullptr, const char* narrow2 = nullptr,
                             const char* narrow3 = nullptr, const char* narrow4 = nullptr,
                             const char* narrow5 = nullptr, const char* narrow6 = nullptr);

// Renders one word in the current style and places it on the current line,
// or on the next one when the line would reach boxWidth (the first word of
// a line always stays).
void renderWord(const Uint16* word, TTF_Font* font, SDL_Color colour, int boxWidth);

// renderTextBlock for 8-bit text (one unit per byte).
SDL_Surface* renderText(int width, int height, int align, int lineSpacing,
                        const char* fontFile, int pointSize,
                        Uint8 red, Uint8 green, Uint8 blue, const char* text,
                        const Uint16* wide1 = nullptr, const Uint16* wide2 = nullptr,
                        const Uint16* wide3 = nullptr, const Uint16* wide4 = nullptr,
                        const Uint16* wide5 = nullptr, const Uint16* wide6 = nullptr,
                        const char* narrow1 = nullptr, const char* narrow2 = nullptr,
                        const char* narrow3 = nullptr, const char* narrow4 = nullptr,
                        const char* narrow5 = nullptr, const char* narrow6 = nullptr);

// String-table texts: font, size, colour, spacing and text come from the
// entry of id.
SDL_Surface* renderString(int width, int height, int align, int id,
                          const char* narrow1 = nullptr, const char* narrow2 = nullptr,
                          const char* narrow3 = nullptr, const char* narrow4 = nullptr,
                          const char* narrow5 = nullptr, const char* narrow6 = nullptr);
SDL_Surface* renderStringW(int width, int height, int align, int id,
                           const Uint16* wide1 = nullptr, const Uint16* wide2 = nullptr,
                           const Uint16* wide3 = nullptr, const Uint16* wide4 = nullptr,
                           const Uint16* wide5 = nullptr, const Uint16* wide6 = nullptr);
SDL_Surface* renderStringWA(int width, int height, int align, int id,
                            const Uint16* wide1 = nullptr, const Uint16* wide2 = nullptr,
                            const Uint16* wide3 = nullptr, const Uint16* wide4 = nullptr,
                            const Uint16* wide5 = nullptr, const Uint16* wide6 = nullptr,
                            const char* narrow1 = nullptr, const char* narrow2 = nullptr,
                            const char* narrow3 = nullptr, const char* narrow4 = nullptr,
                            const char* narrow5 = nullptr, const char* narrow6 = nullptr);

// A text to be shown as it is, markup characters and all (a file name, a
// level heading): each "%" is followed by an invisible U+FEFF, which no
// rendered word keeps, so no markup code is recognised in it. One unit per
// byte, terminated: a wide parameter for the functions above.
std::vector<Uint16> plainTextUnits(const char* text);

// Where the text of the last rendered block ended, in block pixels (the
// text box puts its caret there).
int getTextEndX();
int getTextEndY();
