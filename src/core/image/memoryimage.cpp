#include "core/image/memoryimage.h"

#include <algorithm>

namespace tarsel {

void CMemoryImage::Fill(std::size_t offset, std::size_t length, uint8_t value) {
    const auto stretch = Stretch(offset, length);
    std::fill(stretch.begin(), stretch.end(), value);
}

} // namespace tarsel
