// The program folder: where Default.dat, Program.ini and the two bitmaps are looked for.
#pragma once

#include <filesystem>

namespace tarsel {

// Folder of the running executable (from /proc/self/exe); the current folder when that cannot be
// read, so that a caller always gets a usable path.
std::filesystem::path ProgramFolder();

} // namespace tarsel
