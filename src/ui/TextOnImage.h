// Text drawn into an existing image of the image store, the way dialogs
// and panels build their pictures.
#pragma once

// Renders string stringId of the string table (with up to six parameters)
// into a width x height box with the given alignment and blends it onto the
// image at (x, y). False when the text rendered to nothing (no word).
bool drawTextOnImage(int stringId, int imageId, int align, int width, int height, int x, int y,
                     const char* p1 = nullptr, const char* p2 = nullptr, const char* p3 = nullptr,
                     const char* p4 = nullptr, const char* p5 = nullptr, const char* p6 = nullptr);

// The same for a plain text in the game's small ink-blue lettering.
bool drawSmallTextOnImage(const char* text, int imageId, int align, int width, int height, int x, int y);

// String stringId with a plain text as its first parameter, shown as it is
// (markup in the text is not applied).
bool drawPlainTextOnImage(int stringId, int imageId, int align, int width, int height, int x, int y,
                          const char* text);
