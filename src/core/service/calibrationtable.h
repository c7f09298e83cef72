// What the parameter adjustment window shows: its three calibration grids, its numeric fields and
// its check boxes, each as one row of a table that drives load, store and building the controls.
#pragma once

#include "core/image/memorymap.h"

#include <array>
#include <cstdint>

namespace tarsel {

enum class ECalibrationGroup { Chip, Mcu }; // the frames "1846S" and "MCU"

// How a numeric field sits in the image.
enum class EFieldEncoding {
    Byte,          // the low 8 bits
    HighNibble,    // bits 4-7, the rest of the byte kept
    LowNibble,     // bits 0-3
    DeviationWord, // 16-bit little-endian, value * 64
    Word,          // 16-bit little-endian
};

struct CCalibrationField {
    const char* caption;
    int editId;
    int spinId;
    int minimum;
    int maximum;
    int maxChars;
    int base; // 10, or 16 for the compander thresholds ("%x")
    uint16_t offset;
    EFieldEncoding encoding;
    bool validated; // clamped by the validation pass
    bool hidden;    // never shown, but loaded and stored
    ECalibrationGroup group;
};

namespace detail {
using E = EFieldEncoding;
using G = ECalibrationGroup;
} // namespace detail

// In the order they are loaded.
// clang-format off
inline constexpr std::array<CCalibrationField, 30> kCalibrationFields{{
    {"U段发射功率驱动", 1203, 1204, 0, 15, 2, 10, map::cal::kTxDrive, detail::E::HighNibble, true, false, detail::G::Chip},
    {"V段发射功率驱动", 1213, 1214, 0, 15, 2, 10, map::cal::kTxDrive, detail::E::LowNibble, false, false, detail::G::Chip},
    {"MCU 旁路MIC 模拟增益", 1167, 1168, 0, 31, 2, 10, map::cal::kBypassMicAnalogueGain, detail::E::Byte, true, false, detail::G::Mcu},
    {"MCU旁路MIC 数字增益", 1143, 1144, 0, 63, 2, 10, map::cal::kBypassMicDigitalGain, detail::E::Byte, true, false, detail::G::Mcu},
    {"MCU旁路MIC调制增益", 1165, 1166, 0, 31, 2, 10, map::cal::kBypassMicModulationGain, detail::E::Byte, true, false, detail::G::Mcu},
    {"MIC 模拟增益", 1120, 1121, 0, 31, 2, 10, map::cal::kMicAnalogueGain, detail::E::Byte, true, false, detail::G::Chip},
    {"MIC 数字增益", 1112, 1113, 0, 63, 2, 10, map::cal::kMicDigitalGain, detail::E::Byte, true, false, detail::G::Chip},
    {"MIC调制增益", 1114, 1115, 0, 15, 2, 10, map::cal::kMicModulationGain, detail::E::Byte, true, false, detail::G::Chip},
    {"窄带话音+亚音频偏", 1116, 1117, 0, 1023, 4, 10, map::cal::kNarrowDeviation, detail::E::DeviationWord, true, false, detail::G::Chip},
    {"宽带话音+亚音频偏", 1151, 1152, 0, 1023, 4, 10, map::cal::kWideDeviation, detail::E::DeviationWord, true, false, detail::G::Chip},
    {"窄带模拟 亚音频偏", 1118, 1119, 0, 63, 2, 10, map::cal::kNarrowAnalogueSubDeviation, detail::E::Byte, true, false, detail::G::Chip},
    {"窄带数字 亚音频偏", 1145, 1146, 0, 63, 2, 10, map::cal::kNarrowDigitalSubDeviation, detail::E::Byte, true, false, detail::G::Chip},
    {"宽带模拟 亚音频偏", 1147, 1148, 0, 63, 2, 10, map::cal::kWideAnalogueSubDeviation, detail::E::Byte, true, false, detail::G::Chip},
    {"宽带数字 亚音频偏", 1149, 1150, 0, 63, 2, 10, map::cal::kWideDigitalSubDeviation, detail::E::Byte, true, false, detail::G::Chip},
    {"MCU旁路接收输出增益", 1169, 1170, 0, 15, 2, 10, map::cal::kBypassReceiveGains, detail::E::HighNibble, true, false, detail::G::Mcu},
    {"MCU旁路音量输出控制", 1171, 1172, 0, 15, 2, 10, map::cal::kBypassReceiveGains, detail::E::LowNibble, true, false, detail::G::Mcu},
    {"接收输出增益", 1122, 1123, 0, 15, 2, 10, map::cal::kReceiveGains, detail::E::HighNibble, true, false, detail::G::Chip},
    {"音量输出控制", 1124, 1125, 0, 15, 2, 10, map::cal::kReceiveGains, detail::E::LowNibble, true, false, detail::G::Chip},
    {"正常音频输出", 1163, 1164, 0, 255, 3, 10, map::cal::kNormalAudioOutput, detail::E::Byte, false, false, detail::G::Chip},
    {"扰频音频输出", 1126, 1127, 0, 255, 3, 10, map::cal::kScramblerAudioOutput, detail::E::Byte, true, false, detail::G::Chip},
    {"MCU旁路信令幅度", 1141, 1142, 0, 255, 3, 10, map::cal::kBypassSignallingAmplitude, detail::E::Byte, true, false, detail::G::Mcu},
    {"信令幅度", 1133, 1134, 0, 255, 3, 10, map::cal::kSignallingAmplitude, detail::E::Byte, true, false, detail::G::Chip},
    {"MIC 增益", 1135, 1136, 0, 31, 2, 10, map::cal::kMicGain, detail::E::Byte, true, false, detail::G::Chip},
    {"MOD 增益", 1137, 1138, 0, 1023, 4, 10, map::cal::kModulationGain, detail::E::Word, true, false, detail::G::Chip},
    {"音频输入增益", 1139, 1140, 0, 31, 2, 10, map::cal::kAudioInputGain, detail::E::Byte, true, false, detail::G::Chip},
    {"压扩压阈值", 1128, 1129, 0, 0xFFFF, 4, 16, map::cal::kCompressThreshold, detail::E::Word, false, false, detail::G::Chip},
    {"压扩扩阈值", 1161, 1162, 0, 0xFFFF, 4, 16, map::cal::kExpandThreshold, detail::E::Word, false, false, detail::G::Chip},
    {"V段静噪低阈值", 1154, 1155, 0, 127, 3, 10, map::cal::kVSquelchLow1, detail::E::Byte, false, true, detail::G::Chip},
    {"V段静噪低阈值", 1158, 1159, 0, 127, 3, 10, map::cal::kVSquelchLow2, detail::E::Byte, false, true, detail::G::Chip},
    {"U段静噪低阈值", 1156, 1157, 0, 127, 3, 10, map::cal::kUSquelchLow, detail::E::Byte, false, true, detail::G::Chip},
}};
// clang-format on

struct CCalibrationCheck {
    const char* caption;
    uint16_t offset;
    int bit;
    bool inverted; // checked when the bit is 0
    ECalibrationGroup group;
};

inline constexpr std::array<CCalibrationCheck, 12> kCalibrationChecks{{
    {"预加重", map::cal::kFilterFlags, 0, false, detail::G::Chip},
    {"去加重", map::cal::kFilterFlags, 1, false, detail::G::Chip},
    {"RDA1846S HPF", map::cal::kFilterFlags, 2, false, detail::G::Chip},
    {"RDA1846S LPF", map::cal::kFilterFlags, 3, false, detail::G::Chip},
    {"RDA1846S RSSI", map::cal::kFilterFlags, 4, false, detail::G::Chip},
    {"MCU HPF", map::cal::kFilterFlags, 5, false, detail::G::Mcu},
    {"MCU LPF", map::cal::kFilterFlags, 6, false, detail::G::Mcu},
    {"RDA1846s 软闭音", map::cal::kFilterFlags, 7, true, detail::G::Chip},
    {"MCU 预加重", map::cal::kMcuFlags, 0, false, detail::G::Mcu},
    {"MCU 去加重", map::cal::kMcuFlags, 1, false, detail::G::Mcu},
    {"MCU 接收旁路", map::cal::kMcuFlags, 6, false, detail::G::Mcu},
    {"MCU 发射旁路", map::cal::kMcuFlags, 7, false, detail::G::Mcu},
}};

// One calibration grid: its columns, its rows per band and where they live per hardware range.
struct CCalibrationGrid {
    int gridId;
    int editorId;
    int spinId;
    int minimum;
    int maximum;
    int maxChars;
    int labelTwips;
    int columnTwips;
    int columns; // data columns = bytes per row
    std::array<const char*, 4> headers;
    int rowsPerBand;
    std::array<const char*, 3> rowTexts;
    uint16_t firstRow; // range 0
    int rangeStride;   // to the same row of the next hardware range
    int rowStride;     // to the next row of the same range
};

inline constexpr int kSquelchLevelGrid = 0;
inline constexpr int kPowerGrid = 1;
inline constexpr int kSquelchDetectGrid = 2;

inline constexpr std::array<CCalibrationGrid, 3> kCalibrationGrids{{
    {1130,
     1205,
     1206,
     0,
     127,
     3,
     1500,
     1000,
     3,
     {"低端", "中端", "高端", ""},
     2,
     {" sql 1", " sql 9", ""},
     map::kSquelchLevelRows,
     map::kSquelchLevelRangeStride,
     map::kSquelchLevelRowSize},
    {1153,
     1209,
     1210,
     1,
     255,
     3,
     1500,
     1000,
     3,
     {"低端", "中端", "高端", ""},
     2,
     {" 低功率", " 高功率", ""},
     map::kPowerCalibrationRows,
     map::kPowerRangeStride,
     map::kPowerRowSize},
    {1160,
     1211,
     1212,
     0,
     137,
     3,
     1650,
     800,
     4,
     {"宽带 高", "宽带 低", "窄带 高", "窄带 低"},
     3,
     {" 静噪检测1", " 静噪检测2", " 静噪检测3"},
     map::kSquelchDetectRows,
     map::kSquelchDetectRangeStride,
     map::kSquelchDetectRowSize},
}};

} // namespace tarsel
