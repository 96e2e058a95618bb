// INI files with the rules of the Windows profile functions: a first "[section]" and a first "key="
// line win, names compare without regard to case, values are trimmed and lose one pair of enclosing
// quotes. Writes edit the file line by line, so comments and other lines stay as they were.
#include "platform/ini_file.h"

#include <climits>

#include "platform/text_encoding.h"
#include "platform/text_file.h"

namespace trenmoor::platform {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t end = line.rfind(']');
    if (end == std::string_view::npos || end == 0) return std::nullopt;
    return Trim(line.substr(1, end - 1));
}

struct KeyLine {
    std::string_view key;
    std::optional<std::string_view> value;  // none for a line without "="
};

std::optional<KeyLine> KeyOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || SectionOf(line)) return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return KeyLine{line, std::nullopt};
    return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

// [begin, end) of the lines of the first section named `section`, header excluded; begin 0 = none.
struct Range {
    size_t header = 0, begin = 0, end = 0;
    bool found = false;
};

Range FindSection(const std::vector<std::string>& lines, std::string_view section, size_t from = 0) {
    Range r;
    for (size_t i = from; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (!name) continue;
        if (r.found) {
            r.end = i;
            return r;
        }
        if (EqualsNoCase(*name, Trim(section))) {
            r.found = true;
            r.header = i;
            r.begin = i + 1;
        }
    }
    r.end = lines.size();
    return r;
}

std::optional<size_t> FindKey(const std::vector<std::string>& lines, const Range& r, std::string_view key) {
    for (size_t i = r.begin; i < r.end; ++i) {
        const auto k = KeyOf(lines[i]);
        if (k && EqualsNoCase(k->key, Trim(key))) return i;
    }
    return std::nullopt;
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The integer rules of the program's runtime: optional sign, decimal digits or "$"/"0x" hex.
std::optional<int32_t> ParseInteger(std::string_view s) {
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.starts_with("$")) {
        base = 16;
        s.remove_prefix(1);
    } else if (s.starts_with("0x") || s.starts_with("0X")) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return std::nullopt;
    uint64_t value = 0;
    for (const char c : s) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFULL) return std::nullopt;
    }
    if (base == 16) {
        const auto v = static_cast<int32_t>(static_cast<uint32_t>(value));
        return negative ? -v : v;
    }
    if (negative) {
        if (value > 2147483648ULL) return std::nullopt;
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    }
    if (value > static_cast<uint64_t>(INT32_MAX)) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

IniFile::IniFile(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

std::vector<std::string> IniFile::Load() {
    const auto bytes = ReadAllBytes(fs_, path_);
    if (!bytes) return {};
    utf16_ = bytes->size() >= 2 && static_cast<unsigned char>((*bytes)[0]) == 0xFF &&
             static_cast<unsigned char>((*bytes)[1]) == 0xFE;
    const std::string text = DecodeText(*bytes);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool IniFile::Store(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    if (!utf16_) return WriteAllBytes(fs_, path_, text);
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : Utf8ToUtf16(text)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return WriteAllBytes(fs_, path_, bytes);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) {
    while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    const auto lines = Load();
    const Range r = FindSection(lines, section);
    if (!r.found) return std::string(defaultValue);
    const auto at = FindKey(lines, r, key);
    if (!at) return std::string(defaultValue);
    const auto k = KeyOf(lines[*at]);
    if (!k->value) return std::string(defaultValue);
    return std::string(Unquote(*k->value));
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) {
    return ParseInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    auto lines = Load();
    const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
    const Range r = FindSection(lines, section);
    if (!r.found) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(Trim(section)) + "]");
        lines.push_back(entry);
        return Store(lines);
    }
    if (const auto at = FindKey(lines, r, key)) {
        const auto k = KeyOf(lines[*at]);
        lines[*at] = std::string(k->key) + "=" + std::string(value);
        return Store(lines);
    }
    // After the section's last non-blank line, so blank separators stay before the next section.
    size_t insertAt = r.begin;
    for (size_t i = r.begin; i < r.end; ++i)
        if (!Trim(lines[i]).empty()) insertAt = i + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    return Store(lines);
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) {
    std::vector<std::string> keys;
    const auto lines = Load();
    const Range r = FindSection(lines, section);
    if (!r.found) return keys;
    for (size_t i = r.begin; i < r.end; ++i)
        if (const auto k = KeyOf(lines[i])) keys.emplace_back(k->key);
    return keys;
}

std::vector<std::string> IniFile::ReadSections() {
    std::vector<std::string> sections;
    for (const auto& line : Load()) {
        const auto name = SectionOf(line);
        if (!name) continue;
        bool seen = false;
        for (const auto& s : sections) seen = seen || EqualsNoCase(s, *name);
        if (!seen) sections.emplace_back(*name);
    }
    return sections;
}

bool IniFile::SectionExists(std::string_view section) {
    return !ReadSection(section).empty();
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) {
    for (const auto& k : ReadSection(section))
        if (EqualsNoCase(k, Trim(key))) return true;
    return false;
}

bool IniFile::EraseSection(std::string_view section) {
    auto lines = Load();
    bool changed = false;
    for (Range r = FindSection(lines, section); r.found; r = FindSection(lines, section, r.header)) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(r.header),
                    lines.begin() + static_cast<std::ptrdiff_t>(r.end));
        changed = true;
    }
    return !changed || Store(lines);
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    auto lines = Load();
    const Range r = FindSection(lines, section);
    if (!r.found) return true;
    const auto at = FindKey(lines, r, key);
    if (!at) return true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
    return Store(lines);
}

}  // namespace trenmoor::platform
