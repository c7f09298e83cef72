#include "core/interchange/csvrowrules.h"

#include "core/image/channelrecord.h"
#include "core/image/decimal.h"
#include "core/image/frequency.h"
#include "core/image/tone.h"
#include "core/interchange/csvtext.h"

#include <algorithm>
#include <cstdio>

namespace tarsel::csv {

namespace {

constexpr int kMegahertzDecimals = 6;

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one point and at least one digit.
bool IsPlainDecimal(std::string_view text) {
    int points = 0, digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (IsDigit(c))
            ++digits;
        else
            return false;
    }
    return points <= 1 && digits > 0;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool InToneList(const std::string& text) {
    const auto& list = ToneList();
    return std::find(list.begin(), list.end(), text) != list.end();
}

std::string BandsText(const CBandLimits& limits) {
    return MegahertzText(limits.low[0]) + "-" + MegahertzText(limits.high[0]) + " and " +
           MegahertzText(limits.low[1]) + "-" + MegahertzText(limits.high[1]) + " MHz";
}

// A frequency in a band, snapped onto the raster as the grid snaps a typed one.
std::optional<CRowError> PlaceFrequency(int64_t& value, ECsvColumn column, const char* what,
                                        const CBandLimits& limits,
                                        std::vector<CRowError>& warnings) {
    const int64_t snapped = SnapOffRaster(value);
    if (BandOfValue(limits, value) == -1 || BandOfValue(limits, snapped) == -1)
        return CRowError{column, std::string(what) + " " + MegahertzText(value) +
                                     " MHz is outside the bands (" + BandsText(limits) + ")"};
    if (snapped != value)
        warnings.push_back({column, std::string(what) + " " + MegahertzText(value) +
                                        " MHz is off the channel raster; taken as " +
                                        MegahertzText(snapped) + " MHz"});
    value = snapped;
    return std::nullopt;
}

std::optional<CRowError> JudgeFrequencies(const CRowValues& values, const CBandLimits& limits,
                                          CCsvChannel& channel, std::vector<CRowError>& warnings) {
    const auto rx = ReadMegahertz(values[kCsvFrequency]);
    if (!rx || *rx == 0)
        return CRowError{kCsvFrequency,
                         Quoted(values[kCsvFrequency]) + " is not a frequency in MHz"};
    channel.rx = *rx;
    if (auto error = PlaceFrequency(channel.rx, kCsvFrequency, "receive", limits, warnings))
        return error;

    const std::string duplex = Lower(values[kCsvDuplex]);
    if (duplex.empty()) {
        channel.tx = channel.rx;
        return std::nullopt;
    }
    if (duplex == "off")
        return CRowError{kCsvDuplex, "this radio cannot stop a channel from transmitting: "
                                     "'off' (receive only) is refused"};
    if (duplex != "+" && duplex != "-" && duplex != "split")
        return CRowError{kCsvDuplex, Quoted(values[kCsvDuplex]) + " is not '', '+', '-', "
                                                                  "'split' or 'off'"};
    const std::string& offsetText = values[kCsvOffset];
    const auto offset = offsetText.empty() && duplex != "split" ? std::optional<int64_t>(0)
                                                                : ReadMegahertz(offsetText);
    if (!offset || (duplex == "split" && *offset == 0))
        return CRowError{kCsvOffset, Quoted(offsetText) + " is not a frequency in MHz"};
    // Offsets as published are taken from the receive frequency as the file states it.
    const int64_t stated = *ReadMegahertz(values[kCsvFrequency]);
    channel.tx = duplex == "+" ? stated + *offset : duplex == "-" ? stated - *offset : *offset;
    if (duplex != "split" && *offset == 0) channel.tx = channel.rx;
    if (channel.tx <= 0)
        return CRowError{kCsvOffset, "the transmit frequency would be below 0 MHz"};
    return PlaceFrequency(channel.tx, kCsvOffset, "transmit", limits, warnings);
}

// A CTCSS frequency of the tone list ("88.5", "88.50", " 100 ") as its tone-list text.
std::optional<CRowError> ReadCtcss(const CRowValues& values, ECsvColumn column, std::string& tone) {
    const std::string& text = values[column];
    if (IsPlainDecimal(text)) {
        const int64_t hundredths = ScaleText(text, 2);
        tone = FormatScaled(hundredths / 10, 1);
        if (hundredths % 10 == 0 && InToneList(tone)) return std::nullopt;
    }
    return CRowError{column, Quoted(text) + " is not a CTCSS tone of this radio"};
}

// A DCS code of the tone list ("023", "23") with the polarity letter N or R.
std::optional<CRowError> ReadDcs(const CRowValues& values, ECsvColumn column, char polarity,
                                 std::string& tone) {
    const std::string& text = values[column];
    if (!text.empty() && text.size() <= 3 && std::all_of(text.begin(), text.end(), IsDigit)) {
        char word[16];
        std::snprintf(word, sizeof word, "D%03d%c", std::stoi(text), polarity == 'R' ? 'I' : 'N');
        tone = word;
        if (InToneList(tone)) return std::nullopt;
    }
    return CRowError{column, Quoted(text) + " is not a DCS code of this radio"};
}

std::optional<CRowError> JudgeTones(const CRowValues& values, CCsvChannel& channel) {
    const std::string mode = Lower(values[kCsvTone]);
    std::string left, right; // transmit and receive kinds: "", "tone", "dtcs"
    if (mode == "tone") {
        left = "tone";
    } else if (mode == "tsql") {
        // Both ways on cToneFreq.
        if (auto error = ReadCtcss(values, kCsvCToneFreq, channel.txTone)) return error;
        channel.rxTone = channel.txTone;
        return std::nullopt;
    } else if (mode == "dtcs") {
        left = right = "dtcs";
    } else if (mode == "cross") {
        const std::string cross = Lower(values[kCsvCrossMode]);
        const auto arrow = cross.find("->");
        if (arrow != std::string::npos) {
            left = cross.substr(0, arrow);
            right = cross.substr(arrow + 2);
        }
        const auto known = [](const std::string& side) {
            return side.empty() || side == "tone" || side == "dtcs";
        };
        if (arrow == std::string::npos || !known(left) || !known(right) ||
            (left.empty() && right.empty()))
            return CRowError{kCsvCrossMode, Quoted(values[kCsvCrossMode]) +
                                                " is not a cross mode this radio can use"};
    } else if (mode == "tsql-r" || mode == "dtcs-r") {
        return CRowError{kCsvTone, Quoted(values[kCsvTone]) +
                                       " (reversed squelch) is not a mode this radio has"};
    } else if (!mode.empty()) {
        return CRowError{kCsvTone, Quoted(values[kCsvTone]) + " is not a tone mode"};
    }

    std::string polarity = values[kCsvDtcsPolarity].empty() ? "NN" : values[kCsvDtcsPolarity];
    for (char& c : polarity)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((left == "dtcs" || right == "dtcs") &&
        (polarity.size() != 2 || polarity.find_first_not_of("NR") != std::string::npos))
        return CRowError{kCsvDtcsPolarity,
                         Quoted(values[kCsvDtcsPolarity]) + " is not two letters N or R"};

    // Mode DTCS uses DtcsCode both ways; a cross mode takes the receive code from RxDtcsCode.
    const ECsvColumn rxCode = mode == "dtcs" ? kCsvDtcsCode : kCsvRxDtcsCode;
    std::optional<CRowError> error;
    if (left == "tone") error = ReadCtcss(values, kCsvRToneFreq, channel.txTone);
    if (left == "dtcs") error = ReadDcs(values, kCsvDtcsCode, polarity[0], channel.txTone);
    if (error) return error;
    if (right == "tone") error = ReadCtcss(values, kCsvCToneFreq, channel.rxTone);
    if (right == "dtcs") error = ReadDcs(values, rxCode, polarity[1], channel.rxTone);
    return error;
}

std::optional<CRowError> JudgeChoices(const CRowValues& values, CCsvChannel& channel) {
    const std::string mode = Lower(values[kCsvMode]);
    if (mode == "fm" || mode.empty())
        channel.wide = true;
    else if (mode == "nfm")
        channel.wide = false;
    else
        return CRowError{kCsvMode, Quoted(values[kCsvMode]) + " is not FM or NFM"};

    channel.scan = values[kCsvSkip] != "S";

    const std::string power = Lower(values[kCsvPower]);
    if (power.empty() || power == "high" || power == "h") {
        channel.highPower = true;
    } else if (power == "low" || power == "l") {
        channel.highPower = false;
    } else {
        std::string_view figure = power;
        if (figure.ends_with('w')) figure = TrimBlanks(figure.substr(0, figure.size() - 1));
        if (!IsPlainDecimal(figure))
            return CRowError{kCsvPower,
                             Quoted(values[kCsvPower]) + " is not High, Low or a power in watts"};
        channel.highPower = ScaleText(figure, 2) >= 200;
    }
    return std::nullopt;
}

std::optional<CRowError> JudgeName(const std::string& name, CCsvChannel& channel,
                                   std::vector<CRowError>& warnings) {
    if (!std::all_of(name.begin(), name.end(), IsNameChar))
        return CRowError{kCsvName, Quoted(name) + " holds a character other than printable ASCII"};
    channel.name = name.substr(0, map::rec::kNameLength);
    if (name.size() > channel.name.size())
        warnings.push_back({kCsvName, Quoted(name) + " is longer than 7 characters; cut to " +
                                          Quoted(channel.name)});
    return std::nullopt;
}

} // namespace

std::string MegahertzText(int64_t units) { return FormatScaled(units * 10, kMegahertzDecimals); }

std::optional<int64_t> ReadMegahertz(std::string_view text) {
    text = TrimBlanks(text);
    if (!IsPlainDecimal(text) || text.size() > 15) return std::nullopt;
    return ParseFrequencyText(text);
}

std::optional<CRowError> JudgeRow(const CRowValues& values, const CBandLimits& limits,
                                  CCsvChannel& channel, std::vector<CRowError>& warnings) {
    if (auto error = JudgeFrequencies(values, limits, channel, warnings)) return error;
    if (auto error = JudgeTones(values, channel)) return error;
    if (auto error = JudgeChoices(values, channel)) return error;
    return JudgeName(values[kCsvName], channel, warnings);
}

} // namespace tarsel::csv
