#include "platform/text_encoding.h"

#include <array>

namespace trenmoor::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `i`; advances `i`. Returns kReplacement for malformed input.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size()) return kReplacement;
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    static constexpr std::array<char32_t, 4> kMin{0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 bytes 0x80-0x9F; 0 marks the five unassigned ones (kept as the C1 control).
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = DecodeUtf8(utf8, i);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t start = i;
        const char32_t cp = DecodeUtf8(bytes, i);
        // A genuine U+FFFD is three bytes EF BF BD; anything else yielding it was malformed.
        if (cp == kReplacement && bytes.substr(start, 3) != "\xEF\xBF\xBD") return false;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0) {
            AppendUtf8(out, kCp1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string DecodeText(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string u;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            u += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return Utf16ToUtf8(u);
    }
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
        static_cast<unsigned char>(bytes[1]) == 0xFF) {
        std::u16string u;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            u += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                       static_cast<unsigned char>(bytes[i + 1]));
        return Utf16ToUtf8(u);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

std::string RegBytesToUtf8(const std::vector<uint8_t>& data) {
    return RegBytesViewToUtf8(data);
}

std::string RegBytesViewToUtf8(std::span<const uint8_t> data) {
    std::u16string u;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) break;
        u += c;
    }
    return Utf16ToUtf8(u);
}

std::vector<uint8_t> Utf8ToRegBytes(std::string_view utf8) {
    const std::u16string u = Utf8ToUtf16(utf8);
    std::vector<uint8_t> out;
    out.reserve((u.size() + 1) * 2);
    for (const char16_t c : u) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

std::vector<std::string> RegBytesToMultiString(const std::vector<uint8_t>& data) {
    std::vector<std::string> items;
    std::u16string current;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c != 0) {
            current += c;
            continue;
        }
        if (current.empty()) break;  // the closing double NUL
        items.push_back(Utf16ToUtf8(current));
        current.clear();
    }
    if (!current.empty()) items.push_back(Utf16ToUtf8(current));
    return items;
}

std::vector<uint8_t> MultiStringToRegBytes(const std::vector<std::string>& items) {
    std::vector<uint8_t> out;
    for (const auto& item : items) {
        const auto bytes = Utf8ToRegBytes(item);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

char16_t UpperChar16(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 32);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A alternates upper/lower, with a shifted run from U+0139 to U+0148
        // and from U+0179 to U+017E.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) == 0 ? static_cast<char16_t>(c - 1) : c;
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c & 1) == 1 ? static_cast<char16_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 32);  // Greek
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);                // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 32);  // full-width Latin
    return c;
}

std::string UpperUtf8(std::string_view utf8) {
    bool ascii = true;
    for (const char ch : utf8) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii) {
        std::string out(utf8);
        for (char& ch : out)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        return out;
    }
    std::u16string u = Utf8ToUtf16(utf8);
    for (char16_t& c : u) c = UpperChar16(c);
    return Utf16ToUtf8(u);
}

int CompareNoCase(std::string_view a, std::string_view b) {
    // Fast path for ASCII, the common case for registry names.
    size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80) break;
        const int ua = (ca >= 'a' && ca <= 'z') ? ca - 32 : ca;
        const int ub = (cb >= 'a' && cb <= 'z') ? cb - 32 : cb;
        if (ua != ub) return ua < ub ? -1 : 1;
    }
    if (i == a.size() || i == b.size()) {
        if (a.size() == b.size()) return 0;
        return a.size() < b.size() ? -1 : 1;
    }
    const std::u16string ua = Utf8ToUtf16(a.substr(i));
    const std::u16string ub = Utf8ToUtf16(b.substr(i));
    for (size_t k = 0; k < ua.size() && k < ub.size(); ++k) {
        const char16_t x = UpperChar16(ua[k]);
        const char16_t y = UpperChar16(ub[k]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (ua.size() == ub.size()) return 0;
    return ua.size() < ub.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return CompareNoCase(a, b) == 0;
}

}  // namespace trenmoor::platform
