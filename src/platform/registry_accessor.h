#pragma once
// The registry accessor every tool uses: one short-lived object per use, a root key (current user by
// default), one currently open key, typed reads and writes. Paths beginning with a backslash are taken
// from the root, others from the currently open key.
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace trenmoor::platform {

// Raised by a read of the wrong type (or of a missing value, for the non-string reads).
class ERegistryException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class RegDataType { Unknown, String, ExpandString, Integer, Binary };

class TRegistry {
  public:
    explicit TRegistry(Registry& backend, RootKey root = RootKey::CurrentUser);
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    void SetRootKey(RootKey root);  // closes the open key
    RootKey GetRootKey() const { return root_; }

    // Opens `path` (see above); with `canCreate` missing keys on the way are created. On failure the
    // previously open key stays open.
    bool OpenKey(std::string_view path, bool canCreate);
    bool OpenKeyReadOnly(std::string_view path);
    void CloseKey();
    bool HasOpenKey() const { return key_ != nullptr; }
    const std::string& CurrentPath() const { return currentPath_; }  // without leading backslash
    RegKey* CurrentKey() { return key_.get(); }

    bool KeyExists(std::string_view path);
    bool ValueExists(std::string_view name);
    std::vector<std::string> GetKeyNames();
    std::vector<std::string> GetValueNames();
    bool HasSubKeys();

    RegDataType GetDataType(std::string_view name);  // Unknown also when the value is missing
    std::optional<uint32_t> GetDataSize(std::string_view name);

    // REG_SZ and REG_EXPAND_SZ, unexpanded; "" for a missing value; throws for any other type.
    std::string ReadString(std::string_view name);
    // REG_DWORD; throws for a missing value or another type.
    int32_t ReadInteger(std::string_view name);
    bool ReadBool(std::string_view name) { return ReadInteger(name) != 0; }
    // REG_BINARY (or an unknown type) into `buffer`; returns the byte count. Throws for a missing value,
    // a string or integer value, or a buffer too small.
    size_t ReadBinaryData(std::string_view name, void* buffer, size_t bufferSize);
    std::optional<RawValue> ReadRaw(std::string_view name);

    bool WriteString(std::string_view name, std::string_view value);        // REG_SZ
    bool WriteExpandString(std::string_view name, std::string_view value);  // REG_EXPAND_SZ
    bool WriteInteger(std::string_view name, int32_t value);                // REG_DWORD
    bool WriteBool(std::string_view name, bool value) { return WriteInteger(name, value ? 1 : 0); }
    bool WriteBinaryData(std::string_view name, const void* data, size_t size);  // REG_BINARY
    bool WriteRaw(std::string_view name, const RawValue& value);

    bool DeleteValue(std::string_view name);
    // Deletes the key with all its subkeys; registry links below it are removed, never followed.
    bool DeleteKey(std::string_view path);

  private:
    // Resolves `path` to (base key to open from, relative path). nullptr base means from the root.
    std::string Absolute(std::string_view path) const;

    Registry& backend_;
    RootKey root_;
    std::unique_ptr<RegKey> key_;
    std::string currentPath_;
};

}  // namespace trenmoor::platform
