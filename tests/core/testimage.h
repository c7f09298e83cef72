// Small helpers for building images in tests.
#pragma once

#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tarsel::test {

// Whether a transfer over `ranges` carries the byte at `offset`.
inline bool InRanges(std::size_t offset, std::span<const map::CRange> ranges) {
    for (const map::CRange& r : ranges)
        if (offset >= r.start && offset < r.end) return true;
    return false;
}

inline std::vector<uint8_t> Bytes(const CMemoryImage& image, std::size_t offset,
                                  std::size_t length) {
    const auto stretch = image.Stretch(offset, length);
    return {stretch.begin(), stretch.end()};
}

inline std::vector<uint8_t> Record(const CMemoryImage& image, int channel) {
    return Bytes(image, RecordOffset(channel), 32);
}

// The bytes at the offsets `expected` names, to compare with it: a failure shows both in full.
inline std::map<int, int> BytesAt(const CMemoryImage& image, const std::map<int, int>& expected) {
    std::map<int, int> found;
    for (const auto& entry : expected) found[entry.first] = image[std::size_t(entry.first)];
    return found;
}

inline void PutBytes(CMemoryImage& image, std::size_t offset,
                     std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) image[offset++] = b;
}

inline void PutFrequency(CMemoryImage& image, std::size_t offset, int64_t value) {
    EncodeFrequencyField(value, image.Field<4>(offset));
}

// A channel with a receive and (optionally) transmit frequency on a default record.
inline void PutChannel(CMemoryImage& image, int channel, int64_t rx, int64_t tx = -1) {
    WriteDefaultRecord(image, channel);
    PutFrequency(image, RecordOffset(channel), rx);
    if (tx >= 0) PutFrequency(image, RecordOffset(channel) + 4, tx);
}

inline CMemoryImage RandomImage(unsigned seed) {
    std::mt19937 random(seed);
    CMemoryImage image;
    for (auto& b : image.Bytes()) b = static_cast<uint8_t>(random());
    return image;
}

// A folder of its own under the system's temporary folder, removed at the end of the test.
class CTempDir {
public:
    CTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarsel-test-XXXXXX");
        path_ = ::mkdtemp(pattern.data());
    }
    ~CTempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets (or, with nullopt, removes) an environment variable while it lives.
class CEnvironment {
public:
    explicit CEnvironment(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) old_ = value;
    }
    CEnvironment(const char* name, const std::optional<std::string>& value) : CEnvironment(name) {
        Set(value);
    }
    ~CEnvironment() { Set(old_); }
    CEnvironment(const CEnvironment&) = delete;
    CEnvironment& operator=(const CEnvironment&) = delete;
    void Set(const std::optional<std::string>& value) {
        value ? ::setenv(name_, value->c_str(), 1) : ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace tarsel::test
