// Any 16384 bytes are an image: fill the grid, parse it back, finalise. A second pass over a
// normalised image must not move anything once garbage band limits have been stored.
#include "core/image/channeltable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarsel::CMemoryImage image;
    // Short inputs are repeated, so that garbage reaches the band limits and the settings too.
    if (size > 0)
        for (size_t i = 0; i < tarsel::CMemoryImage::kSize; ++i) image[i] = data[i % size];
    tarsel::CBandLimits limits;
    tarsel::NormaliseThroughTable(image, limits);
    tarsel::NormaliseThroughTable(image, limits);
    const tarsel::CMemoryImage twice = image;
    tarsel::NormaliseThroughTable(image, limits);
    if (image != twice) std::abort();
    return 0;
}
