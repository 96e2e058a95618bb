#include "registry_cleaner/reg_script.h"

#include <array>
#include <cstdio>

#include "platform/text_encoding.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RawValue;

// regedit breaks hex data lines once they reach this many characters, continuing with "\" and two blanks.
constexpr size_t kMaxHexLineChars = 77;
// Registry keys nest at most 512 levels; the bound also stops a walk caught in a link cycle.
constexpr int kMaxKeyDepth = 512;

// Windows-1252 code points of the bytes 0x80..0x9F (0 where the code page has no character).
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char UnitToCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == unit) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
}

std::string ValueNamePart(std::string_view name) {
    if (name.empty()) return "@=";
    std::string out = "\"";
    AppendEscaped(out, name);
    out += "\"=";
    return out;
}

// Text that a quoted string restores to exactly these bytes (one terminator, no embedded zero, valid
// UTF-16, no line break that would split the line).
std::optional<std::string> AsQuotableText(const std::vector<uint8_t>& data) {
    std::string text = platform::RegBytesToUtf8(data);
    if (text.find_first_of("\r\n") != std::string::npos) return std::nullopt;
    if (platform::Utf8ToRegBytes(text) != data) return std::nullopt;
    return text;
}

// REGEDIT4 writes string types as ANSI bytes: one zero after each string.
std::vector<uint8_t> AnsiStringBytes(const RawValue& value) {
    std::vector<std::string> items;
    if (value.type == platform::kRegMultiSz) {
        items = platform::RegBytesToMultiString(value.data);
    } else {
        items.push_back(platform::RegBytesToUtf8(value.data));
    }
    std::vector<uint8_t> bytes;
    for (const std::string& item : items) {
        for (const char c : Utf8ToCp1252(item)) bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(0);
    }
    if (value.type == platform::kRegMultiSz) bytes.push_back(0);
    return bytes;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char a = (s[i] >= 'A' && s[i] <= 'Z') ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (a != prefix[i]) return false;
    }
    return true;
}

// Reads a quoted text starting at s[0] == '"'; `s` is advanced past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view& s) {
    std::string out;
    size_t i = 1;
    for (; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            ++i;
            out.push_back(s[i] == 'n' ? '\n' : s[i] == '0' ? '\0' : s[i]);
        } else {
            out.push_back(s[i]);
        }
    }
    if (i >= s.size()) return std::nullopt;
    s.remove_prefix(i + 1);
    return out;
}

std::optional<std::vector<uint8_t>> ReadHexBytes(std::string_view s) {
    std::vector<uint8_t> bytes;
    s = TrimRight(TrimLeft(s));
    while (!s.empty()) {
        if (s.size() < 2) return std::nullopt;
        const int hi = HexDigit(s[0]), lo = HexDigit(s[1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
        s = TrimLeft(s.substr(2));
        if (s.empty()) break;
        if (s.front() != ',') return std::nullopt;
        s = TrimLeft(s.substr(1));
    }
    return bytes;
}

// ANSI string data of a REGEDIT4 file, converted to the UTF-16 the registry stores.
std::vector<uint8_t> AnsiToRegBytes(uint32_t type, const std::vector<uint8_t>& ansi) {
    std::vector<std::string> items;
    std::string current;
    for (const uint8_t b : ansi) {
        if (b == 0) {
            items.push_back(platform::Cp1252ToUtf8(current));
            current.clear();
        } else {
            current.push_back(static_cast<char>(b));
        }
    }
    if (!current.empty()) items.push_back(platform::Cp1252ToUtf8(current));
    if (type == platform::kRegMultiSz) {
        while (!items.empty() && items.back().empty()) items.pop_back();
        return platform::MultiStringToRegBytes(items);
    }
    return platform::Utf8ToRegBytes(items.empty() ? std::string() : items.front());
}

bool ParseValueLine(std::string_view line, RegScriptFormat format, RegScriptEntry& entry) {
    if (line.front() == '@') {
        entry.valueName.clear();
        line.remove_prefix(1);
    } else if (line.front() == '"') {
        std::optional<std::string> name = ReadQuoted(line);
        if (!name) return false;
        entry.valueName = std::move(*name);
    } else {
        return false;
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=') return false;
    line = TrimRight(TrimLeft(line.substr(1)));
    if (line == "-") {
        entry.kind = RegScriptEntry::Kind::DeleteValue;
        return true;
    }
    entry.kind = RegScriptEntry::Kind::Value;
    if (!line.empty() && line.front() == '"') {
        std::optional<std::string> text = ReadQuoted(line);
        if (!text || !TrimLeft(line).empty()) return false;
        entry.value = {platform::kRegSz, platform::Utf8ToRegBytes(*text)};
        return true;
    }
    if (StartsWithNoCase(line, "dword:")) {
        const std::string_view digits = line.substr(6);
        if (digits.empty() || digits.size() > 8) return false;
        uint32_t v = 0;
        for (const char c : digits) {
            const int d = HexDigit(c);
            if (d < 0) return false;
            v = v * 16 + static_cast<uint32_t>(d);
        }
        entry.value = {platform::kRegDword,
                       {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                        static_cast<uint8_t>(v >> 24)}};
        return true;
    }
    uint32_t type = platform::kRegBinary;
    if (StartsWithNoCase(line, "hex:")) {
        line.remove_prefix(4);
    } else if (StartsWithNoCase(line, "hex(")) {
        const size_t close = line.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12) return false;
        type = 0;
        for (const char c : line.substr(4, close - 4)) {
            const int d = HexDigit(c);
            if (d < 0) return false;
            type = type * 16 + static_cast<uint32_t>(d);
        }
        line.remove_prefix(close + 2);
    } else {
        return false;
    }
    std::optional<std::vector<uint8_t>> bytes = ReadHexBytes(line);
    if (!bytes) return false;
    if (format != RegScriptFormat::Unicode5 &&
        (type == platform::kRegExpandSz || type == platform::kRegMultiSz)) {
        *bytes = AnsiToRegBytes(type, *bytes);
    }
    entry.value = {type, std::move(*bytes)};
    return true;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    const std::u16string units = platform::Utf8ToUtf16(utf8);
    std::string out;
    out.reserve(units.size());
    for (const char16_t u : units) out.push_back(UnitToCp1252(u));
    return out;
}

RegScriptFormat RegScriptFormatFor(uint8_t platformKind) {
    if (platformKind == 2 || platformKind == 3) return RegScriptFormat::Regedit4;
    if (platformKind >= 4) return RegScriptFormat::Unicode5;
    return RegScriptFormat::None;
}

RegScriptWriter::RegScriptWriter(RegScriptFormat format) : format_(format) {
    switch (format) {
        case RegScriptFormat::Unicode5:
            text_ = kRegHeader5;
            break;
        case RegScriptFormat::Regedit4:
            text_ = kRegHeader4;
            break;
        case RegScriptFormat::None:
            break;
    }
    text_ += "\r\n";
}

void RegScriptWriter::KeyHeader(std::string_view fullKeyPath) {
    text_ += "\r\n[";
    text_ += fullKeyPath;
    text_ += "]\r\n";
    hasContent_ = true;
}

void RegScriptWriter::Value(std::string_view name, const RawValue& value) {
    text_ += FormatRegValueLine(name, value, format_);
    text_ += "\r\n";
    hasContent_ = true;
}

void RegScriptWriter::KeyTree(platform::RegKey& key, const std::string& fullKeyPath) {
    KeyTree(key, fullKeyPath, 0);
}

void RegScriptWriter::KeyTree(platform::RegKey& key, const std::string& fullKeyPath, int depth) {
    KeyHeader(fullKeyPath);
    for (const std::string& name : key.valueNames()) {
        if (const std::optional<RawValue> value = key.queryValue(name)) Value(name, *value);
    }
    if (depth >= kMaxKeyDepth) return;
    for (const std::string& name : key.subkeyNames()) {
        if (std::unique_ptr<platform::RegKey> sub = key.openSubkey(name, false, false)) {
            KeyTree(*sub, fullKeyPath + "\\" + name, depth + 1);
        }
    }
}

std::string RegScriptWriter::FileBytes() const {
    if (format_ != RegScriptFormat::Unicode5) return Utf8ToCp1252(text_);
    const std::u16string units = platform::Utf8ToUtf16(text_);
    std::string bytes;
    bytes.reserve(2 + units.size() * 2);
    bytes += "\xFF\xFE";
    for (const char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::string FormatRegValueLine(std::string_view name, const RawValue& value, RegScriptFormat format) {
    std::string line = ValueNamePart(name);
    const bool ansi = format != RegScriptFormat::Unicode5;
    if (value.type == platform::kRegSz) {
        if (std::optional<std::string> text = AsQuotableText(value.data)) {
            line += '"';
            AppendEscaped(line, *text);
            line += '"';
            return line;
        }
    }
    if (value.type == platform::kRegDword && value.data.size() == 4) {
        const uint32_t v = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                           (static_cast<uint32_t>(value.data[3]) << 24);
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", v);
        line += "dword:";
        line += digits;
        return line;
    }
    char prefix[16];
    if (value.type == platform::kRegBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    }
    line += prefix;
    std::vector<uint8_t> ansiBytes;
    const std::vector<uint8_t>* data = &value.data;
    if (ansi && (value.type == platform::kRegExpandSz || value.type == platform::kRegMultiSz)) {
        ansiBytes = AnsiStringBytes(value);
        data = &ansiBytes;
    }
    // Break like regedit: once a line reaches 77 characters it continues on the next.
    size_t lineLength = line.size();
    for (size_t i = 0; i < data->size(); ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", (*data)[i]);
        line += hex;
        if (i + 1 == data->size()) break;
        line += ',';
        lineLength += 3;
        if (lineLength >= kMaxHexLineChars) {
            line += "\\\r\n  ";
            lineLength = 2;
        }
    }
    return line;
}

std::optional<RegScriptFormat> ParseRegScript(std::string_view fileBytes,
                                              const std::function<void(const RegScriptEntry&)>& onEntry,
                                              RegScriptParse mode) {
    std::string text;
    if (fileBytes.size() >= 2 && static_cast<uint8_t>(fileBytes[0]) == 0xFF &&
        static_cast<uint8_t>(fileBytes[1]) == 0xFE) {
        std::u16string units((fileBytes.size() - 2) / 2, u'\0');
        for (size_t i = 0; i < units.size(); ++i) {
            units[i] = static_cast<char16_t>(static_cast<uint8_t>(fileBytes[2 + 2 * i]) |
                                             (static_cast<uint8_t>(fileBytes[3 + 2 * i]) << 8));
        }
        text = platform::Utf16ToUtf8(units);
    } else {
        text = platform::DecodeText(fileBytes);
    }
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);

    std::optional<RegScriptFormat> format;
    std::string currentKey;
    std::string pending;  // a value line continued with "\"
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line = TrimRight(std::string_view(text).substr(pos, end - pos));
        pos = end + 1;

        if (!pending.empty()) {
            pending += TrimLeft(line);
        } else {
            line = TrimLeft(line);
            if (line.empty() || line.front() == ';') continue;
            if (!format) {
                if (line == kRegHeader5) {
                    format = RegScriptFormat::Unicode5;
                } else if (line == kRegHeader4) {
                    format = RegScriptFormat::Regedit4;
                } else {
                    return std::nullopt;
                }
                continue;
            }
            if (line.front() == '[') {
                if (line.back() != ']' || line.size() < 3) return std::nullopt;
                RegScriptEntry entry;
                const bool remove = line[1] == '-';
                entry.kind = remove ? RegScriptEntry::Kind::DeleteKey : RegScriptEntry::Kind::Key;
                entry.keyPath = line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2));
                currentKey = remove ? std::string() : entry.keyPath;
                onEntry(entry);
                continue;
            }
            pending = line;
        }
        if (!pending.empty() && pending.back() == '\\' && pos <= text.size()) {
            pending.pop_back();
            continue;
        }
        RegScriptEntry entry;
        entry.keyPath = currentKey;
        const bool parsed = !currentKey.empty() && ParseValueLine(pending, *format, entry);
        pending.clear();
        if (parsed) {
            onEntry(entry);
        } else if (mode == RegScriptParse::Strict) {
            return std::nullopt;  // a value outside any key, or a line that is no value
        }
    }
    if (!pending.empty()) return std::nullopt;
    return format;
}

}  // namespace trenmoor::registry_cleaner
