// Registry scripts (.reg files) for the simulated registry, read and written the way the system
// registry editor does: "REGEDIT4" (8-bit text) and "Windows Registry Editor Version 5.00" (UTF-16LE
// with byte-order mark), CR LF line ends, hex lines wrapped with a trailing backslash.
#include <cstdio>
#include <set>

#include "platform/sim/sim_registry_impl.h"
#include "platform/text_encoding.h"

namespace trenmoor::platform::sim {
namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr size_t kMaxHexLine = 77;  // regedit breaks a hex line once it reaches this many characters
constexpr int kMaxExportDepth = 512;

struct RootName {
    RootKey root;
    std::string_view full;
    std::string_view shortName;
};

constexpr RootName kRootNames[] = {
    {RootKey::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {RootKey::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {RootKey::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {RootKey::Users, "HKEY_USERS", "HKU"},
    {RootKey::CurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
};

std::optional<std::string_view> FullRootName(RootKey root) {
    for (const auto& r : kRootNames)
        if (r.root == root) return r.full;
    return std::nullopt;
}

// "HKEY_CURRENT_USER\Software\X" (or "HKCU\...") -> root and the path below it.
std::optional<std::pair<RootKey, std::string>> SplitKeyName(std::string_view name) {
    const size_t cut = name.find('\\');
    const std::string_view rootText = name.substr(0, cut);
    const std::string_view rest = cut == std::string_view::npos ? std::string_view() : name.substr(cut + 1);
    for (const auto& r : kRootNames)
        if (EqualsNoCase(rootText, r.full) || EqualsNoCase(rootText, r.shortName))
            return std::make_pair(r.root, std::string(rest));
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// 8-bit text

// Windows-1252 encoding of UTF-16 text; false when a character has no Windows-1252 byte.
bool EncodeCp1252(std::u16string_view text, std::string& out) {
    static constexpr char16_t kHigh[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                           0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    for (const char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        bool found = false;
        for (int i = 0; i < 32 && !found; ++i) {
            if (kHigh[i] == c) {
                out += static_cast<char>(0x80 + i);
                found = true;
            }
        }
        if (!found) return false;
    }
    return true;
}

std::u16string BytesToUnits(const std::vector<uint8_t>& data) {
    std::u16string u;
    u.reserve(data.size() / 2);
    for (size_t i = 0; i + 1 < data.size(); i += 2) u += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    return u;
}

std::vector<uint8_t> UnitsToBytes(std::u16string_view u) {
    std::vector<uint8_t> out;
    out.reserve(u.size() * 2);
    for (const char16_t c : u) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Import

bool IsWs(char16_t c) {
    return c == u' ' || c == u'\t';
}

size_t SkipWs(std::u16string_view s, size_t i) {
    while (i < s.size() && IsWs(s[i])) ++i;
    return i;
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return c - u'A' + 10;
}

// The rest of a line may only be blanks or a comment.
bool OnlyCommentLeft(std::u16string_view s, size_t i) {
    i = SkipWs(s, i);
    return i == s.size() || s[i] == u';';
}

// Reads a quoted text starting after its opening quote; `after` is set past the closing quote.
std::optional<std::u16string> Unescape(std::u16string_view s, size_t i, size_t& after) {
    std::u16string out;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u'"') {
            after = i + 1;
            return out;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i == s.size()) return std::nullopt;
        switch (s[i]) {
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u'0':
                out += u'\0';
                break;
            default:  // \\, \" and unknown escapes keep the character after the backslash
                out += s[i];
                break;
        }
    }
    return std::nullopt;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    lines.reserve(text.size() / 32 + 1);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

class Importer {
  public:
    Importer(SimRegistry& registry, std::vector<std::u16string_view> lines, bool unicodeFile, bool utf8File)
        : registry_(registry), lines_(std::move(lines)), unicode_(unicodeFile), utf8_(utf8File) {}

    void run() {
        next_ = 1;  // past the header
        while (next_ < lines_.size()) processLine(lines_[next_++]);
    }

  private:
    void processLine(std::u16string_view line) {
        const size_t p = SkipWs(line, 0);
        if (p == line.size()) return;
        if (line[p] == u'[') {
            keyLine(line.substr(p + 1));
        } else if (line[p] == u'@') {
            valueLine(std::u16string(), line, p + 1);
        } else if (line[p] == u'"') {
            size_t after = 0;
            const auto name = Unescape(line, p + 1, after);
            if (name) valueLine(*name, line, after);
        }
        // anything else (comments, garbage) is skipped
    }

    void keyLine(std::u16string_view rest) {
        if (rest.empty() || IsWs(rest[0])) return;
        const size_t end = rest.rfind(u']');
        if (end == std::u16string_view::npos) return;
        std::u16string_view name = rest.substr(0, end);
        key_.reset();
        if (!name.empty() && name[0] == u'-') {
            name.remove_prefix(1);
            if (!name.empty() && (name[0] == u'H' || name[0] == u'h')) deleteKey(Utf16ToUtf8(name));
            return;
        }
        const auto split = SplitKeyName(Utf16ToUtf8(name));
        if (split) key_ = registry_.open(split->first, split->second, true, true);
    }

    void deleteKey(const std::string& name) {
        const auto split = SplitKeyName(name);
        if (!split) return;
        const auto parts = regsim::SplitPath(split->second);
        if (parts.empty()) return;  // never a root
        std::string parentPath;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            if (!parentPath.empty()) parentPath += '\\';
            parentPath += parts[i];
        }
        auto parent = registry_.open(split->first, parentPath, false, true);
        if (parent) (void)parent->deleteSubkeyTree(parts.back());
    }

    void valueLine(const std::u16string& name16, std::u16string_view line, size_t pos) {
        pos = SkipWs(line, pos);
        if (pos == line.size() || line[pos] != u'=') return;
        pos = SkipWs(line, pos + 1);
        std::u16string_view data = line.substr(pos);
        while (!data.empty() && IsWs(data.back())) data.remove_suffix(1);
        const std::string name = Utf16ToUtf8(name16);

        if (!data.empty() && data[0] == u'-') {
            if (OnlyCommentLeft(data, 1) && key_) (void)key_->deleteValue(name);
            return;
        }
        if (!data.empty() && data[0] == u'"') {
            size_t after = 0;
            auto text = Unescape(data, 1, after);
            if (!text || !OnlyCommentLeft(data, after)) return;
            const size_t nul = text->find(u'\0');
            if (nul != std::u16string::npos) text->resize(nul);
            *text += u'\0';
            set(name, RawValue{kRegSz, UnitsToBytes(*text)});
            return;
        }
        if (data.starts_with(u"dword:")) {
            size_t i = SkipWs(data, 6);
            const size_t start = i;
            uint32_t value = 0;
            while (i < data.size() && IsHexDigit(data[i])) value = (value << 4) | HexValue(data[i++]);
            if (i == start || i - start > 8 || !OnlyCommentLeft(data, i)) return;
            RawValue v{kRegDword, std::vector<uint8_t>(4)};
            for (int b = 0; b < 4; ++b) v.data[b] = static_cast<uint8_t>(value >> (8 * b));
            set(name, v);
            return;
        }
        uint32_t type = kRegBinary;
        size_t hexStart = 0;
        if (data.starts_with(u"hex:")) {
            hexStart = 4;
        } else if (data.starts_with(u"hex(")) {
            size_t i = 4;
            const size_t start = i;
            uint64_t value = 0;
            while (i < data.size() && IsHexDigit(data[i]) && i - start < 9)
                value = (value << 4) | HexValue(data[i++]);
            if (i == start || i - start > 8 || i + 1 >= data.size() || data[i] != u')' || data[i + 1] != u':')
                return;
            type = static_cast<uint32_t>(value);
            hexStart = i + 2;
        } else {
            return;  // not a data type regedit knows
        }
        std::vector<uint8_t> bytes;
        if (!readHex(data.substr(hexStart), bytes)) return;
        prepareStringData(type, bytes);
        set(name, RawValue{type, std::move(bytes)});
    }

    // Parses comma-separated hex bytes, following continuation lines. False drops the value.
    bool readHex(std::u16string_view text, std::vector<uint8_t>& bytes) {
        bool continued = false;
        if (!readHexChunk(text, bytes, continued)) return false;
        while (continued) {
            // Blank and comment lines may sit between the continued lines.
            while (next_ < lines_.size()) {
                const std::u16string_view l = lines_[next_];
                const size_t p = SkipWs(l, 0);
                if (p == l.size() || l[p] == u';') {
                    ++next_;
                    continue;
                }
                break;
            }
            if (next_ == lines_.size()) return true;  // the file ended: keep what was read
            const std::u16string_view l = lines_[next_];
            const size_t p = SkipWs(l, 0);
            if (!IsHexDigit(l[p])) return false;  // that line is read again as a line of its own
            ++next_;
            continued = false;
            if (!readHexChunk(l.substr(p), bytes, continued)) return false;
        }
        return true;
    }

    static bool readHexChunk(std::u16string_view s, std::vector<uint8_t>& bytes, bool& continued) {
        size_t i = 0;
        for (;;) {
            i = SkipWs(s, i);
            if (i == s.size() || s[i] == u';') return true;
            if (s[i] == u'\\') {
                continued = true;
                return OnlyCommentLeft(s, i + 1);
            }
            const size_t start = i;
            uint32_t value = 0;
            while (i < s.size() && IsHexDigit(s[i])) {
                value = (value << 4) | HexValue(s[i++]);
                if (value > 0xFF) return false;
            }
            if (i == start) return false;
            bytes.push_back(static_cast<uint8_t>(value));
            i = SkipWs(s, i);
            if (i == s.size() || s[i] == u';') return true;
            if (s[i] != u',') return false;
            ++i;
        }
    }

    // String types given as hex get their terminator; in an 8-bit file their bytes are 8-bit text.
    void prepareStringData(uint32_t type, std::vector<uint8_t>& bytes) const {
        if (bytes.empty() || (type != kRegSz && type != kRegExpandSz && type != kRegMultiSz)) return;
        if (unicode_) {
            if (bytes.size() % 2 == 0 && (bytes[bytes.size() - 2] != 0 || bytes.back() != 0)) {
                bytes.push_back(0);
                bytes.push_back(0);
            }
            return;
        }
        if (bytes.back() != 0) bytes.push_back(0);
        const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const std::string utf8 = utf8_ && IsValidUtf8(raw) ? std::string(raw) : Cp1252ToUtf8(raw);
        bytes = UnitsToBytes(Utf8ToUtf16(utf8));
    }

    void set(const std::string& name, const RawValue& value) {
        if (key_) (void)key_->setValue(name, value);
    }

    SimRegistry& registry_;
    std::vector<std::u16string_view> lines_;  // views into the decoded text
    bool unicode_;
    bool utf8_;
    size_t next_ = 0;
    std::unique_ptr<RegKey> key_;
};

// ---------------------------------------------------------------------------------------------
// Export

class Exporter {
  public:
    Exporter(const regsim::Tree& tree, RegFileFormat format, bool utf8)
        : tree_(tree), format_(format), utf8_(utf8) {}

    // False when an 8-bit export meets a character Windows-1252 cannot hold (retry as UTF-8).
    bool ok() const { return ok_; }

    void header() {
        out_ += format_ == RegFileFormat::Unicode5 ? u"Windows Registry Editor Version 5.00" : u"REGEDIT4";
        out_ += u"\r\n";
    }

    // One key and everything below it, as regedit walks it: values in order, then each subkey that
    // can be opened (links followed, keys without rights skipped).
    void key(const regsim::Node& node, std::u16string& path, int depth = 0) {
        if (!onStack_.insert(&node).second) return;  // a link back to an ancestor
        out_ += u"\r\n[";
        out_ += path;
        out_ += u"]\r\n";
        check(path);
        for (const auto& v : node.values) valueLine(v.name, v.value);
        if (depth < kMaxExportDepth) {
            for (const auto& [folded, child] : node.children) {
                const regsim::Node* target = child.get();
                std::shared_ptr<regsim::Node> linked;
                if (child->linkTarget) {
                    linked = tree_.walk(tree_.rootNode(child->root), *child->linkTarget, false, true);
                    target = linked.get();
                }
                if (!target || target->deleted || target->denied) continue;
                const size_t keep = path.size();
                path += u'\\';
                path += Utf8ToUtf16(child->name);
                this->key(*target, path, depth + 1);
                path.resize(keep);
            }
        }
        onStack_.erase(&node);
    }

    void end() { out_ += u"\r\n"; }

    std::string bytes() const {
        std::string result;
        if (format_ == RegFileFormat::Unicode5) {
            result.resize(2 + out_.size() * 2);
            result[0] = '\xFF';
            result[1] = '\xFE';
            for (size_t i = 0; i < out_.size(); ++i) {
                result[2 + 2 * i] = static_cast<char>(out_[i] & 0xFF);
                result[3 + 2 * i] = static_cast<char>(out_[i] >> 8);
            }
        } else if (utf8_) {
            result = Utf16ToUtf8(out_);
        } else {
            (void)EncodeCp1252(out_, result);
        }
        return result;
    }

  private:
    void check(std::u16string_view text) {
        if (format_ == RegFileFormat::Regedit4 && !utf8_ && ok_) {
            std::string ignored;
            if (!EncodeCp1252(text, ignored)) ok_ = false;
        }
    }

    // Appends `s` with regedit's escapes; returns the number of characters written.
    size_t appendEscaped(std::u16string_view s) {
        const size_t before = out_.size();
        for (const char16_t c : s) {
            switch (c) {
                case u'\\':
                    out_ += u"\\\\";
                    break;
                case u'"':
                    out_ += u"\\\"";
                    break;
                case u'\r':
                    out_ += u"\\r";
                    break;
                case u'\n':
                    out_ += u"\\n";
                    break;
                case u'\0':
                    out_ += u"\\0";
                    break;
                default:
                    out_ += c;
            }
        }
        return out_.size() - before;
    }

    // A REG_SZ that a quoted string reproduces byte for byte: one terminator, at the end.
    static bool CleanString(const std::vector<uint8_t>& data) {
        if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 2] != 0 || data.back() != 0)
            return false;
        for (size_t i = 0; i + 2 < data.size(); i += 2) {
            const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
            if (c == 0 || c == u'\r' || c == u'\n') return false;
        }
        return true;
    }

    void valueLine(const std::string& name8, const RawValue& value) {
        size_t lineLen;
        if (name8.empty()) {
            out_ += u"@=";
            lineLen = 2;
        } else {
            const std::u16string name = Utf8ToUtf16(name8);
            check(name);
            out_ += u'"';
            lineLen = appendEscaped(name) + 3;
            out_ += u"\"=";
        }
        if (value.type == kRegSz && CleanString(value.data)) {
            const std::u16string text = BytesToUnits(value.data);
            const std::u16string_view body(text.data(), text.size() - 1);
            check(body);
            out_ += u'"';
            appendEscaped(body);
            out_ += u"\"\r\n";
            return;
        }
        if (value.type == kRegDword && value.data.size() == 4) {
            const uint32_t v = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                               (static_cast<uint32_t>(value.data[3]) << 24);
            char buf[16];
            std::snprintf(buf, sizeof buf, "dword:%08x", v);
            for (const char* p = buf; *p; ++p) out_ += static_cast<char16_t>(*p);
            out_ += u"\r\n";
            return;
        }
        hexData(lineLen, value);
    }

    void hexData(size_t lineLen, const RawValue& value) {
        if (value.type == kRegBinary) {
            out_ += u"hex:";
            lineLen += 4;
        } else {
            char buf[24];
            const int n = std::snprintf(buf, sizeof buf, "hex(%x):", value.type);
            for (const char* p = buf; *p; ++p) out_ += static_cast<char16_t>(*p);
            lineLen += static_cast<size_t>(n);
        }

        const std::vector<uint8_t>* data = &value.data;
        std::vector<uint8_t> converted;
        const bool textType = value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
        if (format_ == RegFileFormat::Regedit4 && textType && value.data.size() % 2 == 0) {
            // An 8-bit file carries string data as 8-bit text, as regedit writes it.
            const std::u16string units = BytesToUnits(value.data);
            std::string eight;
            if (utf8_) {
                eight = Utf16ToUtf8(units);
            } else if (!EncodeCp1252(units, eight)) {
                ok_ = false;
            }
            converted.assign(eight.begin(), eight.end());
            data = &converted;
        }

        static constexpr char16_t kDigits[] = u"0123456789abcdef";
        for (size_t i = 0; i < data->size(); ++i) {
            out_ += kDigits[(*data)[i] >> 4];
            out_ += kDigits[(*data)[i] & 0xF];
            if (i + 1 == data->size()) break;
            out_ += u',';
            lineLen += 3;
            if (lineLen >= kMaxHexLine) {  // regedit's wrap: backslash, line end, two blanks
                out_ += u"\\\r\n  ";
                lineLen = 2;
            }
        }
        out_ += u"\r\n";
    }

    const regsim::Tree& tree_;
    RegFileFormat format_;
    bool utf8_;
    bool ok_ = true;
    std::u16string out_;
    std::set<const regsim::Node*> onStack_;
};

std::u16string DisplayPath(RootKey root, std::string_view path) {
    std::u16string display = Utf8ToUtf16(*FullRootName(root));
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (!path.empty()) display += u"\\" + Utf8ToUtf16(path);
    return display;
}

}  // namespace

bool SimRegistry::importReg(std::string_view fileBytes) {
    std::u16string text;
    bool unicode = false;
    bool utf8 = false;
    if (fileBytes.size() >= 2 && static_cast<unsigned char>(fileBytes[0]) == 0xFF &&
        static_cast<unsigned char>(fileBytes[1]) == 0xFE) {
        unicode = true;
        text.reserve(fileBytes.size() / 2);
        for (size_t i = 2; i + 1 < fileBytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(fileBytes[i]) |
                                          (static_cast<unsigned char>(fileBytes[i + 1]) << 8));
    } else {
        if (fileBytes.starts_with("\xEF\xBB\xBF")) fileBytes.remove_prefix(3);
        utf8 = IsValidUtf8(fileBytes);
        text = Utf8ToUtf16(utf8 ? std::string(fileBytes) : Cp1252ToUtf8(fileBytes));
    }
    auto lines = SplitLines(text);  // views into `text`, which outlives the import
    if (lines.empty()) return false;
    std::u16string_view header = lines[0];
    while (!header.empty() && IsWs(header.front())) header.remove_prefix(1);
    while (!header.empty() && IsWs(header.back())) header.remove_suffix(1);
    if (header != Utf8ToUtf16(kHeader4) && header != Utf8ToUtf16(kHeader5)) return false;
    Importer(*this, std::move(lines), unicode, utf8).run();
    return true;
}

std::optional<std::string> SimRegistry::exportReg(RootKey root, std::string_view path, RegFileFormat format) {
    if (!FullRootName(root)) return std::nullopt;
    const auto key = open(root, path, false, false);
    const regsim::Node* node = key ? regsim::NodeOf(*key) : nullptr;
    if (!node) return std::nullopt;
    for (const bool utf8 : {false, true}) {
        Exporter exporter(*impl_->tree, format, utf8);
        exporter.header();
        std::u16string display = DisplayPath(root, path);
        exporter.key(*node, display);
        exporter.end();
        if (exporter.ok() || format == RegFileFormat::Unicode5 || utf8) return exporter.bytes();
    }
    return std::nullopt;
}

std::string SimRegistry::exportAll(RegFileFormat format) {
    static constexpr RootKey kOrder[] = {RootKey::LocalMachine, RootKey::Users, RootKey::ClassesRoot,
                                         RootKey::CurrentConfig, RootKey::CurrentUser};
    for (const bool utf8 : {false, true}) {
        Exporter exporter(*impl_->tree, format, utf8);
        exporter.header();
        for (const RootKey root : kOrder) {
            std::u16string display = DisplayPath(root, "");
            exporter.key(*impl_->tree->rootNode(root), display);
        }
        exporter.end();
        if (exporter.ok() || format == RegFileFormat::Unicode5 || utf8) return exporter.bytes();
    }
    return {};
}

}  // namespace trenmoor::platform::sim
