#include "ImageList.h"

#include <cctype>
#include <fstream>
#include <set>

namespace resbuild {

bool loadImageList(const std::string& path, std::vector<ImageEntry>& out, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::set<std::string> seen;
    std::string line, group;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] == '#') {
            group = line.substr(1);
            const size_t open = group.find(" (");
            if (open != std::string::npos)
                group.erase(open);
            while (!group.empty() && group[0] == ' ')
                group.erase(0, 1);
            continue;
        }
        if (!seen.insert(line).second) {
            error = "name listed twice: " + line;
            return false;
        }
        out.push_back({line, group});
    }
    return true;
}

std::string seriesStem(const std::string& name)
{
    std::string stem = name;
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos)
        stem.erase(dot);
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.pop_back();
    return stem;
}

int frameNumber(const std::string& name)
{
    std::string stem = name;
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos)
        stem.erase(dot);
    size_t start = stem.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(stem[start - 1])))
        --start;
    if (start == stem.size() || stem.size() - start > 6)
        return -1;
    return std::stoi(stem.substr(start));
}

} // namespace resbuild
