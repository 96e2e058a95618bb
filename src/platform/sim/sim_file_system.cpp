// The simulated file system: drive letters mapped to host folders, addressed only by Windows paths.
// Path components are matched without regard to case, masks are matched as Windows matches them,
// symbolic links are reported as reparse points, and the attributes the host cannot keep (hidden,
// system, archive...) live in a side table.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>

#include "platform/sim/sim_platform.h"
#include "platform/text_encoding.h"

namespace trenmoor::platform::sim {
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kSideAttrs = kAttrHidden | kAttrSystem | kAttrArchive | kAttrNormal | kAttrTemporary;

FileTime ToFileTime(const struct timespec& ts) {
    const int64_t seconds = static_cast<int64_t>(ts.tv_sec) + 11644473600LL;
    if (seconds < 0) return 0;
    return static_cast<FileTime>(seconds) * 10000000ULL + static_cast<FileTime>(ts.tv_nsec / 100);
}

// Host file names are UTF-8 bytes; anything else is shown as Windows-1252.
std::string HostNameToUtf8(const std::string& name) {
    return IsValidUtf8(name) ? name : Cp1252ToUtf8(name);
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Windows drops trailing dots and spaces from path components.
std::string_view TrimComponent(std::string_view c) {
    if (c == "." || c == "..") return c;
    std::string_view t = c;
    while (!t.empty() && (t.back() == '.' || t.back() == ' ')) t.remove_suffix(1);
    return t.empty() ? c : t;
}

struct WinPath {
    char drive = 0;  // upper case
    std::vector<std::string> parts;
};

// "C:\a\b\..\c" -> drive C, {a, c}. Relative and UNC paths are not supported.
std::optional<WinPath> ParseWinPath(std::string_view path) {
    if (path.starts_with("\\\\?\\")) path.remove_prefix(4);
    if (path.size() < 2 || path[1] != ':') return std::nullopt;
    const char letter = path[0];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return std::nullopt;
    WinPath wp;
    wp.drive = static_cast<char>(letter & ~0x20);
    std::string_view rest = path.substr(2);
    if (!rest.empty() && !IsSeparator(rest[0])) return std::nullopt;  // drive-relative ("C:x")
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsSeparator(rest[i])) ++i;
        size_t j = i;
        while (j < rest.size() && !IsSeparator(rest[j])) ++j;
        if (j > i) {
            const std::string_view comp = TrimComponent(rest.substr(i, j - i));
            if (comp == "..") {
                if (!wp.parts.empty()) wp.parts.pop_back();
            } else if (comp != ".") {
                wp.parts.emplace_back(comp);
            }
        }
        i = j;
    }
    return wp;
}

// ---------------------------------------------------------------------------------------------
// Masks

constexpr char16_t kDosStar = u'<';
constexpr char16_t kDosQm = u'>';
constexpr char16_t kDosDot = u'"';

std::u16string Fold(std::string_view utf8) {
    // Most names are ASCII: folded without the general conversion.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::u16string u(utf8.size(), u'\0');
        for (size_t i = 0; i < utf8.size(); ++i) {
            const char c = utf8[i];
            u[i] = static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
        }
        return u;
    }
    std::u16string u = Utf8ToUtf16(utf8);
    for (char16_t& c : u) c = UpperChar16(c);
    return u;
}

// Fold(a) < Fold(b), without folding names whose difference lies in their ASCII part.
bool FoldedLess(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80) return Fold(a) < Fold(b);
        if (ca >= 'a' && ca <= 'z') ca = static_cast<unsigned char>(ca - ('a' - 'A'));
        if (cb >= 'a' && cb <= 'z') cb = static_cast<unsigned char>(cb - ('a' - 'A'));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

// The mask as the system hands it to the name matcher: "?" is DOS_QM, a dot before "?", "*" or the
// end is DOS_DOT, a star before a dot is DOS_STAR.
std::u16string TranslateMask(std::string_view mask) {
    std::u16string m = Fold(mask);
    if (m == u"*.*") return u"*";
    std::u16string out = m;
    for (size_t i = 0; i < m.size(); ++i) {
        const bool hasNext = i + 1 < m.size();
        if (m[i] == u'?') {
            out[i] = kDosQm;
        } else if (m[i] == u'.' && (!hasNext || m[i + 1] == u'?' || m[i + 1] == u'*')) {
            out[i] = kDosDot;
        } else if (m[i] == u'*' && hasNext && m[i + 1] == u'.') {
            out[i] = kDosStar;
        }
    }
    return out;
}

bool MatchFrom(std::u16string_view mask, size_t p, std::u16string_view name, size_t n, size_t lastDot) {
    while (p < mask.size()) {
        const char16_t c = mask[p];
        if (c == u'*') {
            if (p + 1 == mask.size()) return true;
            for (size_t k = n; k <= name.size(); ++k)
                if (MatchFrom(mask, p + 1, name, k, lastDot)) return true;
            return false;
        }
        if (c == kDosStar) {
            // Any characters, but never past the last dot of the name.
            const size_t limit =
                (lastDot != std::u16string_view::npos && lastDot >= n) ? lastDot : name.size();
            for (size_t k = n; k <= limit; ++k)
                if (MatchFrom(mask, p + 1, name, k, lastDot)) return true;
            return false;
        }
        if (c == kDosQm) {
            // One character, or nothing at a dot or at the end of the name.
            if (n < name.size() && name[n] != u'.') ++n;
            ++p;
            continue;
        }
        if (c == kDosDot) {
            if (n < name.size() && name[n] == u'.') {
                ++n;
            } else if (n != name.size()) {
                return false;
            }
            ++p;
            continue;
        }
        if (n == name.size() || name[n] != c) return false;
        ++n;
        ++p;
    }
    return n == name.size();
}

bool HasWildcards(std::string_view mask) {
    return mask.find_first_of("*?<>\"") != std::string_view::npos;
}

// ---------------------------------------------------------------------------------------------
// Streams

class HostFileStream final : public FileStream {
  public:
    explicit HostFileStream(int fd) : fd_(fd) {}
    ~HostFileStream() override { ::close(fd_); }
    HostFileStream(const HostFileStream&) = delete;
    HostFileStream& operator=(const HostFileStream&) = delete;

    size_t read(void* buffer, size_t count) override {
        size_t done = 0;
        auto* p = static_cast<char*>(buffer);
        while (done < count) {
            const ssize_t r = ::read(fd_, p + done, count - done);
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) break;
            done += static_cast<size_t>(r);
        }
        return done;
    }

    bool write(const void* buffer, size_t count) override {
        size_t done = 0;
        const auto* p = static_cast<const char*>(buffer);
        while (done < count) {
            const ssize_t w = ::write(fd_, p + done, count - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) return false;
            done += static_cast<size_t>(w);
        }
        return true;
    }

    bool seek(int64_t offset, SeekOrigin origin) override {
        const int whence = origin == SeekOrigin::Begin     ? SEEK_SET
                           : origin == SeekOrigin::Current ? SEEK_CUR
                                                           : SEEK_END;
        return ::lseek(fd_, static_cast<off_t>(offset), whence) >= 0;
    }

    std::optional<uint64_t> position() override {
        const off_t p = ::lseek(fd_, 0, SEEK_CUR);
        if (p < 0) return std::nullopt;
        return static_cast<uint64_t>(p);
    }

    std::optional<uint64_t> size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return std::nullopt;
        return static_cast<uint64_t>(st.st_size);
    }

    bool setSize(uint64_t size) override { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }

    bool flushToDisk() override { return ::fsync(fd_) == 0; }

  private:
    int fd_;
};

}  // namespace

struct SimFileSystem::Impl {
    struct Drive {
        DriveType type = DriveType::Fixed;
        std::optional<fs::path> folder;
    };
    std::map<char, Drive> drives;
    std::map<std::string, uint32_t> sideAttrs;  // host path -> hidden/system/archive/normal/temporary
    std::string windowsDir = "C:\\Windows\\";
    std::string systemDir = "C:\\Windows\\System32\\";
    std::string tempDir = "C:\\Users\\tester\\AppData\\Local\\Temp\\";
    std::string programPath = "C:\\Program Files\\Trenmoor\\Trenmoor.exe";

    // The host path of a Windows path spelled exactly as given (empty when the drive has no folder).
    fs::path spelledAsGiven(const WinPath& wp) const {
        const auto d = drives.find(wp.drive);
        if (d == drives.end() || !d->second.folder) return {};
        fs::path exact = *d->second.folder;
        for (const auto& part : wp.parts) exact /= part;
        return exact;
    }

    // Host path of a Windows path: each existing component found without regard to case, missing
    // components kept as given. Empty when the drive has no folder.
    fs::path resolve(std::string_view windowsPath, struct stat* found = nullptr) const {
        const auto wp = ParseWinPath(windowsPath);
        if (!wp) return {};
        const auto d = drives.find(wp->drive);
        if (d == drives.end() || !d->second.folder) return {};
        fs::path host = *d->second.folder;
        // Most paths are spelled as on the host: one look-up of the whole path settles them.
        {
            const fs::path exact = spelledAsGiven(*wp);
            struct stat st {};
            if (::lstat(exact.c_str(), &st) == 0) {
                if (found) *found = st;
                return exact;
            }
        }
        bool missing = false;
        for (const auto& part : wp->parts) {
            if (missing) {
                host /= part;
                continue;
            }
            std::error_code ec;
            const fs::path exact = host / part;
            if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) {
                host = exact;
                continue;
            }
            std::optional<fs::path> match;
            for (fs::directory_iterator it(host, ec), end; !ec && it != end; it.increment(ec)) {
                if (EqualsNoCase(HostNameToUtf8(it->path().filename().string()), part)) {
                    match = it->path();
                    break;
                }
            }
            if (match) {
                host = *match;
            } else {
                host = exact;
                missing = true;
            }
        }
        return host;
    }

    static std::string key(const fs::path& host) { return host.lexically_normal().string(); }

    std::optional<FindData> describe(const fs::path& host, std::string name) const {
        struct stat st {};
        if (::lstat(host.c_str(), &st) != 0) return std::nullopt;
        bool linkToFolder = false;
        if (S_ISLNK(st.st_mode)) {
            struct stat target {};
            linkToFolder = ::stat(host.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
        }
        return fromStat(st, linkToFolder, sideOf(host), std::move(name));
    }

    // The same for an entry of a folder open as `dirFd`: no path is looked up again, which is what a
    // folder listing costs on the host.
    std::optional<FindData> describeAt(int dirFd, const char* hostName, const fs::path& folder,
                                       std::string name) const {
        struct stat st {};
        if (::fstatat(dirFd, hostName, &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
        bool linkToFolder = false;
        if (S_ISLNK(st.st_mode)) {
            struct stat target {};
            linkToFolder = ::fstatat(dirFd, hostName, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        const std::optional<uint32_t> side = sideAttrs.empty() ? std::nullopt : sideOf(folder / hostName);
        return fromStat(st, linkToFolder, side, std::move(name));
    }

    std::optional<uint32_t> sideOf(const fs::path& host) const {
        if (sideAttrs.empty()) return std::nullopt;
        const auto side = sideAttrs.find(key(host));
        if (side == sideAttrs.end()) return std::nullopt;
        return side->second;
    }

    static FindData fromStat(const struct stat& st, bool linkToFolder, std::optional<uint32_t> side,
                             std::string name) {
        FindData fd;
        fd.name = std::move(name);
        uint32_t base = 0;
        if (S_ISLNK(st.st_mode)) {
            base = kAttrReparsePoint | (linkToFolder ? kAttrDirectory : 0u);
        } else if (S_ISDIR(st.st_mode)) {
            base = kAttrDirectory;
        } else {
            fd.size = static_cast<uint64_t>(st.st_size);
            if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) base |= kAttrReadOnly;
        }
        if (side) {
            base |= *side & ~kAttrNormal;
        } else if ((base & kAttrDirectory) == 0) {
            base |= kAttrArchive;
        }
        fd.attributes = base == 0 ? kAttrNormal : base;
        fd.lastWriteTime = ToFileTime(st.st_mtim);
        fd.lastAccessTime = ToFileTime(st.st_atim);
        fd.creationTime = std::min(fd.lastWriteTime, ToFileTime(st.st_ctim));
        return fd;
    }

    bool list(std::string_view pattern, bool details,
              const std::function<bool(const FindData&)>& onEntry) const;

    std::optional<FindData> stat(std::string_view path) const {
        struct stat st {};
        st.st_nlink = 0;  // stays 0 unless the look-up itself read the entry
        const fs::path host = resolve(path, &st);
        if (host.empty()) return std::nullopt;
        if (st.st_nlink == 0 || S_ISLNK(st.st_mode))
            return describe(host, HostNameToUtf8(host.filename().string()));
        return fromStat(st, false, sideOf(host), HostNameToUtf8(host.filename().string()));
    }

    void moveSide(const fs::path& from, const fs::path& to) {
        const std::string f = key(from);
        const std::string t = key(to);
        std::map<std::string, uint32_t> moved;
        for (auto it = sideAttrs.begin(); it != sideAttrs.end();) {
            if (it->first == f ||
                (it->first.size() > f.size() && it->first.starts_with(f) && it->first[f.size()] == '/')) {
                moved[t + it->first.substr(f.size())] = it->second;
                it = sideAttrs.erase(it);
            } else {
                ++it;
            }
        }
        sideAttrs.merge(moved);
    }
};

SimFileSystem::SimFileSystem() : impl_(std::make_unique<Impl>()) {}
SimFileSystem::~SimFileSystem() = default;

void SimFileSystem::mapDrive(char letter, const fs::path& hostFolder, DriveType type) {
    impl_->drives[static_cast<char>(letter & ~0x20)] = Impl::Drive{type, hostFolder};
}

void SimFileSystem::addDrive(char letter, DriveType type) {
    impl_->drives[static_cast<char>(letter & ~0x20)] = Impl::Drive{type, std::nullopt};
}

fs::path SimFileSystem::hostPath(std::string_view windowsPath) const {
    return impl_->resolve(windowsPath);
}

void SimFileSystem::setWindowsDirectory(std::string dir) {
    impl_->windowsDir = std::move(dir);
}
void SimFileSystem::setSystemDirectory(std::string dir) {
    impl_->systemDir = std::move(dir);
}
void SimFileSystem::setTempDirectory(std::string dir) {
    impl_->tempDir = std::move(dir);
}
void SimFileSystem::setProgramPath(std::string path) {
    impl_->programPath = std::move(path);
}

bool SimFileSystem::fileExists(std::string_view path) {
    const auto a = attributes(path);
    return a && (*a & kAttrDirectory) == 0;
}

bool SimFileSystem::directoryExists(std::string_view path) {
    const auto a = attributes(path);
    return a && (*a & kAttrDirectory) != 0;
}

bool SimFileSystem::createDirectory(std::string_view path) {
    const fs::path host = impl_->resolve(path);
    if (host.empty()) return false;
    std::error_code ec;
    if (fs::symlink_status(host, ec).type() != fs::file_type::not_found) return false;
    if (!fs::is_directory(host.parent_path(), ec)) return false;
    return fs::create_directory(host, ec) && !ec;
}

bool SimFileSystem::removeDirectory(std::string_view path) {
    const fs::path host = impl_->resolve(path);
    if (host.empty()) return false;
    const auto a = attributes(path);
    if (!a || (*a & kAttrDirectory) == 0) return false;
    std::error_code ec;
    if ((*a & kAttrReparsePoint) == 0 && !fs::is_empty(host, ec)) return false;
    if (!fs::remove(host, ec) || ec) return false;  // a link goes alone, its target stays
    impl_->sideAttrs.erase(Impl::key(host));
    return true;
}

bool SimFileSystem::deleteFile(std::string_view path) {
    const fs::path host = impl_->resolve(path);
    if (host.empty()) return false;
    const auto a = attributes(path);
    if (!a || (*a & kAttrDirectory) != 0 || (*a & kAttrReadOnly) != 0) return false;
    std::error_code ec;
    if (!fs::remove(host, ec) || ec) return false;
    impl_->sideAttrs.erase(Impl::key(host));
    return true;
}

bool SimFileSystem::renameFile(std::string_view from, std::string_view to) {
    const fs::path src = impl_->resolve(from);
    fs::path dst = impl_->resolve(to);
    if (src.empty() || dst.empty()) return false;
    std::error_code ec;
    if (fs::symlink_status(src, ec).type() == fs::file_type::not_found) return false;
    if (fs::symlink_status(dst, ec).type() != fs::file_type::not_found) {
        if (Impl::key(dst) != Impl::key(src)) return false;  // the target exists
        // Only the case of the name changes.
        const auto wp = ParseWinPath(to);
        if (!wp || wp->parts.empty()) return false;
        dst = src.parent_path() / wp->parts.back();
    }
    if (!fs::is_directory(dst.parent_path(), ec)) return false;
    fs::rename(src, dst, ec);
    if (ec) {
        // Another host device: files move by copy and delete, folders do not move.
        if (ec != std::errc::cross_device_link || !fs::is_regular_file(fs::symlink_status(src))) return false;
        ec.clear();
        if (!fs::copy_file(src, dst, ec) || ec) return false;
        fs::remove(src, ec);
    }
    impl_->moveSide(src, dst);
    return true;
}

bool SimFileSystem::copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    const fs::path src = impl_->resolve(from);
    const fs::path dst = impl_->resolve(to);
    if (src.empty() || dst.empty()) return false;
    const auto a = attributes(from);
    if (!a || (*a & kAttrDirectory) != 0) return false;
    if (const auto b = attributes(to)) {
        if (failIfExists || (*b & (kAttrDirectory | kAttrReadOnly)) != 0) return false;
        if (Impl::key(src) == Impl::key(dst)) return false;
    }
    std::error_code ec;
    if (!fs::is_directory(dst.parent_path(), ec)) return false;
    fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    const auto side = impl_->sideAttrs.find(Impl::key(src));
    if (side != impl_->sideAttrs.end()) {
        impl_->sideAttrs[Impl::key(dst)] = side->second;
    } else {
        impl_->sideAttrs.erase(Impl::key(dst));
    }
    return true;
}

std::optional<uint32_t> SimFileSystem::attributes(std::string_view path) {
    const auto fd = impl_->stat(path);
    if (!fd) return std::nullopt;
    return fd->attributes;
}

bool SimFileSystem::setAttributes(std::string_view path, uint32_t attributes) {
    const fs::path host = impl_->resolve(path);
    if (host.empty()) return false;
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0) return false;
    if (!S_ISLNK(st.st_mode) && !S_ISDIR(st.st_mode)) {
        const mode_t writeBits = S_IWUSR | S_IWGRP | S_IWOTH;
        mode_t mode = st.st_mode & 07777;
        if ((attributes & kAttrReadOnly) != 0) {
            mode &= ~writeBits;
        } else if ((mode & writeBits) == 0) {
            mode |= S_IWUSR;
        }
        if (::chmod(host.c_str(), mode) != 0) return false;
    }
    impl_->sideAttrs[Impl::key(host)] = attributes & kSideAttrs;
    return true;
}

std::optional<FindData> SimFileSystem::stat(std::string_view path) {
    return impl_->stat(path);
}

bool SimFileSystem::find(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) {
    return impl_->list(pattern, true, onEntry);
}

bool SimFileSystem::findNames(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) {
    return impl_->list(pattern, false, onEntry);
}

bool SimFileSystem::Impl::list(std::string_view pattern, bool details,
                               const std::function<bool(const FindData&)>& onEntry) const {
    size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string_view::npos || cut + 1 == pattern.size()) return false;
    std::string folder(pattern.substr(0, cut));
    const std::string_view mask = pattern.substr(cut + 1);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    if (HasWildcards(folder.substr(2))) return false;
    if (!HasWildcards(mask)) {
        const fs::path dir = resolve(folder);
        std::error_code ec;
        if (dir.empty() || !fs::is_directory(dir, ec)) return false;
        // A plain name: at most that one entry, under its own spelling.
        const auto fd = stat(folder + "\\" + std::string(mask));
        if (fd && fd->name != "." && fd->name != "..") onEntry(*fd);
        return true;
    }

    // A folder spelled as on the host opens at once; otherwise its components are matched first.
    const auto wp = ParseWinPath(folder);
    fs::path dir = wp ? spelledAsGiven(*wp) : fs::path();
    std::unique_ptr<DIR, int (*)(DIR*)> listing(dir.empty() ? nullptr : ::opendir(dir.c_str()), &::closedir);
    if (!listing) {
        dir = resolve(folder);
        if (dir.empty()) return false;
        listing.reset(::opendir(dir.c_str()));
        if (!listing) return false;
    }
    const std::u16string m = TranslateMask(mask);
    const bool everything = m == u"*";
    struct Entry {
        std::string name;
        std::string hostName;  // empty when it is spelled as `name`
        unsigned char type;
        const char* host() const { return hostName.empty() ? name.c_str() : hostName.c_str(); }
    };
    std::vector<Entry> entries;
    while (const dirent* e = ::readdir(listing.get())) {
        const std::string_view raw = e->d_name;
        if (raw == "." || raw == "..") continue;
        std::string name = HostNameToUtf8(std::string(raw));
        if (!everything) {
            const std::u16string folded = Fold(name);
            if (!MatchFrom(m, 0, folded, 0, folded.rfind(u'.'))) continue;
        }
        std::string hostName = name == raw ? std::string() : std::string(raw);
        entries.push_back(Entry{std::move(name), std::move(hostName), e->d_type});
    }
    // NTFS lists a folder in the order of its upper-cased names.
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return FoldedLess(a.name, b.name); });
    const int dirFd = ::dirfd(listing.get());
    // Without details, the kind the listing gives is enough for plain files and folders; links and
    // entries of unknown kind, and any entry when attributes live in the side table, are looked at.
    const bool namesOnly = !details && sideAttrs.empty();
    for (auto& e : entries) {
        if (namesOnly && (e.type == DT_REG || e.type == DT_DIR)) {
            FindData fd;
            fd.name = std::move(e.name);
            fd.attributes = e.type == DT_DIR ? kAttrDirectory : kAttrArchive;
            fd.detailsKnown = false;
            if (!onEntry(fd)) break;
            continue;
        }
        // The name is copied, not moved: host() may point into it.
        const auto fd = describeAt(dirFd, e.host(), dir, e.name);
        if (fd && !onEntry(*fd)) break;
    }
    return true;
}

DriveType SimFileSystem::driveType(std::string_view root) {
    if (root.size() < 2 || root[1] != ':') return DriveType::NoRootDir;
    const auto d = impl_->drives.find(static_cast<char>(root[0] & ~0x20));
    return d == impl_->drives.end() ? DriveType::NoRootDir : d->second.type;
}

std::vector<std::string> SimFileSystem::logicalDrives() {
    std::vector<std::string> out;
    for (const auto& [letter, drive] : impl_->drives) out.push_back(std::string(1, letter) + ":\\");
    return out;
}

std::optional<uint64_t> SimFileSystem::freeSpace(std::string_view root) {
    if (root.size() < 2 || root[1] != ':') return std::nullopt;
    const auto d = impl_->drives.find(static_cast<char>(root[0] & ~0x20));
    if (d == impl_->drives.end() || !d->second.folder) return std::nullopt;
    std::error_code ec;
    const auto info = fs::space(*d->second.folder, ec);
    if (ec) return std::nullopt;
    return static_cast<uint64_t>(info.available);
}

std::unique_ptr<FileStream> SimFileSystem::open(std::string_view path, OpenMode mode) {
    const fs::path host = impl_->resolve(path);
    if (host.empty()) return nullptr;
    const auto a = attributes(path);
    if (a && (*a & kAttrDirectory) != 0) return nullptr;
    if (a && mode != OpenMode::Read && (*a & kAttrReadOnly) != 0) return nullptr;
    int flags = O_CLOEXEC;
    switch (mode) {
        case OpenMode::Read:
            if (!a) return nullptr;
            flags |= O_RDONLY;
            break;
        case OpenMode::ReadWrite:
            if (!a) return nullptr;
            flags |= O_RDWR;
            break;
        case OpenMode::Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    const int fd = ::open(host.c_str(), flags, 0644);
    if (fd < 0) return nullptr;
    return std::make_unique<HostFileStream>(fd);
}

std::string SimFileSystem::windowsDirectory() {
    return impl_->windowsDir;
}
std::string SimFileSystem::systemDirectory() {
    return impl_->systemDir;
}
std::string SimFileSystem::tempDirectory() {
    return impl_->tempDir;
}

std::string SimFileSystem::programDirectory() {
    const size_t cut = impl_->programPath.rfind('\\');
    return cut == std::string::npos ? std::string() : impl_->programPath.substr(0, cut + 1);
}

std::string SimFileSystem::programPath() {
    return impl_->programPath;
}

}  // namespace trenmoor::platform::sim
