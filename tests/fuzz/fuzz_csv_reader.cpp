// Any bytes as a channel list: reading never crashes, what it accepts applies and writes back.
#include "core/image/datafile.h"
#include "core/interchange/channelcsv.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tarsel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CCsvImportOptions options{.skipBad = true, .first = size > 0 && data[0] == '#' ? 250 : 0};
    const CCsvImport found = ReadChannelCsv(text, CBandLimits{}, options);
    for (const CCsvChannel& channel : found.channels)
        if (channel.channel < 1 || channel.channel > kCsvLastChannel || channel.name.size() > 7)
            __builtin_trap();
    static const CMemoryImage start = BuildDefaultImage();
    CMemoryImage image = start;
    CBandLimits limits;
    if (ApplyChannelCsv(found, options, image, limits)) {
        const std::string written = WriteChannelCsv(image, limits);
        // What was accepted is written back in a form that reads without an error.
        if (ReadChannelCsv(written, limits, {}).RowErrors() != 0) __builtin_trap();
    }
    return 0;
}
