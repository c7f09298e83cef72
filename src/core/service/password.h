// The service password that unlocks the factory functions.
#pragma once

#include <string_view>

namespace tarsel {

// Compared exactly: letter case counts, and so does every character.
bool IsServicePassword(std::string_view text);

} // namespace tarsel
