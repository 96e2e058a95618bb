#include <algorithm>
#include <limits>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_stream.h"

namespace trenmoor::platform::win32 {
namespace {

constexpr size_t kMaxChunk = 1u << 30;  // ReadFile/WriteFile take 32-bit counts

class Win32FileStream final : public FileStream {
  public:
    explicit Win32FileStream(UniqueFileHandle file) : file_(std::move(file)) {}

    size_t read(void* buffer, size_t count) override {
        auto* out = static_cast<uint8_t*>(buffer);
        size_t total = 0;
        while (total < count) {
            const DWORD want = static_cast<DWORD>(std::min(count - total, kMaxChunk));
            DWORD got = 0;
            if (!ReadFile(file_.get(), out + total, want, &got, nullptr) || got == 0) break;
            total += got;
        }
        return total;
    }

    bool write(const void* buffer, size_t count) override {
        const auto* in = static_cast<const uint8_t*>(buffer);
        size_t total = 0;
        while (total < count) {
            const DWORD want = static_cast<DWORD>(std::min(count - total, kMaxChunk));
            DWORD put = 0;
            if (!WriteFile(file_.get(), in + total, want, &put, nullptr) || put == 0) return false;
            total += put;
        }
        return true;
    }

    bool seek(int64_t offset, SeekOrigin origin) override {
        const DWORD method = origin == SeekOrigin::Begin     ? FILE_BEGIN
                             : origin == SeekOrigin::Current ? FILE_CURRENT
                                                             : FILE_END;
        LARGE_INTEGER distance;
        distance.QuadPart = offset;
        return SetFilePointerEx(file_.get(), distance, nullptr, method) != FALSE;
    }

    std::optional<uint64_t> position() override {
        LARGE_INTEGER zero{}, now{};
        if (!SetFilePointerEx(file_.get(), zero, &now, FILE_CURRENT)) return std::nullopt;
        return static_cast<uint64_t>(now.QuadPart);
    }

    std::optional<uint64_t> size() override {
        LARGE_INTEGER bytes{};
        if (!GetFileSizeEx(file_.get(), &bytes)) return std::nullopt;
        return static_cast<uint64_t>(bytes.QuadPart);
    }

    // The position is kept (it may then lie past the end, as Windows allows).
    bool setSize(uint64_t newSize) override {
        if (newSize > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return false;
        const auto before = position();
        if (!before) return false;
        LARGE_INTEGER target;
        target.QuadPart = static_cast<int64_t>(newSize);
        const bool ok =
            SetFilePointerEx(file_.get(), target, nullptr, FILE_BEGIN) && SetEndOfFile(file_.get());
        LARGE_INTEGER back;
        back.QuadPart = static_cast<int64_t>(*before);
        const bool restored = SetFilePointerEx(file_.get(), back, nullptr, FILE_BEGIN) != FALSE;
        return ok && restored;
    }

    bool flushToDisk() override { return FlushFileBuffers(file_.get()) != FALSE; }

  private:
    UniqueFileHandle file_;
};

}  // namespace

std::unique_ptr<FileStream> OpenWin32Stream(std::string_view path, OpenMode mode) {
    const auto widePath = WidenName(path);
    if (!widePath || widePath->empty()) return nullptr;
    DWORD access = GENERIC_READ;
    // Readers let others go on writing (logs, open documents); writers let others only read.
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    DWORD disposition = OPEN_EXISTING;
    if (mode != OpenMode::Read) {
        access |= GENERIC_WRITE;
        share = FILE_SHARE_READ;
    }
    if (mode == OpenMode::Create) disposition = CREATE_ALWAYS;
    UniqueFileHandle file(
        CreateFileW(widePath->c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<Win32FileStream>(std::move(file));
}

}  // namespace trenmoor::platform::win32
