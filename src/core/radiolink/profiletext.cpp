#include "core/radiolink/profiletext.h"

#include <cstdint>

namespace tarsel::profile {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// One line: [begin, contentEnd) is its text, [contentEnd, end) its line ending.
struct CLine {
    std::size_t begin = 0, contentEnd = 0, end = 0;
};

CLine LineAt(std::string_view text, std::size_t begin) {
    const std::size_t newline = text.find('\n', begin);
    CLine line{begin, newline == std::string_view::npos ? text.size() : newline, 0};
    line.end = newline == std::string_view::npos ? text.size() : newline + 1;
    if (line.contentEnd > begin && text[line.contentEnd - 1] == '\r') --line.contentEnd;
    return line;
}

enum class EKind { Blank, Comment, Header, Entry };

struct CParsed {
    EKind kind = EKind::Blank;
    std::string_view trimmed; // the whole line, trimmed
    std::string_view name;    // header name or entry key
    std::string_view value;   // entry value; empty for an entry without '='
};

CParsed Parse(std::string_view content) {
    CParsed parsed;
    parsed.trimmed = Trim(content);
    const std::string_view t = parsed.trimmed;
    if (t.empty()) return parsed;
    if (t.front() == ';') {
        parsed.kind = EKind::Comment;
        return parsed;
    }
    if (t.front() == '[') {
        const std::size_t close = t.find(']');
        if (close != std::string_view::npos) {
            parsed.kind = EKind::Header;
            parsed.name = Trim(t.substr(1, close - 1));
            return parsed;
        }
    }
    parsed.kind = EKind::Entry;
    const std::size_t equals = t.find('=');
    if (equals == std::string_view::npos) {
        parsed.name = t;
        return parsed;
    }
    parsed.name = Trim(t.substr(0, equals));
    parsed.value = Trim(t.substr(equals + 1));
    return parsed;
}

// Calls visit(line, parsed) for the header of the first section named section (with
// parsed.kind == Header) and then for each line of that section. Returns false when there is no
// such section. visit returns false to stop early.
template <class Visit>
bool WalkSection(std::string_view text, std::string_view section, Visit visit) {
    section = Trim(section);
    bool inside = false;
    for (std::size_t begin = 0; begin < text.size();) {
        const CLine line = LineAt(text, begin);
        begin = line.end;
        const CParsed parsed = Parse(text.substr(line.begin, line.contentEnd - line.begin));
        if (parsed.kind == EKind::Header) {
            if (inside) return true;
            inside = SameName(parsed.name, section);
        }
        if (inside && !visit(line, parsed)) return true;
    }
    return inside;
}

std::string_view LineEndingOf(std::string_view text) {
    const std::size_t newline = text.find('\n');
    if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r')
        return "\r\n";
    return "\n";
}

bool HasBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos;
}

} // namespace

std::optional<std::string_view> FindRawValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
    key = Trim(key);
    if (key.empty()) return std::nullopt;
    std::optional<std::string_view> found;
    WalkSection(text, section, [&](const CLine&, const CParsed& parsed) {
        if (parsed.kind == EKind::Entry && SameName(parsed.name, key)) found = parsed.value;
        return !found;
    });
    return found;
}

std::string CleanValue(std::string_view raw) {
    // The value is a C string to everyone who reads it.
    raw = raw.substr(0, raw.find('\0'));
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.substr(1, raw.size() - 2);
    return std::string(raw.substr(0, kValueLimit));
}

int ParseInteger(std::string_view cleanValue, int fallback) {
    std::string_view s = Trim(cleanValue);
    if (s.empty()) return fallback;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    unsigned base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    // Unsigned arithmetic wraps as the 32-bit original does, without undefined behaviour.
    std::uint32_t value = 0;
    for (const char c : s) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        value = value * base + digit;
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

std::vector<std::string> SectionEntries(std::string_view text, std::string_view section) {
    std::vector<std::string> entries;
    WalkSection(text, section, [&](const CLine&, const CParsed& parsed) {
        if (parsed.kind != EKind::Entry) return true;
        if (parsed.trimmed.find('=') == std::string_view::npos)
            entries.emplace_back(parsed.trimmed);
        else
            entries.push_back(std::string(parsed.name) + "=" + std::string(parsed.value));
        return true;
    });
    return entries;
}

bool IsWritable(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty()) return false;
    if (HasBreakOrNul(section) || HasBreakOrNul(key) || HasBreakOrNul(value)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.find('=') != std::string_view::npos) return false;
    return key.front() != ';' && key.front() != '[';
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    key = Trim(key);
    const std::string_view ending = LineEndingOf(text);
    std::optional<CLine> match;    // the entry to rewrite
    std::string_view matchName;    // its key as the file spells it
    std::optional<CLine> lastLine; // the section's last non-blank line (or its header)
    const bool found = WalkSection(text, section, [&](const CLine& line, const CParsed& parsed) {
        if (parsed.kind == EKind::Entry && SameName(parsed.name, key)) {
            match = line;
            matchName = parsed.name;
            return false;
        }
        if (parsed.kind != EKind::Blank) lastLine = line;
        return true;
    });

    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (match) {
        result.append(text.substr(0, match->begin));
        result.append(matchName).append("=").append(value);
        result.append(text.substr(match->contentEnd));
        return result;
    }
    if (found && lastLine) {
        result.append(text.substr(0, lastLine->end));
        // The file's last line may lack its line ending.
        if (text.substr(0, lastLine->end).back() != '\n') result.append(ending);
        result.append(key).append("=").append(value).append(ending);
        result.append(text.substr(lastLine->end));
        return result;
    }
    result.append(text);
    if (!result.empty()) {
        if (result.back() != '\n') result.append(ending);
        // A blank line between sections, unless the file already ends with one.
        const std::string_view body = std::string_view(result).substr(0, result.size() - 1);
        const std::size_t previous = body.rfind('\n');
        const std::size_t lastBegin = previous == std::string_view::npos ? 0 : previous + 1;
        if (!Trim(body.substr(lastBegin)).empty()) result.append(ending);
    }
    result.append("[").append(Trim(section)).append("]").append(ending);
    result.append(key).append("=").append(value).append(ending);
    return result;
}

} // namespace tarsel::profile
