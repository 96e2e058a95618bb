#pragma once
// The duplicate finder's file filters: extension lists per category (lower case, dot included).
#include <array>
#include <string_view>

namespace trenmoor::disk_cleaners {

enum class FileCategory { All, Documents, Pictures, Music, Video };

inline constexpr std::array<std::string_view, 10> kDocumentExtensions = {
    ".doc", ".dot", ".log", ".ppa", ".pps", ".ppt", ".pot", ".rft", ".txt", ".wri"};
inline constexpr std::array<std::string_view, 28> kPictureExtensions = {
    ".bmp",  ".emf", ".gif", ".jp2",  ".jpx", ".jpk",  ".j2k", ".jpc", ".j2c", ".jpg",
    ".jpeg", ".jpe", ".jif", ".jfif", ".thm", ".pcx",  ".dcx", ".pic", ".png", ".psd",
    ".sgi",  ".tga", ".tif", ".tiif", ".wbm", ".wbmp", ".wmf", ".x3f"};
inline constexpr std::array<std::string_view, 21> kMusicExtensions = {
    ".aa",     ".aac", ".aif", ".au",  ".cda", ".mid", ".midi", ".rmi", ".mpl", ".mp2", ".mp3",
    ".mp3pro", ".mpa", ".m4a", ".mp4", ".mp+", ".mpc", ".ra",   ".tta", ".wav", ".wma"};
inline constexpr std::array<std::string_view, 36> kVideoExtensions = {
    ".avi", ".vob",  ".ifo", ".flv", ".ivf", ".mpg", ".mpeg", ".mpe",  ".m1v", ".m2v", ".mpv2", ".mp2v",
    ".asf", ".ts",   ".tp",  ".tpr", ".pva", ".pss", ".mp4",  ".m4v",  ".m4p", ".m4b", ".3gp",  ".3gpp",
    ".3g2", ".3gp2", ".mov", ".qt",  ".amr", ".rm",  ".ram",  ".rmvb", ".rpm", ".wmv", ".wmp",  ".wm"};

// True when the extension of `fileName` (from the last dot, lower-cased) is in the category.
bool InCategory(FileCategory category, std::string_view fileName);

}  // namespace trenmoor::disk_cleaners
