#include "core/radiolink/verification.h"

#include <algorithm>
#include <cstdio>

namespace tarsel {

CVerification CompareRanges(const CMemoryImage& written, const CMemoryImage& read,
                            std::span<const map::CRange> ranges) {
    CVerification verification;
    for (const map::CRange& range : ranges) {
        const std::size_t end = std::min<std::size_t>(range.end, CMemoryImage::kSize);
        for (std::size_t a = range.start; a < end; ++a) {
            if (written[a] == read[a]) continue;
            if (verification.first.size() < kDifferencesKept)
                verification.first.push_back({static_cast<uint16_t>(a), written[a], read[a]});
            ++verification.differing;
        }
    }
    return verification;
}

std::string DescribeVerification(const CVerification& verification) {
    if (verification.Matches()) return "every byte read back as written";
    std::string text = std::to_string(verification.differing) +
                       (verification.differing == 1 ? " byte differs: " : " bytes differ: ");
    for (std::size_t i = 0; i < verification.first.size(); ++i) {
        const CByteDifference& d = verification.first[i];
        char line[64];
        std::snprintf(line, sizeof line, "%s0x%04X written 0x%02X read 0x%02X", i ? ", " : "",
                      d.address, d.written, d.read);
        text += line;
    }
    if (verification.differing > verification.first.size()) text += ", ...";
    return text;
}

} // namespace tarsel
