// Writing one image to several radios at once from a terminal: a line per port on stdout in the
// order given, and while it runs, on a terminal only, a line per port updated in place.
#pragma once

#include "core/image/memoryimage.h"
#include "core/radiolink/settingsfile.h"
#include "core/radiolink/transfer.h"

#include <string>
#include <vector>

namespace tarsel::cli {

struct CManyRadios {
    std::vector<std::string> ports; // --port, as often as given
    bool all = false;               // --ports all
    bool verify = false;
    bool noBackup = false;
};

// Whether the command line asks for more than the one radio of a plain write.
inline bool WantsManyRadios(const CManyRadios& radios) {
    return radios.all || radios.ports.size() > 1;
}

// Sends image to every radio at once; exit status 0 only when every radio is done.
int SendToManyRadios(const CSettingsFile& settings, ETransfer transfer, const CMemoryImage& image,
                     const CManyRadios& radios);

} // namespace tarsel::cli
