#pragma once
// Internals of the simulated registry, shared by the key implementation and the .reg reader/writer.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace trenmoor::platform::sim {

namespace regsim {

// A name folded as Windows compares names: upper-cased UTF-16 units. Ordering these strings by
// code unit gives the registry's enumeration order.
using NameKey = std::u16string;
NameKey FoldName(std::string_view utf8);
void FoldNameInto(std::string_view utf8, NameKey& out);  // reuses the buffer of `out`

// Path components between backslashes; empty components are skipped.
std::vector<std::string_view> SplitPath(std::string_view path);

FileTime NowFileTime();

struct ValueEntry {
    std::string name;
    NameKey folded;
    RawValue value;
};

struct Node {
    static constexpr size_t kIndexThreshold = 24;  // keys with more values get a hash index

    std::string name;  // spelled as created
    Node* parent = nullptr;
    RootKey root = RootKey::CurrentUser;
    bool deleted = false;
    bool denied = false;
    std::optional<std::string> linkTarget;  // path from the root of the same tree
    std::map<NameKey, std::shared_ptr<Node>> children;
    std::vector<ValueEntry> values;  // creation order
    std::unique_ptr<std::unordered_map<NameKey, size_t>> valueIndex;
    FileTime lastWrite = 0;

    const ValueEntry* findValue(const NameKey& folded) const;
    ValueEntry* findValue(const NameKey& folded);
    void setValue(std::string_view name, NameKey folded, const RawValue& value);
    bool deleteValue(const NameKey& folded);
    void rebuildIndex();
};

void MarkDeleted(Node& node);
bool SubtreeHasDeniedKey(const Node& node);

struct Tree {
    static constexpr int kMaxLinkDepth = 16;

    Tree();
    std::shared_ptr<Node> rootNode(RootKey root) const;  // nullptr for roots the machine does not have
    std::shared_ptr<Node> child(const Node& parent, std::string_view name) const;
    // Walks `path` from `start`, following links (the last component only with `followLastLink`),
    // creating missing keys with `create`. nullptr when a key is missing or a link dangles.
    std::shared_ptr<Node> walk(std::shared_ptr<Node> start, std::string_view path, bool create,
                               bool followLastLink, int depth = 0) const;

    // Whether a key just created at `node` was denied before it existed.
    bool deniedBeforeCreation(const Node& node) const;

    // Classes root, current user, local machine, users, current config (RootKey order).
    std::array<std::shared_ptr<Node>, 5> roots;
    // Keys denied while they did not exist yet: root and folded path components.
    std::vector<std::pair<RootKey, std::vector<NameKey>>> pendingDenials;
};

// The node behind a key opened from a SimRegistry (nullptr for any other key).
const Node* NodeOf(const RegKey& key);

}  // namespace regsim

struct SimRegistry::Impl {
    std::shared_ptr<regsim::Tree> tree = std::make_shared<regsim::Tree>();
};

}  // namespace trenmoor::platform::sim
