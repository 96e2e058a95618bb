// Files, folders and drives through the wide kernel32 calls.
#include <algorithm>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/win32_stream.h"

namespace trenmoor::platform::win32 {
namespace {

FileTime ToFileTime(const FILETIME& ft) {
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FindData ToFindData(const WIN32_FIND_DATAW& fd) {
    FindData data;
    data.name = Narrow(fd.cFileName);
    data.attributes = fd.dwFileAttributes;
    data.size = (static_cast<uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    data.creationTime = ToFileTime(fd.ftCreationTime);
    data.lastWriteTime = ToFileTime(fd.ftLastWriteTime);
    data.lastAccessTime = ToFileTime(fd.ftLastAccessTime);
    return data;
}

bool IsDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == 0) || (name[0] == L'.' && name[1] == L'.' && name[2] == 0);
}

// FIND_FIRST_EX_LARGE_FETCH fetches directory entries in bigger batches (fewer kernel calls on
// large folders); systems that do not know the flag refuse it, so the plain call is the fallback.
UniqueFindHandle FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& fd) {
    UniqueFindHandle handle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                             nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!handle && GetLastError() == ERROR_INVALID_PARAMETER)
        handle.reset(
            FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &fd, FindExSearchNameMatch, nullptr, 0));
    return handle;
}

std::optional<uint32_t> Attributes(std::string_view path) {
    const auto widePath = WidenName(path);
    if (!widePath || widePath->empty()) return std::nullopt;
    const DWORD attrs = GetFileAttributesW(widePath->c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attrs;
}

// A root as GetDriveTypeW and GetDiskFreeSpaceExW want it: "C:" becomes "C:\".
std::optional<std::wstring> DriveRoot(std::string_view root) {
    auto wide = WidenName(root);
    if (!wide || wide->empty()) return std::nullopt;
    if (wide->size() == 2 && (*wide)[1] == L':') wide->push_back(L'\\');
    return wide;
}

// Calls an API of the "fill this buffer, return the length" kind until the buffer is big enough.
template <typename Fill>
std::wstring FillBuffer(Fill fill) {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD len = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (len == 0) return {};
        if (len < buffer.size()) return std::wstring(buffer.data(), len);
        buffer.resize(std::max<size_t>(len + 1, buffer.size() * 2));
    }
    return {};
}

std::string WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
    return Narrow(folder);
}

}  // namespace

bool Win32FileSystem::fileExists(std::string_view path) {
    const auto attrs = Attributes(path);
    return attrs && (*attrs & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(std::string_view path) {
    const auto attrs = Attributes(path);
    return attrs && (*attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::createDirectory(std::string_view path) {
    const auto widePath = WidenName(path);
    return widePath && !widePath->empty() && CreateDirectoryW(widePath->c_str(), nullptr);
}

bool Win32FileSystem::removeDirectory(std::string_view path) {
    const auto widePath = WidenName(path);
    return widePath && !widePath->empty() && RemoveDirectoryW(widePath->c_str());
}

bool Win32FileSystem::deleteFile(std::string_view path) {
    const auto widePath = WidenName(path);
    return widePath && !widePath->empty() && DeleteFileW(widePath->c_str());
}

bool Win32FileSystem::renameFile(std::string_view from, std::string_view to) {
    const auto wideFrom = WidenName(from);
    const auto wideTo = WidenName(to);
    // No replace flag: an existing target is never overwritten by a rename.
    return wideFrom && wideTo && !wideFrom->empty() && !wideTo->empty() &&
           MoveFileExW(wideFrom->c_str(), wideTo->c_str(), 0);
}

bool Win32FileSystem::copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    const auto wideFrom = WidenName(from);
    const auto wideTo = WidenName(to);
    return wideFrom && wideTo && !wideFrom->empty() && !wideTo->empty() &&
           CopyFileW(wideFrom->c_str(), wideTo->c_str(), failIfExists ? TRUE : FALSE);
}

std::optional<uint32_t> Win32FileSystem::attributes(std::string_view path) {
    return Attributes(path);
}

bool Win32FileSystem::setAttributes(std::string_view path, uint32_t attributes) {
    const auto widePath = WidenName(path);
    return widePath && !widePath->empty() && SetFileAttributesW(widePath->c_str(), attributes);
}

std::optional<FindData> Win32FileSystem::stat(std::string_view path) {
    const auto widePath = WidenName(path);
    // A wildcard would make this a search for some other entry.
    if (!widePath || widePath->empty() || widePath->find_first_of(L"*?") != std::wstring::npos)
        return std::nullopt;
    WIN32_FIND_DATAW fd;
    if (UniqueFindHandle handle = FindFirst(*widePath, fd); handle && !IsDotEntry(fd.cFileName))
        return ToFindData(fd);  // the entry as the folder holds it, with the name's own spelling
    // Roots and other paths a search cannot name.
    WIN32_FILE_ATTRIBUTE_DATA attrs;
    if (!GetFileAttributesExW(widePath->c_str(), GetFileExInfoStandard, &attrs)) return std::nullopt;
    FindData data;
    const size_t slash = widePath->find_last_of(L"\\/");
    data.name = Narrow(slash == std::wstring::npos ? std::wstring_view(*widePath)
                                                   : std::wstring_view(*widePath).substr(slash + 1));
    data.attributes = attrs.dwFileAttributes;
    data.size = (static_cast<uint64_t>(attrs.nFileSizeHigh) << 32) | attrs.nFileSizeLow;
    data.creationTime = ToFileTime(attrs.ftCreationTime);
    data.lastWriteTime = ToFileTime(attrs.ftLastWriteTime);
    data.lastAccessTime = ToFileTime(attrs.ftLastAccessTime);
    return data;
}

bool Win32FileSystem::find(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) {
    const auto widePattern = WidenName(pattern);
    if (!widePattern || widePattern->empty()) return false;
    WIN32_FIND_DATAW fd;
    UniqueFindHandle handle = FindFirst(*widePattern, fd);
    if (!handle) {
        // The folder was read and nothing matched: that is an empty result, not a failure.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    do {
        if (IsDotEntry(fd.cFileName)) continue;
        if (!onEntry(ToFindData(fd))) break;
    } while (FindNextFileW(handle.get(), &fd));
    return true;
}

DriveType Win32FileSystem::driveType(std::string_view root) {
    const auto wideRoot = DriveRoot(root);
    if (!wideRoot) return DriveType::NoRootDir;
    const UINT type = GetDriveTypeW(wideRoot->c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

std::vector<std::string> Win32FileSystem::logicalDrives() {
    std::vector<std::string> drives;
    const std::wstring all =
        FillBuffer([](wchar_t* buffer, DWORD size) { return GetLogicalDriveStringsW(size, buffer); });
    // "C:\<NUL>D:\<NUL><NUL>", already in letter order.
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find(L'\0', start);
        const size_t stop = end == std::wstring::npos ? all.size() : end;
        if (stop > start) drives.push_back(Narrow(std::wstring_view(all).substr(start, stop - start)));
        start = stop + 1;
    }
    return drives;
}

std::optional<uint64_t> Win32FileSystem::freeSpace(std::string_view root) {
    const auto wideRoot = DriveRoot(root);
    if (!wideRoot) return std::nullopt;
    ULARGE_INTEGER available{}, total{}, free{};
    // What this user may still write (quotas included), as the shell shows it.
    if (!GetDiskFreeSpaceExW(wideRoot->c_str(), &available, &total, &free)) return std::nullopt;
    return available.QuadPart;
}

std::unique_ptr<FileStream> Win32FileSystem::open(std::string_view path, OpenMode mode) {
    return OpenWin32Stream(path, mode);
}

std::string Win32FileSystem::windowsDirectory() {
    return WithBackslash(
        FillBuffer([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }));
}

std::string Win32FileSystem::systemDirectory() {
    return WithBackslash(
        FillBuffer([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }));
}

std::string Win32FileSystem::tempDirectory() {
    return WithBackslash(FillBuffer([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }));
}

std::string Win32FileSystem::programPath() {
    // GetModuleFileNameW returns the full size when it had to cut the name short.
    std::wstring path =
        FillBuffer([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    // Wine names a program started from outside its drives "unix\<host path>", which resolves against
    // nothing; the same file is reachable as "\\?\unix\<host path>", so the files kept beside the
    // program can still be found.
    if (path.rfind(L"unix\\", 0) == 0 && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const std::wstring rooted = L"\\\\?\\" + path;
        if (GetFileAttributesW(rooted.c_str()) != INVALID_FILE_ATTRIBUTES) path = rooted;
    }
    return Narrow(path);
}

std::string Win32FileSystem::programDirectory() {
    const std::string path = programPath();
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace trenmoor::platform::win32
