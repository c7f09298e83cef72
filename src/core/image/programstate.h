// The program-wide values, in one object the application owns and hands out by reference. The
// images and their band limits belong to the documents.
#pragma once

#include <string>

namespace tarsel {

struct CProgramState {
    std::string portName;           // "COM3", "\\.\COM12"
    std::string modelText;          // section "Setup", key "Type"
    bool serviceUnlocked = false;   // the service password was given in this run
    std::string dtmfCallId = "100"; // the DTMF editor's call ID: kept for the run, not in the image
    bool backupWarned = false;      // a backup that could not be kept is told once a run
};

} // namespace tarsel
