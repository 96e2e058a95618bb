#include "platform/registry_accessor.h"

#include <cstring>

#include "platform/text_encoding.h"

namespace trenmoor::platform {
namespace {

std::string_view TrimSlashes(std::string_view p) {
    while (!p.empty() && p.front() == '\\') p.remove_prefix(1);
    while (!p.empty() && p.back() == '\\') p.remove_suffix(1);
    return p;
}

}  // namespace

TRegistry::TRegistry(Registry& backend, RootKey root) : backend_(backend), root_(root) {}

void TRegistry::SetRootKey(RootKey root) {
    CloseKey();
    root_ = root;
}

std::string TRegistry::Absolute(std::string_view path) const {
    if (!path.empty() && path.front() == '\\') return std::string(TrimSlashes(path));
    const std::string_view rel = TrimSlashes(path);
    if (currentPath_.empty() || key_ == nullptr) return std::string(rel);
    if (rel.empty()) return currentPath_;
    return currentPath_ + "\\" + std::string(rel);
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate) {
    const std::string abs = Absolute(path);
    auto key = backend_.open(root_, abs, canCreate, true);
    if (!key) return false;
    key_ = std::move(key);
    currentPath_ = abs;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view path) {
    const std::string abs = Absolute(path);
    auto key = backend_.open(root_, abs, false, false);
    if (!key) return false;
    key_ = std::move(key);
    currentPath_ = abs;
    return true;
}

void TRegistry::CloseKey() {
    key_.reset();
    currentPath_.clear();
}

bool TRegistry::KeyExists(std::string_view path) {
    return backend_.open(root_, Absolute(path), false, false) != nullptr;
}

bool TRegistry::ValueExists(std::string_view name) {
    return key_ && key_->queryValue(name).has_value();
}

std::vector<std::string> TRegistry::GetKeyNames() {
    return key_ ? key_->subkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> TRegistry::GetValueNames() {
    return key_ ? key_->valueNames() : std::vector<std::string>{};
}

bool TRegistry::HasSubKeys() {
    if (!key_) return false;
    const auto info = key_->info();
    return info && info->subkeyCount > 0;
}

RegDataType TRegistry::GetDataType(std::string_view name) {
    const auto v = ReadRaw(name);
    if (!v) return RegDataType::Unknown;
    switch (v->type) {
        case kRegSz:
            return RegDataType::String;
        case kRegExpandSz:
            return RegDataType::ExpandString;
        case kRegDword:
            return RegDataType::Integer;
        case kRegBinary:
            return RegDataType::Binary;
        default:
            return RegDataType::Unknown;
    }
}

std::optional<uint32_t> TRegistry::GetDataSize(std::string_view name) {
    const auto v = ReadRaw(name);
    if (!v) return std::nullopt;
    return static_cast<uint32_t>(v->data.size());
}

std::optional<RawValue> TRegistry::ReadRaw(std::string_view name) {
    if (!key_) return std::nullopt;
    return key_->queryValue(name);
}

std::string TRegistry::ReadString(std::string_view name) {
    const auto v = ReadRaw(name);
    if (!v) return {};
    if (v->type != kRegSz && v->type != kRegExpandSz)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return RegBytesToUtf8(v->data);
}

int32_t TRegistry::ReadInteger(std::string_view name) {
    const auto v = ReadRaw(name);
    if (!v) throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    if (v->type != kRegDword || v->data.size() < 4)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    uint32_t x = 0;
    std::memcpy(&x, v->data.data(), 4);  // little-endian, as stored
    return static_cast<int32_t>(x);
}

size_t TRegistry::ReadBinaryData(std::string_view name, void* buffer, size_t bufferSize) {
    const auto v = ReadRaw(name);
    if (!v) throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    if (v->type == kRegSz || v->type == kRegExpandSz || v->type == kRegDword)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    if (v->data.size() > bufferSize)
        throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    if (!v->data.empty()) std::memcpy(buffer, v->data.data(), v->data.size());
    return v->data.size();
}

bool TRegistry::WriteRaw(std::string_view name, const RawValue& value) {
    return key_ && key_->setValue(name, value);
}

bool TRegistry::WriteString(std::string_view name, std::string_view value) {
    return WriteRaw(name, RawValue{kRegSz, Utf8ToRegBytes(value)});
}

bool TRegistry::WriteExpandString(std::string_view name, std::string_view value) {
    return WriteRaw(name, RawValue{kRegExpandSz, Utf8ToRegBytes(value)});
}

bool TRegistry::WriteInteger(std::string_view name, int32_t value) {
    RawValue v{kRegDword, std::vector<uint8_t>(4)};
    const auto u = static_cast<uint32_t>(value);
    std::memcpy(v.data.data(), &u, 4);
    return WriteRaw(name, v);
}

bool TRegistry::WriteBinaryData(std::string_view name, const void* data, size_t size) {
    RawValue v{kRegBinary, std::vector<uint8_t>(size)};
    if (size) std::memcpy(v.data.data(), data, size);
    return WriteRaw(name, v);
}

bool TRegistry::DeleteValue(std::string_view name) {
    return key_ && key_->deleteValue(name);
}

bool TRegistry::DeleteKey(std::string_view path) {
    const std::string abs = Absolute(path);
    if (abs.empty()) return false;  // never the root itself
    const size_t cut = abs.rfind('\\');
    const std::string parentPath = cut == std::string::npos ? std::string() : abs.substr(0, cut);
    const std::string leaf = cut == std::string::npos ? abs : abs.substr(cut + 1);
    auto parent = backend_.open(root_, parentPath, false, true);
    return parent && parent->deleteSubkeyTree(leaf);
}

}  // namespace trenmoor::platform
