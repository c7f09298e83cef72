#pragma once

#include "radiosim/config.h"

#include <string>
#include <vector>

namespace radiosim {

struct CCommandLine {
    CConfig config;
    bool help = false;
};

// The arguments after the program name. Throws std::invalid_argument naming the bad option.
CCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

} // namespace radiosim
