#pragma once
// The raw registry: open keys, enumerate, read and write values as Windows stores them.
// Two backends implement it (the real registry on Windows, an in-memory machine natively).
// Names and paths are UTF-8; value data is kept exactly as stored (strings as UTF-16LE bytes
// including the terminator), so backups and restores can be byte-exact.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trenmoor::platform {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, PerformanceData };

// Value type codes, numbered as Windows numbers them.
enum RegType : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegLink = 6,
    kRegMultiSz = 7,
    kRegResourceList = 8,
    kRegFullResourceDescriptor = 9,
    kRegResourceRequirementsList = 10,
    kRegQword = 11,
};

struct RawValue {
    uint32_t type = kRegNone;
    std::vector<uint8_t> data;

    friend bool operator==(const RawValue&, const RawValue&) = default;
};

// One value as an enumeration of its key meets it; the views hold only during the visit.
struct ValueView {
    std::string_view name;
    uint32_t type = kRegNone;
    std::span<const uint8_t> data;  // as stored
};
using ValueVisitor = std::function<bool(const ValueView& value)>;

struct KeyInfo {
    uint32_t subkeyCount = 0;
    uint32_t valueCount = 0;
    uint64_t lastWriteTime = 0;  // FILETIME (100 ns since 1601, UTC)
};

// One open key; closed when the object is destroyed.
class RegKey {
  public:
    virtual ~RegKey() = default;

    // Opens (or, with create, creates) a key below this one. `path` is relative and may hold several
    // levels separated by backslashes. Returns nullptr on failure. Links are followed, as Windows does.
    [[nodiscard]] virtual std::unique_ptr<RegKey> openSubkey(std::string_view path, bool create,
                                                             bool writable) = 0;

    // Opens the direct subkey `name` read-only for a walk of the tree: nullptr when it cannot be opened
    // or when it is a registry link (a walk never follows one, so a link loop cannot trap it and a link
    // cannot lead it into another tree).
    [[nodiscard]] virtual std::unique_ptr<RegKey> openChildForWalk(std::string_view name) = 0;

    // Names in the order the system enumerates them (subkeys sorted case-insensitively,
    // values in creation order).
    [[nodiscard]] virtual std::vector<std::string> subkeyNames() = 0;
    [[nodiscard]] virtual std::vector<std::string> valueNames() = 0;
    [[nodiscard]] virtual std::optional<KeyInfo> info() = 0;
    // Visits the values in enumeration order, each name, type and data read together (one call per
    // value: the cheap way for walks over whole hives), until `visit` returns false.
    virtual void visitValues(const ValueVisitor& visit) = 0;

    // The empty name is the key's unnamed default value.
    [[nodiscard]] virtual std::optional<RawValue> queryValue(std::string_view name) = 0;
    [[nodiscard]] virtual bool setValue(std::string_view name, const RawValue& value) = 0;
    [[nodiscard]] virtual bool deleteValue(std::string_view name) = 0;

    // Deletes the direct subkey `name` with everything below it. A subkey that is a registry link is
    // removed as a link: its target is never touched.
    [[nodiscard]] virtual bool deleteSubkeyTree(std::string_view name) = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens a key from a root; an empty path opens the root itself. nullptr on failure.
    [[nodiscard]] virtual std::unique_ptr<RegKey> open(RootKey root, std::string_view path, bool create,
                                                       bool writable) = 0;
};

}  // namespace trenmoor::platform
