// Where everything lives in the radio's 16384-byte memory. The image offset of a field is the
// radio's own memory address, so these numbers are also the addresses sent in block frames.
// No other file spells out an image offset.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarsel::map {

inline constexpr std::size_t kImageSize = 0x4000;

// A stretch of the image, start inclusive, end exclusive.
struct CRange {
    uint16_t start;
    uint16_t end;
    constexpr std::size_t Size() const { return static_cast<std::size_t>(end - start); }
};

// Channel table: 258 records of 32 bytes. Records 1..128 are the A memories, 129..256 the B
// memories, 257 and 258 the A and B VFOs.
inline constexpr int kChannelRecordSize = 32;
inline constexpr int kMemoriesPerBand = 128;
inline constexpr int kChannelCount = 258;
inline constexpr int kFirstBMemory = 129;
inline constexpr int kAVfo = 257;
inline constexpr int kBVfo = 258;
inline constexpr uint16_t kChannelTable = 0x0000;
inline constexpr uint16_t kBMemories = 0x1000;
inline constexpr uint16_t kVfoRecords = 0x2000;
inline constexpr CRange kChannelTableRange{0x0000, 0x2040};

// Offsets inside a channel record.
namespace rec {
inline constexpr int kRxFrequency = 0;
inline constexpr int kTxFrequency = 4;
inline constexpr int kRxTone = 8; // low byte, then high byte
inline constexpr int kTxTone = 10;
inline constexpr int kSignalling = 12; // signalling type, repeater mode, voice processing
inline constexpr int kFlags = 13;      // PTT ID, VOX, scan add, power, bandwidth, busy lock
inline constexpr int kShiftDirection = 15;
inline constexpr int kShiftOffset = 16;
inline constexpr int kReserved20 = 20;
inline constexpr int kReserved21 = 21;
inline constexpr int kName = 24;
inline constexpr int kNameLength = 7;
// Bits of the flags byte.
inline constexpr uint8_t kFlagScanAdd = 0x08;
inline constexpr uint8_t kFlagHighPower = 0x10;
inline constexpr uint8_t kFlagWide = 0x20;
inline constexpr uint8_t kFlagBusyCarrier = 0x40;
inline constexpr uint8_t kFlagBusyQt = 0x80;
inline constexpr uint8_t kFlagBusyMask = 0xC0;
} // namespace rec

// Inside the record of channel 252 (B 124): overwritten with the fixed block by every finalisation.
inline constexpr uint16_t kFixedBlockInChannels = 0x1F70;

// Radio-wide settings.
inline constexpr uint16_t kSettings = 0x2040;
inline constexpr uint16_t kSettingsTimeOut = 0x2040;
inline constexpr uint16_t kSettings42 = 0x2042;
inline constexpr uint16_t kSettings43 = 0x2043;
inline constexpr uint16_t kSettings44 = 0x2044;
inline constexpr uint16_t kSettings46 = 0x2046;
inline constexpr uint16_t kSettingsUnedited47 = 0x2047;
inline constexpr uint16_t kSettings48 = 0x2048;
inline constexpr uint16_t kSettingsBits49 = 0x2049; // option bits and the DTMF side tone
inline constexpr uint16_t kSettingsBits4A = 0x204A;
inline constexpr uint16_t kSettingsBits4B = 0x204B;
inline constexpr uint16_t kSettingsBits4C = 0x204C;
inline constexpr uint16_t kSettingsBits4D = 0x204D;
inline constexpr uint16_t kSettingsBits4E = 0x204E;
inline constexpr uint16_t kCurrentAChannel = 0x204F; // 0-based A memory index
inline constexpr uint16_t kCurrentBChannel = 0x2050; // 0-based B memory index
inline constexpr uint16_t kGreeting = 0x2060;
inline constexpr int kGreetingLength = 7;
inline constexpr uint16_t kDualStandbyResetTime = 0x2070;
inline constexpr uint16_t kDualWatchTime = 0x2071;

// DTMF.
inline constexpr uint16_t kDtmfRate = 0x2080;
inline constexpr uint16_t kDtmfFirstDigitDelay = 0x2081;
inline constexpr uint16_t kDtmfFirstDigitTime = 0x2082;
inline constexpr uint16_t kDtmfStarHashTime = 0x2083;
inline constexpr uint16_t kDtmfPttIdStart = 0x2088;
inline constexpr uint16_t kDtmfPttIdEnd = 0x2098;
inline constexpr int kDtmfPttIdLength = 16;
inline constexpr uint16_t kDtmfGroupCallCode = 0x20A8;
inline constexpr uint16_t kDtmfOwnId = 0x20B0;
inline constexpr int kDtmfOwnIdLength = 7;
inline constexpr uint16_t kDtmfKillCode = 0x20C0;
inline constexpr int kDtmfKillCodeLength = 16;
inline constexpr uint16_t kDtmfAlarmCode = 0x20D0;
inline constexpr int kDtmfAlarmCodeLength = 8;
inline constexpr uint16_t kDtmfAutoResetTime = 0x20D8;
inline constexpr uint16_t kDtmfFlags = 0x20D9;
inline constexpr uint16_t kDtmfDecodeTime = 0x20DA;
inline constexpr uint16_t kDtmfWaitTime = 0x20DB;
inline constexpr uint16_t kDtmfKillType = 0x20DC;
inline constexpr uint16_t kDtmfAniSeparator = 0x20DD;
inline constexpr uint16_t kDtmfCodeList = 0x20E0;
inline constexpr int kDtmfCodeListRows = 10;
inline constexpr int kDtmfCodeLength = 16;

// Derived identity and channel summaries.
inline constexpr uint16_t kModelName = 0x2E00;
inline constexpr int kModelNameLength = 16;
inline constexpr uint16_t kBandLimits = 0x2E10;
inline constexpr uint16_t kBandALow = 0x2E10;
inline constexpr uint16_t kBandAHigh = 0x2E14;
inline constexpr uint16_t kBandBLow = 0x2E18;
inline constexpr uint16_t kBandBHigh = 0x2E1C;
inline constexpr uint16_t kBandALowTopByte = 0x2E13; // 0xFF: the A pair is blank
inline constexpr uint16_t kBandBLowTopByte = 0x2E1B; // 0xFF: the B pair is blank
inline constexpr uint16_t kFirstPresentA = 0x2E20;
inline constexpr uint16_t kFirstPresentB = 0x2E21;
inline constexpr uint16_t kDerivedBlank = 0x2E28;
inline constexpr int kDerivedBlankLength = 16;
inline constexpr uint16_t kPresenceA = 0x2E40;
inline constexpr uint16_t kScanA = 0x2E50;
inline constexpr uint16_t kPresenceB = 0x2E60;
inline constexpr uint16_t kScanB = 0x2E70;
inline constexpr int kBitmapLength = 16;
inline constexpr uint16_t kVariantBlock = 0x2F00;
inline constexpr int kVariantBlockLength = 112;
inline constexpr uint16_t kFixedBlock = 0x2F70;
inline constexpr int kFixedBlockLength = 8;

// FM broadcast radio.
inline constexpr uint16_t kFmCurrentFrequency = 0x2F80;
inline constexpr std::size_t kFmFrequencyLength = 3; // 6 BCD digits in kHz
inline constexpr uint16_t kFmCurrentPreset = 0x2F84;
inline constexpr uint16_t kFmPresets = 0x2F88;
inline constexpr int kFmPresetCount = 20;
inline constexpr int kFmPresetSize = 4;

// Service areas.
inline constexpr uint16_t kDtmfDecoder = 0x3E00;
inline constexpr uint16_t kSquelchDetectRows = 0x3E40;
inline constexpr uint16_t kSquelchLevelRows = 0x3E80;
inline constexpr uint16_t kLevelTable = 0x3EB0;
inline constexpr int kLevelTableLength = 10;
inline constexpr uint16_t kCalibration = 0x3F00;
inline constexpr uint16_t kPowerCalibrationRows = 0x3F30;
inline constexpr uint16_t kCalibrationSlopes = 0x3F42;
inline constexpr uint16_t kCalibrationFrequencies = 0x3F70;
inline constexpr int kCalibrationGroupSize = 20;

// The calibration rows of one hardware range r start at row block + r * stride.
inline constexpr int kSquelchLevelRowSize = 3; // " sql 1", " sql 9"
inline constexpr int kSquelchLevelRangeStride = 6;
inline constexpr int kPowerRowSize = 3; // low power, high power
inline constexpr int kPowerRangeStride = 6;
inline constexpr int kSquelchDetectRowSize = 4; // detect 1..3
inline constexpr int kSquelchDetectRangeStride = 12;

// The single calibration values of the transceiver chip and the MCU.
namespace cal {
inline constexpr uint16_t kTxDrive = 0x3F00; // U band bits 4-7, V band bits 0-3
inline constexpr uint16_t kBypassMicAnalogueGain = 0x3F01;
inline constexpr uint16_t kBypassMicDigitalGain = 0x3F02;
inline constexpr uint16_t kBypassMicModulationGain = 0x3F03;
inline constexpr uint16_t kMicAnalogueGain = 0x3F04;
inline constexpr uint16_t kMicDigitalGain = 0x3F05;
inline constexpr uint16_t kMicModulationGain = 0x3F06;
inline constexpr uint16_t kNarrowDeviation = 0x3F08; // 16-bit little-endian, value * 64
inline constexpr uint16_t kWideDeviation = 0x3F0A;
inline constexpr uint16_t kNarrowAnalogueSubDeviation = 0x3F0C;
inline constexpr uint16_t kNarrowDigitalSubDeviation = 0x3F0D;
inline constexpr uint16_t kWideAnalogueSubDeviation = 0x3F0E;
inline constexpr uint16_t kWideDigitalSubDeviation = 0x3F0F;
inline constexpr uint16_t kBypassReceiveGains = 0x3F10; // output gain bits 4-7, volume 0-3
inline constexpr uint16_t kReceiveGains = 0x3F11;
inline constexpr uint16_t kVSquelchLow1 = 0x3F12;
inline constexpr uint16_t kVSquelchLow2 = 0x3F13;
inline constexpr uint16_t kUSquelchLow = 0x3F14;
inline constexpr uint16_t kBypassSignallingAmplitude = 0x3F17;
inline constexpr uint16_t kSignallingAmplitude = 0x3F18;
inline constexpr uint16_t kMicGain = 0x3F19;
inline constexpr uint16_t kModulationGain = 0x3F1A; // 16-bit little-endian
inline constexpr uint16_t kAudioInputGain = 0x3F1C;
inline constexpr uint16_t kNormalAudioOutput = 0x3F1D;
inline constexpr uint16_t kScramblerAudioOutput = 0x3F1E;
inline constexpr uint16_t kCompressThreshold = 0x3F20; // 16-bit little-endian
inline constexpr uint16_t kExpandThreshold = 0x3F22;
inline constexpr uint16_t kFilterFlags = 0x3F26;
inline constexpr uint16_t kMcuFlags = 0x3F27;
} // namespace cal

// What each radio exchange carries.
inline constexpr CRange kCloneRanges[2] = {{0x0000, 0x3000}, {0x3F70, 0x4000}};
inline constexpr CRange kInitialiseRanges[2] = {{0x0000, 0x4000}, {0x2000, 0x2000}};
inline constexpr CRange kCalibrationRange{0x3E40, 0x3F70};
inline constexpr CRange kDtmfDecoderRange{0x3E00, 0x3E30};

} // namespace tarsel::map
