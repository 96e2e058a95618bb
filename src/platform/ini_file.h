#pragma once
// INI files as Windows reads them: sections and keys matched without regard to case, values trimmed,
// a missing file reads as defaults and is created on the first write. Every write goes to disk at once.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace trenmoor::platform {

class IniFile {
  public:
    IniFile(FileSystem& fs, std::string path);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue);
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue);
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    std::vector<std::string> ReadSection(std::string_view section);  // key names in file order
    std::vector<std::string> ReadSections();
    bool SectionExists(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);
    bool DeleteKey(std::string_view section, std::string_view key);
    const std::string& FileName() const { return path_; }

  private:
    std::vector<std::string> Load();
    bool Store(const std::vector<std::string>& lines);

    FileSystem& fs_;
    std::string path_;
    bool utf16_ = false;  // the file was UTF-16LE with a byte-order mark: written back the same way
};

}  // namespace trenmoor::platform
