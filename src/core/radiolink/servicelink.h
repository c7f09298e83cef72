// The service exchanges: the calibration region and the DTMF decoder region read and written on
// their own, and the radio information read.
#pragma once

#include "core/radiolink/exchange.h"

namespace tarsel {

// Reads one region (map::kCalibrationRange, map::kDtmfDecoderRange) into image. The image
// changes only when every block of the region arrived; the band limits are not touched.
// progress is called after each block, on the caller's thread.
CExchangeResult ReadRegion(CSerialPort& port, std::string_view portName, map::CRange region,
                           CMemoryImage& image, const CCancelToken* cancel = nullptr,
                           const CProgress& progress = {});
// Sends one region of image.
CExchangeResult WriteRegion(CSerialPort& port, std::string_view portName, map::CRange region,
                            const CMemoryImage& image, const CProgress& progress = {});

// Wake-up (2 ms pauses), identify, "ENDR" at once. ident is set only when the exchange is done.
CExchangeResult ReadRadioInformation(CSerialPort& port, std::string_view portName,
                                     CIdentBlock& ident, const CCancelToken* cancel = nullptr);

} // namespace tarsel
