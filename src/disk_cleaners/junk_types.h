#pragma once
// The junk file types: the user-editable list of name patterns, its file "JunkFile.dat" (fixed 203-byte
// records: checked byte, then pattern and description as length-prefixed 100-byte fields) and the
// 47 defaults written when the file is missing.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace trenmoor::disk_cleaners {

inline constexpr std::string_view kJunkTypesFileName = "JunkFile.dat";
inline constexpr size_t kJunkRecordSize = 203;
inline constexpr size_t kJunkTextMax = 100;  // bytes per text field

struct TJunkFileType {
    bool Checked = true;
    std::string Pattern;
    std::string Description;

    friend bool operator==(const TJunkFileType&, const TJunkFileType&) = default;
};

// Each default as "pattern,description": the pattern ends at the first ",", the description is the
// rest, trimmed. "chklist.*" appears twice on purpose, once under each description.
inline constexpr std::array<std::string_view, 47> kDefaultJunkTypeLines = {
    "*.swp, Temporary Junk Files",
    "*.$$$, Temporary Junk Files",
    "*.~*, Temporary Junk Files",
    "*.___, Temporary Junk Files",
    "*.^, Temporary Junk Files",
    "*.tmp, Temporary Junk Files",
    "*.temp, Temporary Junk Files",
    "*.---, Temporary Junk Files",
    "~*.*, Temporary Junk Files",
    "*.??~, Temporary Junk Files",
    "*.db$, Temporary Files (Database)",
    "*.nch, Temporary Files created by Outlook Express",
    "*.pch, Visual Studio Temporary Files",
    "*.ncb, Visual Studio Temporary Files",
    "*.ilk, Visual Studio Temporary Files",
    "*.exp, Visual Studio Temporary Files",
    "*.ilc, C++ Builder Temporary Files",
    "*.ild, C++ Builder Temporary Files",
    "*.ils, C++ Builder Temporary Files",
    "*.ilf, C++ Builder Temporary Files",
    "*.tds, C++ Builder Temporary Files",
    "iebak.dat, Internet Explorer Junk File",
    "ffastun.*, Microsoft Find Fast Indexer File",
    "chklist.*, Microsoft Junk File",
    "*.sik, junk files...",
    "*.gid, Windows Help Index Files",
    "*.fts, Word List File of *.HLP",
    "*.ftg, Word List File of *.HLP",
    "*.err, Error Files",
    "*.dmp, Memory Dump - Junk Files",
    "*.chk, CHKDSK Log Files",
    "chklist.*, CHKDSK Log Files",
    "file????._dd, CHKDSK Log Files",
    "*.diz, Description Files",
    "*.log, Log File",
    "*.prv, Backup Files",
    "*.old, Backup Files",
    "*.bak, Backup Files",
    "*.nu3, Symantec Norton Utilities Backup File",
    "system.1st, Windows diagnostic Registry file",
    "suhdlog.dat, Windows diagnostic file",
    "modemdet.txt, Windows diagnostic file",
    "twain???.mtx, TWAIN Temporary file",
    "thumbs.db, ThumbNails created by Windows",
    "mscreate.dir, Microsoft Temporary Installation Files",
    "*.wri, Readme Files",
    "readme.txt, Readme Files",
};

// One default line split into its entry (checked).
TJunkFileType ParseJunkTypeLine(std::string_view line);
std::vector<TJunkFileType> DefaultJunkTypes();

// Record codec. Texts are stored as UTF-8, cut to 100 bytes on a character boundary; texts read back
// that are not valid UTF-8 are taken as Windows-1252 (files written by older versions).
std::string EncodeJunkTypes(const std::vector<TJunkFileType>& types);
std::vector<TJunkFileType> DecodeJunkTypes(std::string_view bytes);  // size / 203 records, rest ignored

// Loads "JunkFile.dat" from `path`; when it does not exist, the defaults are returned and saved there.
std::vector<TJunkFileType> LoadJunkTypes(platform::FileSystem& files, std::string_view path);
// Replaces the file with one record per entry, in order. False when it could not be written.
[[nodiscard]] bool SaveJunkTypes(platform::FileSystem& files, std::string_view path,
                                 const std::vector<TJunkFileType>& types);

}  // namespace trenmoor::disk_cleaners
