// Data file loading: files of any length and content. A failed load leaves the image alone.
#include "core/image/datafile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        std::string pattern = "/tmp/tarsel-fuzz-dat-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        ::close(fd);
        return pattern;
    }();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    tarsel::CMemoryImage image;
    image[0] = 0x5A;
    const tarsel::CMemoryImage before = image;
    const auto error = tarsel::LoadDataFile(path, image);
    if (error ? image != before : size < tarsel::CMemoryImage::kSize) std::abort();
    if (!error)
        for (size_t i = 0; i < tarsel::CMemoryImage::kSize; ++i)
            if (image[i] != data[i]) std::abort();
    return 0;
}
