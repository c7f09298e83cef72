#include "radiosim/memory.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace radiosim {

namespace {

std::runtime_error FileError(const char* what, const std::string& path) {
    return std::runtime_error(std::string(what) + " " + path + ": " + std::strerror(errno));
}

} // namespace

CRadioMemory::CRadioMemory() { bytes_.fill(0xFF); }

std::vector<uint8_t> CRadioMemory::Read(std::size_t address, std::size_t length) const {
    std::lock_guard lock(mutex_);
    if (address >= bytes_.size()) return {};
    length = std::min(length, bytes_.size() - address);
    return {bytes_.begin() + address, bytes_.begin() + address + length};
}

void CRadioMemory::Write(std::size_t address, std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    if (address >= bytes_.size()) return;
    bytes = bytes.first(std::min(bytes.size(), bytes_.size() - address));
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + address);
}

MemoryBytes CRadioMemory::Snapshot() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

void CRadioMemory::Assign(std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    bytes_.fill(0xFF);
    std::copy_n(bytes.begin(), std::min(bytes.size(), bytes_.size()), bytes_.begin());
}

void CRadioMemory::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) return;
        throw FileError("cannot open", path);
    }
    std::vector<uint8_t> content(kMemorySize);
    in.read(reinterpret_cast<char*>(content.data()), static_cast<std::streamsize>(content.size()));
    if (in.bad()) throw FileError("cannot read", path);
    content.resize(static_cast<std::size_t>(in.gcount()));
    Assign(content);
}

void CRadioMemory::SaveFile(const std::string& path) const {
    const MemoryBytes bytes = Snapshot();
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            throw FileError("cannot write", temporary);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const auto error = FileError("cannot replace", path);
        std::remove(temporary.c_str());
        throw error;
    }
}

} // namespace radiosim
