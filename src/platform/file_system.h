#pragma once
// Files, folders and drives, always addressed by Windows paths in UTF-8 ("C:\Folder\file.txt").
// The simulated backend maps drive letters to host folders, so the core never sees a host path.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trenmoor::platform {

using FileTime = uint64_t;  // 100-ns intervals since 1601-01-01 UTC, as Windows counts them

// File attribute bits, valued as Windows values them.
enum FileAttr : uint32_t {
    kAttrReadOnly = 0x1,
    kAttrHidden = 0x2,
    kAttrSystem = 0x4,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
    kAttrTemporary = 0x100,
    kAttrReparsePoint = 0x400,  // junctions and symbolic links: walks never enter them
};

enum class DriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6
};

struct FindData {
    std::string name;  // file name only
    uint32_t attributes = 0;
    uint64_t size = 0;
    FileTime creationTime = 0;
    FileTime lastWriteTime = 0;
    FileTime lastAccessTime = 0;

    // False when a names-only listing (FileSystem::findNames) left out the size, the times and the
    // attributes other than folder and reparse point.
    bool detailsKnown = true;
    bool isDirectory() const { return (attributes & kAttrDirectory) != 0; }
    bool isReparsePoint() const { return (attributes & kAttrReparsePoint) != 0; }
};

enum class OpenMode {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write
    Create,     // create or truncate, read and write
};

enum class SeekOrigin { Begin, Current, End };

// A byte stream on one open file; closed when destroyed.
class FileStream {
  public:
    virtual ~FileStream() = default;
    [[nodiscard]] virtual size_t read(void* buffer,
                                      size_t count) = 0;  // bytes read, 0 at the end or on error
    [[nodiscard]] virtual bool write(const void* buffer, size_t count) = 0;
    [[nodiscard]] virtual bool seek(int64_t offset, SeekOrigin origin) = 0;
    [[nodiscard]] virtual std::optional<uint64_t> position() = 0;
    [[nodiscard]] virtual std::optional<uint64_t> size() = 0;
    [[nodiscard]] virtual bool setSize(uint64_t size) = 0;
    // Pushes written bytes through to the disk (not only to the system cache).
    [[nodiscard]] virtual bool flushToDisk() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    [[nodiscard]] virtual bool fileExists(std::string_view path) = 0;       // a file, not a folder
    [[nodiscard]] virtual bool directoryExists(std::string_view path) = 0;  // a folder, not a file
    [[nodiscard]] virtual bool createDirectory(std::string_view path) = 0;  // one level
    [[nodiscard]] virtual bool removeDirectory(std::string_view path) = 0;  // empty folder only
    [[nodiscard]] virtual bool deleteFile(std::string_view path) = 0;
    [[nodiscard]] virtual bool renameFile(std::string_view from, std::string_view to) = 0;
    [[nodiscard]] virtual bool copyFile(std::string_view from, std::string_view to, bool failIfExists) = 0;
    [[nodiscard]] virtual std::optional<uint32_t> attributes(std::string_view path) = 0;
    [[nodiscard]] virtual bool setAttributes(std::string_view path, uint32_t attributes) = 0;
    [[nodiscard]] virtual std::optional<FindData> stat(std::string_view path) = 0;

    // Enumerates the entries of `pattern` ("C:\Dir\*.*", "C:\Dir\a?.txt"): the mask is the last
    // component, matched as Windows matches it. "." and ".." are never reported. `onEntry` returns
    // false to stop early. Returns false when the folder could not be read at all.
    virtual bool find(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) = 0;
    // The same for walks that need little more than names: where the system would be asked for each
    // entry's details one by one, an entry may come without them (`detailsKnown` false: only its name
    // and whether it is a folder or a reparse point are known). A Windows listing has them anyway.
    virtual bool findNames(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) {
        return find(pattern, onEntry);
    }

    [[nodiscard]] virtual DriveType driveType(std::string_view root) = 0;  // root like "C:\"
    [[nodiscard]] virtual std::vector<std::string> logicalDrives() = 0;  // "C:\", "D:\", ... in letter order
    [[nodiscard]] virtual std::optional<uint64_t> freeSpace(std::string_view root) = 0;

    [[nodiscard]] virtual std::unique_ptr<FileStream> open(std::string_view path, OpenMode mode) = 0;

    // Well-known folders, each with a trailing backslash.
    [[nodiscard]] virtual std::string windowsDirectory() = 0;
    [[nodiscard]] virtual std::string systemDirectory() = 0;
    [[nodiscard]] virtual std::string tempDirectory() = 0;
    [[nodiscard]] virtual std::string programDirectory() = 0;  // folder of the running executable
    [[nodiscard]] virtual std::string programPath() = 0;       // full path of the running executable
};

}  // namespace trenmoor::platform
