// Reading back what a write sent, and what differs.
#pragma once

#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarsel {

struct CByteDifference {
    uint16_t address = 0;
    uint8_t written = 0;
    uint8_t read = 0;
    friend bool operator==(const CByteDifference&, const CByteDifference&) = default;
};

// How many differences are kept by address; the count covers them all.
inline constexpr std::size_t kDifferencesKept = 8;

struct CVerification {
    std::size_t differing = 0;
    std::vector<CByteDifference> first; // the lowest addresses, at most kDifferencesKept

    bool Matches() const { return differing == 0; }
};

// Compares the ranges of the two images in the order they are sent.
CVerification CompareRanges(const CMemoryImage& written, const CMemoryImage& read,
                            std::span<const map::CRange> ranges);

// "2 bytes differ: 0x0025 written 0x3C read 0xC3, 0x0100 written 0x00 read 0xFF"; with more
// differences than kept, the list ends with ", ...".
std::string DescribeVerification(const CVerification& verification);

} // namespace tarsel
