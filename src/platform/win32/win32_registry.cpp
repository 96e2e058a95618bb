// The real registry through the wide advapi32 calls.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/text_encoding.h"
#include "platform/win32/registry_links.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {
namespace {

HKEY RootHandle(RootKey root) {
    switch (root) {
        case RootKey::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RootKey::CurrentUser:
            return HKEY_CURRENT_USER;
        case RootKey::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RootKey::Users:
            return HKEY_USERS;
        case RootKey::CurrentConfig:
            return HKEY_CURRENT_CONFIG;
        case RootKey::PerformanceData:
            return HKEY_PERFORMANCE_DATA;
    }
    return nullptr;
}

REGSAM Access(bool writable) {
    return writable ? KEY_READ | KEY_WRITE : KEY_READ;
}

std::unique_ptr<RegKey> OpenFrom(HKEY base, std::string_view path, bool create, bool writable);
bool KeyNamesFit(std::wstring_view path);

// UTF-16 to UTF-8 into a reused string; the common all-ASCII name costs no allocation.
void NarrowInto(std::wstring_view utf16, std::string& out) {
    out.clear();
    for (const wchar_t c : utf16) {
        if (c >= 0x80) {
            out = Narrow(utf16);
            return;
        }
        out.push_back(static_cast<char>(c));
    }
}

// What a key held when it was opened for a walk: its counts and longest names, asked once together so
// the walk's enumerations need no further query (and no closing call past the last item).
struct WalkCounts {
    DWORD subkeys = 0, maxSubkeyName = 0, values = 0, maxValueName = 0, maxValueData = 0;
};

std::optional<WalkCounts> QueryWalkCounts(HKEY key) {
    WalkCounts c;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &c.subkeys, &c.maxSubkeyName, nullptr, &c.values,
                         &c.maxValueName, &c.maxValueData, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return c;
}

class Win32RegKey final : public RegKey {
  public:
    explicit Win32RegKey(UniqueHKey key) : key_(std::move(key)) {}
    Win32RegKey(UniqueHKey key, const WalkCounts& counts)
        : key_(std::move(key)), subkeyCounts_(counts), valueCounts_(counts) {}

    std::unique_ptr<RegKey> openSubkey(std::string_view path, bool create, bool writable) override {
        return OpenFrom(key_.get(), path, create, writable);
    }

    std::unique_ptr<RegKey> openChildForWalk(std::string_view name) override {
        const auto wideName = WidenName(name);
        if (!wideName || wideName->empty() || wideName->find(L'\\') != std::wstring::npos ||
            !KeyNamesFit(*wideName))
            return nullptr;
        // Opened as a link, a link key shows itself instead of its target; an ordinary key opens as usual.
        UniqueHKey key;
        if (RegOpenKeyExW(key_.get(), wideName->c_str(), REG_OPTION_OPEN_LINK, KEY_READ, key.put()) !=
            ERROR_SUCCESS)
            return nullptr;
        const std::optional<WalkCounts> counts = QueryWalkCounts(key.get());
        // A link has no subkeys of its own and its target in a value: only such a key needs the test.
        if (!counts || (counts->subkeys == 0 && counts->values > 0)) {
            if (IsRegistryLink(key.get())) return nullptr;
        }
        if (!counts) return std::make_unique<Win32RegKey>(std::move(key));
        return std::make_unique<Win32RegKey>(std::move(key), *counts);
    }

    std::vector<std::string> subkeyNames() override {
        std::vector<std::string> names;
        // A key opened for a walk lists the subkeys it had then (counted, so no call past the last).
        const std::optional<WalkCounts> counts = std::exchange(subkeyCounts_, std::nullopt);
        DWORD maxLen = 0;
        DWORD count = MAXDWORD;
        if (counts) {
            maxLen = counts->maxSubkeyName;
            count = counts->subkeys;
            names.reserve(count);
        } else if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, &maxLen, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return names;
        }
        std::vector<wchar_t> buffer(maxLen + 1);
        for (DWORD index = 0; index < count;) {
            DWORD len = static_cast<DWORD>(buffer.size());
            const LSTATUS rc =
                RegEnumKeyExW(key_.get(), index, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_MORE_DATA) {  // a longer name appeared after the size was asked
                buffer.resize(buffer.size() * 2 + 256);
                continue;
            }
            if (rc != ERROR_SUCCESS) break;
            names.push_back(Narrow(std::wstring_view(buffer.data(), len)));
            ++index;
        }
        // Windows lists subkeys in the order of their upper-cased names; Wine lower-cases instead, which
        // moves "_" and "[" ahead of the letters. Sorting again is a no-op on Windows and makes every
        // system list (and back up) keys alike.
        std::stable_sort(names.begin(), names.end(),
                         [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
        return names;
    }

    std::vector<std::string> valueNames() override {
        std::vector<std::string> names;
        DWORD maxLen = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &maxLen, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        std::vector<wchar_t> buffer(maxLen + 1);
        for (DWORD index = 0;;) {
            DWORD len = static_cast<DWORD>(buffer.size());
            const LSTATUS rc =
                RegEnumValueW(key_.get(), index, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_MORE_DATA) {
                buffer.resize(buffer.size() * 2 + 256);
                continue;
            }
            if (rc != ERROR_SUCCESS) break;
            names.push_back(Narrow(std::wstring_view(buffer.data(), len)));
            ++index;
        }
        return names;
    }

    void visitValues(const ValueVisitor& visit) override {
        // A key opened for a walk visits the values it had then (counted, so no call past the last).
        std::optional<WalkCounts> counts = std::exchange(valueCounts_, std::nullopt);
        if (!counts) counts = QueryWalkCounts(key_.get());
        if (!counts) return;
        const DWORD count = counts->values, maxName = counts->maxValueName, maxData = counts->maxValueData;
        // Reused for every value: names and data are read into the same two buffers.
        std::vector<wchar_t> name(maxName + 1);
        std::vector<uint8_t> data(std::max<DWORD>(maxData, 1));
        std::string narrowName;
        for (DWORD index = 0, retries = 0; index < count;) {
            DWORD nameLen = static_cast<DWORD>(name.size());
            DWORD dataLen = static_cast<DWORD>(data.size());
            DWORD type = REG_NONE;
            const LSTATUS rc = RegEnumValueW(key_.get(), index, name.data(), &nameLen, nullptr, &type,
                                             data.data(), &dataLen);
            if (rc == ERROR_MORE_DATA && ++retries < 16) {  // the value grew after the sizes were asked
                name.resize(name.size() * 2 + 256);
                data.resize(std::max<size_t>(dataLen, data.size() * 2));
                continue;
            }
            if (rc != ERROR_SUCCESS) return;
            NarrowInto(std::wstring_view(name.data(), nameLen), narrowName);
            if (!visit(ValueView{narrowName, type, std::span<const uint8_t>(data.data(), dataLen)})) return;
            ++index;
            retries = 0;
        }
    }

    std::optional<KeyInfo> info() override {
        DWORD subkeys = 0, values = 0;
        FILETIME written{};
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
            return std::nullopt;
        KeyInfo result;
        result.subkeyCount = subkeys;
        result.valueCount = values;
        result.lastWriteTime = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
        return result;
    }

    std::optional<RawValue> queryValue(std::string_view name) override {
        const auto wideName = WidenName(name);
        if (!wideName) return std::nullopt;
        DWORD type = REG_NONE;
        DWORD size = 0;
        LSTATUS rc = RegQueryValueExW(key_.get(), wideName->c_str(), nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return std::nullopt;
        std::vector<uint8_t> data(size);
        // The value may grow between the two calls (and some data sizes are only known by trying).
        for (int attempt = 0; attempt < 16; ++attempt) {
            DWORD got = static_cast<DWORD>(data.size());
            rc = RegQueryValueExW(key_.get(), wideName->c_str(), nullptr, &type,
                                  data.empty() ? nullptr : data.data(), &got);
            if (rc == ERROR_SUCCESS) {
                data.resize(got);
                return RawValue{type, std::move(data)};
            }
            if (rc != ERROR_MORE_DATA) return std::nullopt;
            data.resize(std::max<size_t>(got, data.size() * 2 + 256));
        }
        return std::nullopt;
    }

    bool setValue(std::string_view name, const RawValue& value) override {
        constexpr size_t kMaxValueName = 16383;  // the system's limit, enforced alike everywhere
        const auto wideName = WidenName(name);
        if (!wideName || wideName->size() > kMaxValueName || value.data.size() > 0xFFFFFFFFu) return false;
        const auto size = static_cast<DWORD>(value.data.size());
        if (value.data.empty())
            return RegSetValueExW(key_.get(), wideName->c_str(), 0, value.type, nullptr, 0) == ERROR_SUCCESS;
        if (value.type != REG_SZ && value.type != REG_EXPAND_SZ && value.type != REG_MULTI_SZ)
            return RegSetValueExW(key_.get(), wideName->c_str(), 0, value.type, value.data.data(), size) ==
                   ERROR_SUCCESS;
        // For string types the system looks at the character just past the data and, when that is a NUL
        // and the data's own last character is not, stores a terminator the caller never gave. The copy
        // ends in a non-NUL pad so the bytes stored are exactly the bytes given (and nothing past the
        // caller's buffer is read).
        std::vector<uint8_t> padded(value.data);
        padded.insert(padded.end(), {0xFF, 0xFF, 0xFF});
        return RegSetValueExW(key_.get(), wideName->c_str(), 0, value.type, padded.data(), size) ==
               ERROR_SUCCESS;
    }

    bool deleteValue(std::string_view name) override {
        const auto wideName = WidenName(name);
        return wideName && RegDeleteValueW(key_.get(), wideName->c_str()) == ERROR_SUCCESS;
    }

    bool deleteSubkeyTree(std::string_view name) override {
        const auto wideName = WidenName(name);
        return wideName && !wideName->empty() &&
               DeleteKeyTreeNoFollow(key_.get(), *wideName) == ERROR_SUCCESS;
    }

  private:
    UniqueHKey key_;
    std::optional<WalkCounts> subkeyCounts_;  // set for a key opened for a walk, used once
    std::optional<WalkCounts> valueCounts_;
};

// Windows refuses key names longer than 255 characters; some registry implementations (Wine) take them,
// and a key made there could never be reached on Windows. Checked here so both behave alike.
bool KeyNamesFit(std::wstring_view path) {
    constexpr size_t kMaxKeyName = 255;
    size_t run = 0;
    for (const wchar_t c : path) {
        run = c == L'\\' ? 0 : run + 1;
        if (run > kMaxKeyName) return false;
    }
    return true;
}

std::unique_ptr<RegKey> OpenFrom(HKEY base, std::string_view path, bool create, bool writable) {
    const auto widePath = WidenName(path);
    if (!widePath || base == nullptr || !KeyNamesFit(*widePath)) return nullptr;
    UniqueHKey key;
    LSTATUS rc;
    if (create) {
        rc = RegCreateKeyExW(base, widePath->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access(writable),
                             nullptr, key.put(), nullptr);
    } else {
        rc = RegOpenKeyExW(base, widePath->c_str(), 0, Access(writable), key.put());
    }
    if (rc != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegKey>(std::move(key));
}

}  // namespace

std::unique_ptr<RegKey> Win32Registry::open(RootKey root, std::string_view path, bool create, bool writable) {
    const HKEY base = RootHandle(root);
    // The root itself: the predefined handle serves (and is never closed).
    if (path.empty()) return base == nullptr ? nullptr : std::make_unique<Win32RegKey>(UniqueHKey(base));
    return OpenFrom(base, path, create, writable);
}

}  // namespace trenmoor::platform::win32
