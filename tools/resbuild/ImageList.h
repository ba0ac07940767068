// The list of picture files the image archive holds (data/images.txt), and
// the way names group into animation series.
#pragma once

#include <string>
#include <vector>

namespace resbuild {

struct ImageEntry {
    std::string name;
    std::string group;  // the heading the name stands under
};

// Reads one name per line; "#" lines are headings ("# group (count)"),
// empty lines are skipped. Names keep their blanks. False with a message on
// a missing file or a repeated name.
bool loadImageList(const std::string& path, std::vector<ImageEntry>& out, std::string& error);

// The name without its extension and without the digits at its end:
// "profrunleft3.tga" -> "profrunleft", "metalbarrelcooling3-5.png" ->
// "metalbarrelcooling3-". Frames of one series share this stem.
std::string seriesStem(const std::string& name);

// The number at the end of the name's stem, or -1 when there is none.
int frameNumber(const std::string& name);

} // namespace resbuild
