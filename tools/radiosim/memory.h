#pragma once

#include "radiosim/config.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace radiosim {

using MemoryBytes = std::array<uint8_t, kMemorySize>;

// The radio's memory. The radio thread and the owner's thread both reach it, hence the lock.
class CRadioMemory {
public:
    CRadioMemory();

    std::vector<uint8_t> Read(std::size_t address, std::size_t length) const;
    void Write(std::size_t address, std::span<const uint8_t> bytes);
    MemoryBytes Snapshot() const;
    // Fewer bytes than the memory holds leave the rest erased (0xFF); extra bytes are dropped.
    void Assign(std::span<const uint8_t> bytes);

    // A missing file is not an error: the memory stays as it is. Throws std::runtime_error.
    void LoadFile(const std::string& path);
    // Writes a sibling file first and renames it, so a reader never sees half a memory.
    // Throws std::runtime_error.
    void SaveFile(const std::string& path) const;

private:
    mutable std::mutex mutex_;
    MemoryBytes bytes_;
};

} // namespace radiosim
