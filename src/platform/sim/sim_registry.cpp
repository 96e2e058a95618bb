// The simulated registry: one in-memory tree per predefined root with the semantics of the Windows
// registry (case-insensitive names, subkeys enumerated in case-insensitive order, values in creation
// order, raw typed data, links, per-key access, handles that survive the deletion of their key).
#include "platform/sim/sim_registry_impl.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/text_encoding.h"

namespace trenmoor::platform::sim {

namespace regsim {

NameKey FoldName(std::string_view utf8) {
    NameKey out;
    FoldNameInto(utf8, out);
    return out;
}

void FoldNameInto(std::string_view utf8, NameKey& out) {
    out.clear();
    bool ascii = true;
    for (const char ch : utf8) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii) {
        out.resize(utf8.size());
        for (size_t i = 0; i < utf8.size(); ++i) {
            const char ch = utf8[i];
            out[i] = static_cast<char16_t>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
        }
        return;
    }
    out = Utf8ToUtf16(utf8);
    for (char16_t& c : out) c = UpperChar16(c);
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

FileTime NowFileTime() {
    using namespace std::chrono;
    const auto since1970 = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<FileTime>(since1970 / 100) + 116444736000000000ULL;
}

const ValueEntry* Node::findValue(const NameKey& folded) const {
    if (valueIndex) {
        const auto it = valueIndex->find(folded);
        return it == valueIndex->end() ? nullptr : &values[it->second];
    }
    for (const auto& v : values)
        if (v.folded == folded) return &v;
    return nullptr;
}

ValueEntry* Node::findValue(const NameKey& folded) {
    return const_cast<ValueEntry*>(std::as_const(*this).findValue(folded));
}

void Node::rebuildIndex() {
    if (values.size() < kIndexThreshold) {
        valueIndex.reset();
        return;
    }
    if (!valueIndex) valueIndex = std::make_unique<std::unordered_map<NameKey, size_t>>();
    valueIndex->clear();
    valueIndex->reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) valueIndex->emplace(values[i].folded, i);
}

void Node::setValue(std::string_view name, NameKey folded, const RawValue& value) {
    if (ValueEntry* existing = findValue(folded)) {
        existing->value = value;  // keeps its name spelling and its place
    } else {
        if (values.empty()) values.reserve(4);
        values.push_back(ValueEntry{std::string(name), std::move(folded), value});
        if (valueIndex) {
            valueIndex->emplace(values.back().folded, values.size() - 1);
        } else if (values.size() >= kIndexThreshold) {
            rebuildIndex();
        }
    }
    lastWrite = NowFileTime();
}

bool Node::deleteValue(const NameKey& folded) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].folded != folded) continue;
        values.erase(values.begin() + static_cast<std::ptrdiff_t>(i));
        if (valueIndex) rebuildIndex();
        lastWrite = NowFileTime();
        return true;
    }
    return false;
}

void MarkDeleted(Node& node) {
    // Iterative, so that very deep trees cannot exhaust the stack. Children are moved out before
    // they are visited, so each stays alive (for handles that still hold it) while it is marked.
    std::vector<std::shared_ptr<Node>> pending;
    auto detach = [&pending](Node& n) {
        n.deleted = true;
        n.parent = nullptr;
        for (auto& [name, child] : n.children) pending.push_back(std::move(child));
        n.children.clear();
        n.values.clear();
        n.valueIndex.reset();
    };
    detach(node);
    while (!pending.empty()) {
        std::shared_ptr<Node> n = std::move(pending.back());
        pending.pop_back();
        detach(*n);
    }
}

bool SubtreeHasDeniedKey(const Node& node) {
    std::vector<const Node*> stack{&node};
    while (!stack.empty()) {
        const Node* n = stack.back();
        stack.pop_back();
        if (n->denied) return true;
        for (const auto& [name, child] : n->children) stack.push_back(child.get());
    }
    return false;
}

Tree::Tree() {
    for (size_t i = 0; i < roots.size(); ++i) {
        roots[i] = std::make_shared<Node>();
        roots[i]->root = static_cast<RootKey>(i);
        roots[i]->lastWrite = NowFileTime();
    }
}

std::shared_ptr<Node> Tree::rootNode(RootKey root) const {
    const auto i = static_cast<size_t>(root);
    return i < roots.size() ? roots[i] : nullptr;
}

std::shared_ptr<Node> Tree::child(const Node& parent, std::string_view name) const {
    const auto it = parent.children.find(FoldName(name));
    return it == parent.children.end() ? nullptr : it->second;
}

std::shared_ptr<Node> Tree::walk(std::shared_ptr<Node> start, std::string_view path, bool create,
                                 bool followLastLink, int depth) const {
    if (!start || start->deleted || depth > kMaxLinkDepth) return nullptr;
    std::shared_ptr<Node> cur = std::move(start);
    NameKey folded;
    size_t pos = 0;
    while (pos < path.size()) {
        size_t end = path.find('\\', pos);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty()) continue;
        FoldNameInto(part, folded);
        auto it = cur->children.find(folded);
        std::shared_ptr<Node> next;
        if (it != cur->children.end()) {
            next = it->second;
        } else {
            if (!create || cur->denied) return nullptr;  // a key without rights gets no new subkeys
            next = std::make_shared<Node>();
            next->name = std::string(part);
            next->parent = cur.get();
            next->root = cur->root;
            next->lastWrite = NowFileTime();
            cur->children.emplace(folded, next);
            cur->lastWrite = next->lastWrite;
            if (!pendingDenials.empty()) next->denied = deniedBeforeCreation(*next);
        }
        bool last = true;
        for (size_t i = pos; i < path.size() && last; ++i) last = path[i] == '\\';
        if (next->linkTarget && (!last || followLastLink)) {
            next = walk(rootNode(next->root), *next->linkTarget, false, true, depth + 1);
            if (!next) return nullptr;
        }
        cur = std::move(next);
    }
    return cur;
}

bool Tree::deniedBeforeCreation(const Node& node) const {
    std::vector<NameKey> path;
    for (const Node* n = &node; n && n->parent; n = n->parent) path.push_back(FoldName(n->name));
    std::reverse(path.begin(), path.end());
    for (const auto& [root, denied] : pendingDenials)
        if (root == node.root && denied == path) return true;
    return false;
}

}  // namespace regsim

namespace {

using regsim::FoldName;
using regsim::Node;
using regsim::Tree;

class SimKey final : public RegKey {
  public:
    SimKey(std::shared_ptr<Tree> tree, std::shared_ptr<Node> node, bool writable)
        : tree_(std::move(tree)), node_(std::move(node)), writable_(writable) {}

    std::unique_ptr<RegKey> openSubkey(std::string_view path, bool create, bool writable) override {
        // As on Windows, the access of this handle does not limit what is opened or created below it.
        return OpenFrom(tree_, node_, path, create, writable);
    }

    std::unique_ptr<RegKey> openChildForWalk(std::string_view name) override {
        if (!usable() || name.empty() || name.find('\\') != std::string_view::npos) return nullptr;
        const auto it = node_->children.find(FoldName(name));
        if (it == node_->children.end()) return nullptr;
        const std::shared_ptr<Node>& child = it->second;
        if (child->linkTarget || child->deleted || child->denied) return nullptr;
        return std::make_unique<SimKey>(tree_, child, false);
    }

    std::vector<std::string> subkeyNames() override {
        std::vector<std::string> names;
        if (!usable()) return names;
        names.reserve(node_->children.size());
        for (const auto& [folded, child] : node_->children) names.push_back(child->name);
        return names;
    }

    std::vector<std::string> valueNames() override {
        std::vector<std::string> names;
        if (!usable()) return names;
        names.reserve(node_->values.size());
        for (const auto& v : node_->values) names.push_back(v.name);
        return names;
    }

    void visitValues(const ValueVisitor& visit) override {
        if (!usable()) return;
        for (const auto& v : node_->values) {
            if (!visit(ValueView{v.name, v.value.type, v.value.data})) return;
        }
    }

    std::optional<KeyInfo> info() override {
        if (!usable()) return std::nullopt;
        return KeyInfo{static_cast<uint32_t>(node_->children.size()),
                       static_cast<uint32_t>(node_->values.size()), node_->lastWrite};
    }

    std::optional<RawValue> queryValue(std::string_view name) override {
        if (!usable()) return std::nullopt;
        const auto* v = node_->findValue(FoldName(name));
        if (!v) return std::nullopt;
        return v->value;
    }

    bool setValue(std::string_view name, const RawValue& value) override {
        if (!usable() || !writable_) return false;
        node_->setValue(name, FoldName(name), value);
        return true;
    }

    bool deleteValue(std::string_view name) override {
        if (!usable() || !writable_) return false;
        return node_->deleteValue(FoldName(name));
    }

    // Deleting needs delete access on the keys deleted, not write access on this handle.
    bool deleteSubkeyTree(std::string_view name) override {
        if (!usable()) return false;
        const auto parts = regsim::SplitPath(name);
        if (parts.empty()) return false;
        std::shared_ptr<Node> parent = node_;
        if (parts.size() > 1) {
            const std::string_view leafStart = parts.back();
            const auto parentPath = name.substr(0, static_cast<size_t>(leafStart.data() - name.data()));
            parent = tree_->walk(node_, parentPath, false, true);
            if (!parent || parent->denied) return false;
        }
        const auto it = parent->children.find(FoldName(parts.back()));
        if (it == parent->children.end()) return false;
        // A link is removed as a link; its own node has no children, so its target is never touched.
        if (!it->second->linkTarget && regsim::SubtreeHasDeniedKey(*it->second)) return false;
        std::shared_ptr<Node> victim = it->second;
        parent->children.erase(it);
        parent->lastWrite = regsim::NowFileTime();
        regsim::MarkDeleted(*victim);
        return true;
    }

    static std::unique_ptr<RegKey> OpenFrom(const std::shared_ptr<Tree>& tree,
                                            const std::shared_ptr<Node>& start, std::string_view path,
                                            bool create, bool writable) {
        auto node = tree->walk(start, path, create, true);
        if (!node || node->deleted || node->denied) return nullptr;
        return std::make_unique<SimKey>(tree, std::move(node), writable);
    }

    const std::shared_ptr<Node>& node() const { return node_; }

  private:
    bool usable() const { return node_ && !node_->deleted; }

    std::shared_ptr<Tree> tree_;
    std::shared_ptr<Node> node_;
    bool writable_;
};

}  // namespace

const Node* regsim::NodeOf(const RegKey& key) {
    const auto* simKey = dynamic_cast<const SimKey*>(&key);
    return simKey ? simKey->node().get() : nullptr;
}

SimRegistry::SimRegistry() : impl_(std::make_unique<Impl>()) {}
SimRegistry::~SimRegistry() = default;

std::unique_ptr<RegKey> SimRegistry::open(RootKey root, std::string_view path, bool create, bool writable) {
    const auto start = impl_->tree->rootNode(root);
    if (!start) return nullptr;
    return SimKey::OpenFrom(impl_->tree, start, path, create, writable);
}

bool SimRegistry::createLink(RootKey root, std::string_view path, std::string_view targetPath) {
    const auto parts = regsim::SplitPath(path);
    if (parts.empty()) return false;
    const auto rootNode = impl_->tree->rootNode(root);
    if (!rootNode) return false;
    const auto parentPath = path.substr(0, static_cast<size_t>(parts.back().data() - path.data()));
    const auto parent = impl_->tree->walk(rootNode, parentPath, true, true);
    if (!parent || parent->deleted) return false;
    regsim::NameKey folded = FoldName(parts.back());
    if (parent->children.count(folded) != 0) return false;  // the link option only makes new keys
    auto link = std::make_shared<Node>();
    link->name = std::string(parts.back());
    link->parent = parent.get();
    link->root = root;
    link->linkTarget = std::string(targetPath);
    link->lastWrite = regsim::NowFileTime();
    parent->children.emplace(std::move(folded), std::move(link));
    parent->lastWrite = regsim::NowFileTime();
    return true;
}

void SimRegistry::denyAccess(RootKey root, std::string_view path) {
    const auto node = impl_->tree->walk(impl_->tree->rootNode(root), path, false, true);
    if (node) {
        node->denied = true;
        return;
    }
    // Not there yet: denied from the moment it is created.
    std::vector<regsim::NameKey> folded;
    for (const auto part : regsim::SplitPath(path)) folded.push_back(FoldName(part));
    if (!folded.empty()) impl_->tree->pendingDenials.emplace_back(root, std::move(folded));
}

}  // namespace trenmoor::platform::sim
