#include "core/interchange/channelcsv.h"

#include "core/image/channeltable.h"
#include "core/image/frequency.h"
#include "core/image/tone.h"
#include "core/interchange/csvrowrules.h"
#include "core/interchange/csvtext.h"

#include <cstdio>

namespace tarsel {

namespace {

using csv::MegahertzText;

// One side of a channel's tones as the list names it.
struct CToneSide {
    enum EKind { None, Ctcss, Dcs } kind = None;
    std::string ctcss; // "88.5"
    std::string code;  // "023"
    char polarity = 'N';
};

CToneSide SideOf(const std::string& text) {
    CToneSide side;
    if (text.empty() || text == kNoTone) return side;
    if (text.front() == 'D') {
        side.kind = CToneSide::Dcs;
        char code[8];
        std::snprintf(code, sizeof code, "%03d", std::atoi(text.c_str() + 1));
        side.code = code;
        side.polarity = text.back() == 'I' ? 'R' : 'N';
    } else {
        side.kind = CToneSide::Ctcss;
        side.ctcss = text;
    }
    return side;
}

const char* KindName(const CToneSide& side) {
    return side.kind == CToneSide::Ctcss ? "Tone" : side.kind == CToneSide::Dcs ? "DTCS" : "";
}

// Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode: the reading rules
// inverted, every column a mode does not use at its usual filler.
void WriteTones(const CToneSide& tx, const CToneSide& rx,
                std::array<std::string, kCsvColumnCount>& out) {
    out[kCsvTone] = "";
    out[kCsvRToneFreq] = "88.5";
    out[kCsvCToneFreq] = "88.5";
    out[kCsvDtcsCode] = "023";
    out[kCsvDtcsPolarity] = "NN";
    out[kCsvRxDtcsCode] = "023";
    out[kCsvCrossMode] = "Tone->Tone";
    if (tx.kind == CToneSide::None && rx.kind == CToneSide::None) return;
    if (tx.kind == CToneSide::Ctcss && rx.kind == CToneSide::None) {
        out[kCsvTone] = "Tone";
        out[kCsvRToneFreq] = tx.ctcss;
        return;
    }
    if (tx.kind == CToneSide::Ctcss && rx.kind == CToneSide::Ctcss && tx.ctcss == rx.ctcss) {
        out[kCsvTone] = "TSQL";
        out[kCsvRToneFreq] = out[kCsvCToneFreq] = tx.ctcss;
        return;
    }
    out[kCsvDtcsPolarity] = {tx.kind == CToneSide::Dcs ? tx.polarity : 'N',
                             rx.kind == CToneSide::Dcs ? rx.polarity : 'N'};
    if (tx.kind == CToneSide::Dcs && rx.kind == CToneSide::Dcs && tx.code == rx.code) {
        out[kCsvTone] = "DTCS";
        out[kCsvDtcsCode] = tx.code;
        return;
    }
    out[kCsvTone] = "Cross";
    out[kCsvCrossMode] = std::string(KindName(tx)) + "->" + KindName(rx);
    if (tx.kind == CToneSide::Ctcss) out[kCsvRToneFreq] = tx.ctcss;
    if (tx.kind == CToneSide::Dcs) out[kCsvDtcsCode] = tx.code;
    if (rx.kind == CToneSide::Ctcss) out[kCsvCToneFreq] = rx.ctcss;
    if (rx.kind == CToneSide::Dcs) out[kCsvRxDtcsCode] = rx.code;
}

} // namespace

std::string WriteChannelCsv(const CMemoryImage& image, CBandLimits limits) {
    CChannelTable table;
    FillChannelTable(image, limits, table);
    std::string text;
    for (const char* name : CsvColumnNames()) text.append(text.empty() ? "" : ",").append(name);
    text += '\n';
    for (int channel = 1; channel <= kCsvLastChannel; ++channel) {
        const CChannelRow& row = table.Row(channel);
        if (row.IsEmpty()) continue;
        std::array<std::string, kCsvColumnCount> out;
        out[kCsvLocation] = std::to_string(channel);
        out[kCsvName] = row.name;
        const int64_t rx = ParseFrequencyText(row[kColumnRx]);
        // A record without a transmit frequency is written as one that sends where it listens.
        const int64_t tx = row[kColumnTx].empty() ? rx : ParseFrequencyText(row[kColumnTx]);
        out[kCsvFrequency] = MegahertzText(rx);
        if (tx == rx) {
            out[kCsvOffset] = MegahertzText(0);
        } else if (BandOfValue(limits, tx) != -1 && SameBand(limits, rx, tx)) {
            out[kCsvDuplex] = tx > rx ? "+" : "-";
            out[kCsvOffset] = MegahertzText(tx > rx ? tx - rx : rx - tx);
        } else {
            out[kCsvDuplex] = "split";
            out[kCsvOffset] = MegahertzText(tx);
        }
        WriteTones(SideOf(row[kColumnTxTone]), SideOf(row[kColumnRxTone]), out);
        out[kCsvMode] = row[kColumnBandwidth] == ChoiceEntries(kColumnBandwidth)[0] ? "NFM" : "FM";
        out[kCsvTStep] = "5.00";
        out[kCsvSkip] = row[kColumnScan] == ChoiceEntries(kColumnScan)[0] ? "S" : "";
        out[kCsvPower] = row[kColumnPower] == ChoiceEntries(kColumnPower)[1] ? "5.0W" : "1.0W";
        for (int column = 0; column < kCsvColumnCount; ++column)
            text.append(column == 0 ? "" : ",").append(CsvField(out[column]));
        text += '\n';
    }
    return text;
}

} // namespace tarsel
