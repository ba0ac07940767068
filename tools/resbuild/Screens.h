// The single-file pictures beside the program: the first load screen
// (resource0.dat), the load bar (resource1.dat), the window icon
// (resource7.dat) and the three splash screens (resource9.dat to
// resource11.dat).
#pragma once

#include <string>

namespace resbuild {

// Writes all six files into the folder; false with a message on failure.
bool writeScreenFiles(const std::string& dir, std::string& error);

} // namespace resbuild
