// The store operations the image catalogues are written in, with their log
// lines and load-bar advances. Used only by the catalogue files.
#pragma once

#include <string>

namespace catalogue {

// "%-20s   Caching images for <what>\n" under the timing category.
void logStart(const char* function, const char* what);
// "%-20s      Loaded:  <label>\n" under the timing category.
void logBlock(const char* function, const char* label);
// One step of the load bar (100 units).
void advance();

// GetImage, keeping the reference.
void load(const char* name);
// prefix + i + suffix for i = from..to, in increasing order.
void series(const char* prefix, int from, int to, const char* suffix);
// A copy of source named target with dA added to every pixel's alpha.
void copy(const char* source, const char* target, int dA);
void copySeries(const char* sourcePrefix, const char* targetPrefix, int from, int to, const char* suffix,
                int dA);
// Frames k+1..k+6 of prefix<n>suffix as copies of frame k fading out.
void breakFadeOut(const char* prefix, int k, const char* suffix);
// A text picture of the string table registered under name.
void text(int width, int height, int align, int stringId, const char* name);

std::string numbered(const char* prefix, int i, const char* suffix);

} // namespace catalogue
