// Why an exchange with the radio failed, in the words the program shows a person. The core keeps
// them in Chinese with %1, %2, ... for values, some of which are worded texts again; each face
// translates every text (context "core") and then puts the values in. The command-line tool has
// its English words in DescribeCause.
#pragma once

#include "core/radiolink/exchange.h"

#include <string>
#include <vector>

namespace tarsel {

struct CWords {
    std::string text;           // a core text: translate it, then fill in %1, %2, ...
    std::vector<CWords> values; // each worded again, or a value
    bool value = false;         // a value (a path, a number): shown as it is
    friend bool operator==(const CWords&, const CWords&) = default;
};

CWords CauseWords(const CExchangeResult& result);

} // namespace tarsel
