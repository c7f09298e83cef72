// Data file loading: files of any length and content. A failed load leaves the image alone.
#include "core/image/datafile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/tarsel-fuzz-dat-" + std::to_string(::getpid());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    tarsel::CMemoryImage image;
    image[0] = 0x5A;
    const tarsel::CMemoryImage before = image;
    const auto error = tarsel::LoadDataFile(path, image);
    constexpr std::size_t kSize = tarsel::CMemoryImage::kSize;
    const bool whole = size >= kSize && std::memcmp(image.Bytes().data(), data, kSize) == 0;
    if (error ? image != before : !whole) std::abort();
    return 0;
}
