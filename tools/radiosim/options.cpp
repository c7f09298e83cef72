#include "radiosim/options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace radiosim {

namespace {

using Setter = std::function<void(CConfig&, std::string_view)>;

struct COption {
    std::string_view name;
    std::string_view argument; // empty: a flag
    std::string_view help;
    Setter set;
};

[[noreturn]] void Bad(std::string_view what, std::string_view text) {
    throw std::invalid_argument(std::string(what) + ": \"" + std::string(text) + "\"");
}

// Decimal, or hexadecimal after 0x.
int ParseInt(std::string_view text, int low, int high) {
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    int value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        value < low || value > high)
        Bad("expected a number from " + std::to_string(low) + " to " + std::to_string(high), text);
    return value;
}

uint8_t ParseByte(std::string_view text) { return static_cast<uint8_t>(ParseInt(text, 0, 255)); }

// A reply byte, or "none" for no reply at all.
int ParseReply(std::string_view text) { return text == "none" ? kNoReply : ParseByte(text); }

// "146.52" MHz to 10 Hz units, exactly: at most five decimals.
uint32_t ParseMegahertz(std::string_view text) {
    const std::size_t point = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, point);
    std::string_view fraction = point < text.size() ? text.substr(point + 1) : std::string_view{};
    if (fraction.size() > 5) Bad("at most five decimals of MHz", text);
    const auto all_digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > 3 || !all_digits(whole) || !all_digits(fraction))
        Bad("expected MHz such as 136 or 174.125", text);
    uint32_t value = 0;
    for (char c : whole) value = value * 10 + static_cast<uint32_t>(c - '0');
    for (std::size_t i = 0; i < 5; ++i)
        value = value * 10 + (i < fraction.size() ? static_cast<uint32_t>(fraction[i] - '0') : 0);
    return value;
}

CBandLimits ParseBand(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) Bad("expected LOW-HIGH in MHz", text);
    return {ParseMegahertz(text.substr(0, dash)), ParseMegahertz(text.substr(dash + 1))};
}

std::vector<uint8_t> ParseFirmware(std::string_view text) {
    std::vector<uint8_t> bytes;
    while (!text.empty()) {
        const std::size_t dot = std::min(text.find('.'), text.size());
        bytes.push_back(static_cast<uint8_t>(ParseInt(text.substr(0, dot), 0, 254)));
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    if (bytes.size() > 7) Bad("at most seven version numbers", text);
    return bytes;
}

// "K" or "K:VALUE"; returns K and leaves VALUE (possibly empty) in `rest`.
int ParseBlock(std::string_view text, std::string_view& rest) {
    const std::size_t colon = std::min(text.find(':'), text.size());
    rest = colon < text.size() ? text.substr(colon + 1) : std::string_view{};
    return ParseInt(text.substr(0, colon), 0, 1023);
}

constexpr int kMaxInt = std::numeric_limits<int>::max();

const std::vector<COption>& Options() {
    static const std::vector<COption> options{
        {"--link", "PATH", "make PATH a symbolic link to the device",
         [](CConfig& c, std::string_view v) { c.linkPath = v; }},
        {"--memory", "FILE", "load the memory from FILE (short: rest 0xFF); saves go there",
         [](CConfig& c, std::string_view v) { c.memoryPath = v; }},
        {"--save-on-write", "", "save after every exchange that stored blocks",
         [](CConfig& c, std::string_view) { c.saveOnWrite = true; }},
        {"--save-on-exit", "", "save on exit",
         [](CConfig& c, std::string_view) { c.saveOnExit = true; }},
        {"--pace", "", "take 9600 baud 8-N-1 time for every byte, both ways",
         [](CConfig& c, std::string_view) { c.pace = true; }},
        {"--trace", "FILE", "write every frame to FILE (- for stderr)",
         [](CConfig& c, std::string_view v) { c.tracePath = v; }},
        {"--model", "TEXT", "model name in the identification (default TZ-316)",
         [](CConfig& c, std::string_view v) {
             if (v.size() > 8) Bad("at most 8 characters", v);
             c.model = v;
         }},
        {"--model-pad", "BYTE", "byte after the model name (default 0)",
         [](CConfig& c, std::string_view v) { c.modelPad = ParseByte(v); }},
        {"--firmware", "N.N.N", "firmware version bytes (default 1.2.3)",
         [](CConfig& c, std::string_view v) { c.firmware = ParseFirmware(v); }},
        {"--variant", "BYTE", "variant flag (default 0)",
         [](CConfig& c, std::string_view v) { c.variant = ParseByte(v); }},
        {"--band-a", "LOW-HIGH", "A band limits in MHz (default 136-174)",
         [](CConfig& c, std::string_view v) { c.bandA = ParseBand(v); }},
        {"--band-b", "LOW-HIGH", "B band limits in MHz (default 400-480)",
         [](CConfig& c, std::string_view v) { c.bandB = ParseBand(v); }},
        {"--silent", "", "fault: never answer",
         [](CConfig& c, std::string_view) { c.faults.silent = true; }},
        {"--stray", "N", "fault: N zero bytes before the first \"PG\"",
         [](CConfig& c, std::string_view v) { c.faults.strayBytes = ParseInt(v, 0, 4096); }},
        {"--start-ack", "BYTE|none", "fault: this reply to the start acknowledge",
         [](CConfig& c, std::string_view v) { c.faults.startAckReply = ParseReply(v); }},
        {"--ident-length", "M", "fault: send only M bytes of the identification",
         [](CConfig& c, std::string_view v) { c.faults.identLength = ParseInt(v, 0, 32); }},
        {"--bad-ack", "K[:BYTE|none]", "fault: wrong acknowledge (default 0x42) at block K",
         [](CConfig& c, std::string_view v) {
             std::string_view reply;
             c.faults.badAckBlock = ParseBlock(v, reply);
             if (!reply.empty()) c.faults.badAckReply = ParseReply(reply);
         }},
        {"--hang-up", "K", "fault: pull the cable at block K",
         [](CConfig& c, std::string_view v) { c.faults.hangUpBlock = ParseInt(v, 0, 1023); }},
        {"--stall", "K:MS", "fault: pause MS ms inside block K",
         [](CConfig& c, std::string_view v) {
             std::string_view ms;
             c.faults.stallBlock = ParseBlock(v, ms);
             c.faults.stallMs = ParseInt(ms, 0, 600000);
         }},
        {"--corrupt-write", "K:OFFSET",
         "fault: acknowledge write block K but store byte OFFSET of it inverted",
         [](CConfig& c, std::string_view v) {
             std::string_view offset;
             c.faults.corruptWriteBlock = ParseBlock(v, offset);
             c.faults.corruptWriteOffset = ParseInt(offset, 0, 31);
         }},
        {"--fault-exchange", "N", "apply the faults to exchange N (from 0) only",
         [](CConfig& c, std::string_view v) { c.faults.exchange = ParseInt(v, 0, kMaxInt); }},
    };
    return options;
}

} // namespace

CCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CCommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        if (name == "--help" || name == "-h") {
            result.help = true;
            continue;
        }
        std::optional<std::string_view> value;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto& options = Options();
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const COption& each) { return each.name == name; });
        if (option == options.end()) Bad("unknown option", name);
        if (option->argument.empty()) {
            if (value) Bad("takes no value", name);
        } else if (!value) {
            if (i + 1 >= arguments.size()) Bad("needs a value", name);
            value = arguments[++i];
        }
        try {
            option->set(result.config, value.value_or(""));
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument(std::string(name) + ": " + error.what());
        }
    }
    return result;
}

std::string UsageText() {
    std::string text =
        "Usage: tarsel-radiosim [OPTION]...\n"
        "A virtual TZ-316 on a pseudo-terminal. Prints the device path as the first\n"
        "line, then serves the host until SIGINT or SIGTERM. Blocks are counted from\n"
        "0 within each exchange. After a hang-up the program exits.\n\n";
    for (const COption& option : Options()) {
        std::string left = "  " + std::string(option.name);
        if (!option.argument.empty()) left += " " + std::string(option.argument);
        left.resize(std::max<std::size_t>(left.size() + 2, 30), ' ');
        text += left + std::string(option.help) + "\n";
    }
    text += "  -h, --help                  show this text\n";
    return text;
}

} // namespace radiosim
