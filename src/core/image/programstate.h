// The program-wide values, in one object the application owns and hands out by reference.
#pragma once

#include "core/image/bands.h"
#include "core/image/memoryimage.h"

#include <string>

namespace tarsel {

struct CProgramState {
    CMemoryImage image;             // all 0xFF until the first document fills it
    CBandLimits bandLimits;         // the start-up values until an image with limits is shown
    std::string portName;           // "COM3", "\\.\COM12"
    std::string modelText;          // section "Setup", key "Type"
    bool serviceUnlocked = false;   // the service password was given in this run
    std::string dtmfCallId = "100"; // the DTMF editor's call ID: kept for the run, not in the image
    bool backupWarned = false;      // a backup that could not be kept is told once a run
};

} // namespace tarsel
