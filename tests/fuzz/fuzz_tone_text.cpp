// Typed tone texts: the normalisation and the encoder must take anything a user can type.
#include "core/image/tone.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string shown = tarsel::NormaliseToneText(text);
    // A DCS text the normalisation produced reads back to itself through the tone word (codes
    // below 10 lose a zero by the radio's own display rule, so they are left out).
    const std::string again = tarsel::ToneText(tarsel::EncodeTone(shown));
    if (shown.size() == 5 && shown[0] == 'D' && shown.compare(1, 2, "00") != 0 && again != shown)
        std::abort();
    tarsel::EncodeTone(text);
    return 0;
}
