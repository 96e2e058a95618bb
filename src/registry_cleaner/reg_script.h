#pragma once
// Registry scripts (".reg" files) in the forms the system's registry editor writes and reads:
// "Windows Registry Editor Version 5.00" as UTF-16LE with a byte-order mark, "REGEDIT4" as 8-bit text.
// The writer gives every value type the line regedit itself writes, so an import restores the exact
// bytes; the reader parses such files for checking an import.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kRegHeader5 = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kRegHeader4 = "REGEDIT4";

enum class RegScriptFormat {
    None,      // no header line (unknown platform); 8-bit text
    Regedit4,  // 8-bit text, strings in the ANSI code page (Windows-1252)
    Unicode5,  // UTF-16LE with byte-order mark
};

// Header by platform kind: 2 and 3 REGEDIT4; 4 and above version 5.00; 0 and 1 no header.
RegScriptFormat RegScriptFormatFor(uint8_t platformKind);

class RegScriptWriter {
  public:
    explicit RegScriptWriter(RegScriptFormat format);

    // "[full key path]", preceded by a blank line.
    void KeyHeader(std::string_view fullKeyPath);
    // One value line (an empty name is the default value, written "@").
    void Value(std::string_view name, const platform::RawValue& value);
    // The key with all its values and, recursively, all subkeys, in enumeration order.
    void KeyTree(platform::RegKey& key, const std::string& fullKeyPath);

    // True once anything beyond the header line was written.
    bool HasContent() const { return hasContent_; }
    const std::string& Text() const { return text_; }  // UTF-8, CR LF line ends
    // The file's bytes in its format's encoding.
    std::string FileBytes() const;

  private:
    void KeyTree(platform::RegKey& key, const std::string& fullKeyPath, int depth);
    void HexData(std::string_view prefix, const uint8_t* data, size_t size);

    RegScriptFormat format_;
    std::string text_;
    bool hasContent_ = false;
};

// The value line alone, without CR LF ("\"name\"=dword:00000100").
std::string FormatRegValueLine(std::string_view name, const platform::RawValue& value,
                               RegScriptFormat format);

// One parsed entry of a registry script.
struct RegScriptEntry {
    enum class Kind { Key, DeleteKey, Value, DeleteValue };
    Kind kind = Kind::Key;
    std::string keyPath;    // full path, root name first
    std::string valueName;  // "" for the default value ("@")
    platform::RawValue value;
};

enum class RegScriptParse {
    Strict,      // every line must parse (our own backups)
    SkipValues,  // value lines that do not parse are skipped (exports of other programs, which may hold
                 // text values with raw line breaks)
};

// Parses a whole file (bytes as read). Returns the format, or nothing when the text is not a registry
// script or (strict) a line cannot be parsed; `onEntry` has then seen the entries before the faulty line.
std::optional<RegScriptFormat> ParseRegScript(std::string_view fileBytes,
                                              const std::function<void(const RegScriptEntry&)>& onEntry,
                                              RegScriptParse mode = RegScriptParse::Strict);

// UTF-8 -> Windows-1252 (characters outside it become "?"), as an ANSI registry editor stores text.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace trenmoor::registry_cleaner
