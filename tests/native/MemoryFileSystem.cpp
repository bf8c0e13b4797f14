#include "MemoryFileSystem.h"

#include "common/AbsolutePath.h"
#include "common/FileAttributes.h"

#include <algorithm>

namespace tarvix::test {
namespace {

constexpr std::uint32_t kSymbolicLinkTag = 0xA000000C;
constexpr std::uint64_t kCopyCreated = 999;

} // namespace

class MemoryListing final : public FolderListing {
  public:
    MemoryListing(MemoryFileSystem& files, std::vector<FolderEntry> entries)
        : files_(files), entries_(std::move(entries)) {}
    bool Next(FolderEntry& entry) override {
        if (files_.Planned(FsCall::ListNext)) {
            broken_ = true;
            return false;
        }
        if (next_ == entries_.size()) {
            return false;
        }
        entry = entries_[next_++];
        return true;
    }
    bool Complete() const override { return !broken_ && next_ == entries_.size(); }

  private:
    MemoryFileSystem& files_;
    std::vector<FolderEntry> entries_;
    std::size_t next_ = 0;
    bool broken_ = false;
};

std::wstring MemoryFileSystem::Key(std::wstring_view path) {
    std::wstring key(path);
    while (key.size() > 2 && key.back() == L'\\') {
        key.pop_back();
    }
    for (wchar_t& c : key) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return key;
}

std::wstring MemoryFileSystem::Volume(const std::wstring& path) {
    return Key(path.substr(0, 2));
}

std::wstring MemoryFileSystem::Parent(const std::wstring& path) {
    const std::wstring::size_type cut = path.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring MemoryFileSystem::Resolve(const std::wstring& path, bool followLast) const {
    std::wstring clean = CleanAbsolutePath(path).value_or(path);
    while (clean.size() > 3 && clean.back() == L'\\') {
        clean.pop_back();
    }
    for (int hops = links_ == 0 ? 40 : 0; hops < 40; ++hops) {
        bool replaced = false;
        std::wstring::size_type end = clean.find(L'\\', 3);
        for (;;) {
            const bool last = end == std::wstring::npos;
            if (last && !followLast) {
                break;
            }
            const std::wstring prefix = last ? clean : clean.substr(0, end);
            const auto found = nodes_.find(Key(prefix));
            if (found != nodes_.end() && found->second.kind == Kind::Link) {
                clean = found->second.target + (last ? L"" : clean.substr(end));
                replaced = true;
                break;
            }
            if (last) {
                break;
            }
            end = clean.find(L'\\', end + 1);
        }
        if (!replaced) {
            break;
        }
    }
    return clean;
}

const MemoryFileSystem::Node* MemoryFileSystem::Find(const std::wstring& path,
                                                     bool followLast) const {
    const auto found = nodes_.find(Key(Resolve(path, followLast)));
    return found == nodes_.end() ? nullptr : &found->second;
}

MemoryFileSystem::Node* MemoryFileSystem::Find(const std::wstring& path, bool followLast) {
    const auto found = nodes_.find(Key(Resolve(path, followLast)));
    return found == nodes_.end() ? nullptr : &found->second;
}

bool MemoryFileSystem::ParentIsFolder(const std::wstring& path) const {
    const std::wstring parent = Parent(Resolve(path, false));
    if (parent.size() == 2 && parent[1] == L':') {
        return true; // a drive's root
    }
    const Node* node = Find(parent);
    return node != nullptr && node->kind == Kind::Folder;
}

bool MemoryFileSystem::HasChildren(const std::wstring& resolved) const {
    const auto found = children_.find(Key(resolved));
    return found != children_.end() && !found->second.empty();
}

std::optional<FsResult> MemoryFileSystem::Planned(FsCall call) {
    ++calls_[call];
    if (const auto action = before_.find(call); action != before_.end()) {
        action->second();
    }
    const auto found = plans_.find(call);
    if (found == plans_.end() || found->second.failures == 0) {
        return std::nullopt;
    }
    Plan& plan = found->second;
    if (plan.passes > 0) {
        --plan.passes;
        return std::nullopt;
    }
    --plan.failures;
    ++injected_;
    return plan.result;
}

MemoryFileSystem::Node& MemoryFileSystem::Put(const std::wstring& path, Node node) {
    node.path = Resolve(path, false);
    if (node.id == 0) {
        node.id = nextId_++;
    }
    return Insert(std::move(node));
}

MemoryFileSystem::Node& MemoryFileSystem::Insert(Node node) {
    const std::wstring key = Key(node.path);
    Erase(key);
    links_ += node.kind == Kind::Link;
    children_[Key(Parent(node.path))].insert(key);
    return nodes_[key] = std::move(node);
}

void MemoryFileSystem::Erase(const std::wstring& key) {
    const auto found = nodes_.find(key);
    if (found == nodes_.end()) {
        return;
    }
    links_ -= found->second.kind == Kind::Link;
    children_[Key(Parent(found->second.path))].erase(key);
    nodes_.erase(found);
}

void MemoryFileSystem::AddFolder(const std::wstring& path, std::uint32_t attributes) {
    Node node;
    node.kind = Kind::Folder;
    node.attributes = attributes;
    Put(path, std::move(node));
}

void MemoryFileSystem::AddFile(const std::wstring& path, const std::string& content,
                               std::uint32_t attributes, std::uint64_t created) {
    Node node;
    node.content = content;
    node.attributes = attributes;
    node.created = created;
    Put(path, std::move(node));
}

void MemoryFileSystem::AddFolderLink(const std::wstring& path, const std::wstring& target) {
    Node node;
    node.kind = Kind::Link;
    node.target = target;
    Put(path, std::move(node));
}

std::map<std::wstring, std::string> MemoryFileSystem::Snapshot(const std::wstring& root) const {
    std::map<std::wstring, std::string> snapshot;
    const std::wstring prefix = Key(root) + L"\\";
    for (const auto& [key, node] : nodes_) {
        if (key.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::wstring relative = node.path.substr(prefix.size());
        snapshot[relative] = node.kind == Kind::Folder ? "<dir>"
                             : node.kind == Kind::Link ? "<link>"
                                                       : node.content;
    }
    return snapshot;
}

bool MemoryFileSystem::Exists(const std::wstring& path) const {
    return Find(path, false) != nullptr;
}

std::uint32_t MemoryFileSystem::AttributesOf(const std::wstring& path) const {
    const Node* node = Find(path, false);
    return node == nullptr ? 0 : node->attributes;
}

std::uint64_t MemoryFileSystem::CreatedOf(const std::wstring& path) const {
    const Node* node = Find(path, false);
    return node == nullptr ? 0 : node->created;
}

void MemoryFileSystem::Fail(FsCall call, int passes, FsResult result, int failures) {
    plans_[call] = Plan{passes, failures, result};
}

void MemoryFileSystem::Before(FsCall call, std::function<void()> action) {
    before_[call] = std::move(action);
}

int MemoryFileSystem::Calls(FsCall call) const {
    const auto found = calls_.find(call);
    return found == calls_.end() ? 0 : found->second;
}

std::optional<ObjectFacts> MemoryFileSystem::Facts(const std::wstring& path) {
    if (Planned(FsCall::Facts)) {
        return std::nullopt;
    }
    const Node* node = Find(path, false);
    if (node == nullptr) {
        return std::nullopt;
    }
    return FactsOf(*node);
}

ObjectFacts MemoryFileSystem::FactsOf(const Node& node) {
    ObjectFacts facts;
    facts.attributes = node.attributes;
    facts.created = node.created;
    switch (node.kind) {
    case Kind::File:
        facts.size = node.content.size();
        break;
    case Kind::Folder:
        facts.attributes |= kAttributeDirectory;
        break;
    case Kind::Link:
        facts.attributes |= kAttributeDirectory | kAttributeReparsePoint;
        facts.reparseTag = kSymbolicLinkTag;
        break;
    }
    return facts;
}

FsResult MemoryFileSystem::CopyFileTo(const std::wstring& from, const std::wstring& to,
                                      const CopyTick& tick) {
    if (const std::optional<FsResult> planned = Planned(FsCall::CopyFileTo)) {
        return *planned;
    }
    const Node* source = Find(from);
    if (source == nullptr || source->kind != Kind::File) {
        return FsResult::NotFound;
    }
    if (swallowed_.count(Key(to.substr(to.find_last_of(L'\\') + 1)))) {
        return FsResult::Done; // the device took it
    }
    if (Find(to, false) != nullptr) {
        return FsResult::Exists;
    }
    if (!ParentIsFolder(to)) {
        return FsResult::NotFound;
    }
    const Node copy = *source;
    const std::uint64_t total = copy.content.size();
    std::uint64_t done = 0;
    do {
        done = std::min(total, done + chunk_);
        if (tick && !tick(done, total)) {
            return FsResult::Cancelled; // the platform removes what it wrote
        }
    } while (done < total);
    Node node;
    node.content = copy.content;
    node.attributes = copy.attributes;
    node.created = kCopyCreated;
    Put(to, std::move(node));
    return FsResult::Done;
}

FsResult MemoryFileSystem::CopyLink(const std::wstring& from, const std::wstring& to, bool) {
    if (const std::optional<FsResult> planned = Planned(FsCall::CopyLink)) {
        return *planned;
    }
    const Node* link = Find(from, false);
    if (link == nullptr || link->kind != Kind::Link) {
        return FsResult::NotFound;
    }
    if (Find(to, false) != nullptr) {
        return FsResult::Exists;
    }
    AddFolderLink(to, link->target);
    return FsResult::Done;
}

FsResult MemoryFileSystem::RemoveFile(const std::wstring& path) {
    if (const std::optional<FsResult> planned = Planned(FsCall::RemoveFile)) {
        return *planned;
    }
    const Node* node = Find(path, false);
    if (node == nullptr) {
        return FsResult::NotFound;
    }
    if (node->kind != Kind::File) {
        return FsResult::Failed;
    }
    if (node->attributes & kAttributeReadOnly) {
        return FsResult::Busy; // access denied, as the platform answers
    }
    Erase(Key(node->path));
    return FsResult::Done;
}

FsResult MemoryFileSystem::CreateFolder(const std::wstring& path) {
    if (const std::optional<FsResult> planned = Planned(FsCall::CreateFolder)) {
        return *planned;
    }
    if (Find(path, false) != nullptr) {
        return FsResult::Exists;
    }
    if (!ParentIsFolder(path)) {
        return FsResult::NotFound;
    }
    AddFolder(path);
    return FsResult::Done;
}

FsResult MemoryFileSystem::RemoveEmptyFolder(const std::wstring& path) {
    if (const std::optional<FsResult> planned = Planned(FsCall::RemoveEmptyFolder)) {
        return *planned;
    }
    const Node* node = Find(path, false);
    if (node == nullptr) {
        return FsResult::NotFound;
    }
    if (node->kind == Kind::File) {
        return FsResult::Failed;
    }
    if (node->kind == Kind::Folder && HasChildren(node->path)) {
        return FsResult::Failed;
    }
    if (node->attributes & kAttributeReadOnly) {
        return FsResult::Busy; // as NTFS refuses a read-only folder
    }
    Erase(Key(node->path));
    return FsResult::Done;
}

FsResult MemoryFileSystem::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    if (const std::optional<FsResult> planned = Planned(FsCall::SetAttributes)) {
        return *planned;
    }
    Node* node = Find(path, false);
    if (node == nullptr) {
        return FsResult::NotFound;
    }
    node->attributes = attributes == kAttributeNormal ? 0 : attributes;
    return FsResult::Done;
}

FsResult MemoryFileSystem::SetCreationTime(const std::wstring& path, std::uint64_t created) {
    if (const std::optional<FsResult> planned = Planned(FsCall::SetCreationTime)) {
        return *planned;
    }
    Node* node = Find(path, false);
    if (node == nullptr) {
        return FsResult::NotFound;
    }
    node->created = created;
    return FsResult::Done;
}

FsResult MemoryFileSystem::Move(const std::wstring& from, const std::wstring& to, bool replace) {
    if (const std::optional<FsResult> planned = Planned(FsCall::Move)) {
        return *planned;
    }
    const Node* source = Find(from, false);
    if (source == nullptr) {
        return FsResult::NotFound;
    }
    const std::wstring sourcePath = source->path;
    const std::wstring destination = Resolve(to, false);
    if (Volume(sourcePath) != Volume(destination)) {
        return FsResult::NotSameDevice;
    }
    const std::wstring sourceKey = Key(sourcePath);
    const std::wstring destinationKey = Key(destination);
    if (destinationKey.compare(0, sourceKey.size() + 1, sourceKey + L"\\") == 0) {
        return FsResult::Failed; // into itself
    }
    if (const Node* existing = Find(to, false); existing != nullptr && existing != source) {
        if (!replace) {
            return FsResult::Exists;
        }
        if (existing->kind != Kind::File || source->kind != Kind::File) {
            return FsResult::Busy;
        }
        Erase(destinationKey);
    }
    if (!ParentIsFolder(to)) {
        return FsResult::NotFound;
    }
    // The object and everything below it, found through the index of children.
    std::vector<std::wstring> keys{sourceKey};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto found = children_.find(keys[i]);
        if (found != children_.end()) {
            keys.insert(keys.end(), found->second.begin(), found->second.end());
        }
    }
    std::vector<Node> moved;
    for (const std::wstring& key : keys) {
        Node node = nodes_.at(key);
        node.path = destination + node.path.substr(sourcePath.size());
        moved.push_back(std::move(node));
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        Erase(*key);
    }
    for (Node& node : moved) {
        Insert(std::move(node));
    }
    return FsResult::Done;
}

FsResult MemoryFileSystem::Replace(const std::wstring& replacement, const std::wstring& replaced) {
    if (const std::optional<FsResult> planned = Planned(FsCall::Replace)) {
        return *planned;
    }
    Node* target = Find(replaced, false);
    const Node* source = Find(replacement, false);
    if (target == nullptr || source == nullptr) {
        return FsResult::NotFound;
    }
    if (target->kind != Kind::File || source->kind != Kind::File) {
        return FsResult::Failed;
    }
    // The replaced file stays that file: its ID and creation time; the content is new.
    target->content = source->content;
    target->attributes = source->attributes;
    Erase(Key(source->path));
    return FsResult::Done;
}

std::unique_ptr<FolderListing> MemoryFileSystem::List(const std::wstring& folder) {
    if (Planned(FsCall::List)) {
        return nullptr;
    }
    const Node* node = Find(folder);
    if (node == nullptr || node->kind != Kind::Folder) {
        return nullptr;
    }
    std::vector<FolderEntry> entries;
    const auto children = children_.find(Key(node->path));
    if (children != children_.end()) {
        for (const std::wstring& key : children->second) {
            const Node& child = nodes_.at(key);
            entries.push_back(
                {child.path.substr(child.path.find_last_of(L'\\') + 1), FactsOf(child)});
        }
    }
    return std::make_unique<MemoryListing>(*this, std::move(entries));
}

std::optional<ObjectId> MemoryFileSystem::IdOf(const std::wstring& path) {
    if (Planned(FsCall::IdOf)) {
        return std::nullopt;
    }
    const Node* node = Find(path);
    if (node == nullptr) {
        return std::nullopt;
    }
    ObjectId id;
    id.volume = Volume(node->path)[0];
    for (std::size_t i = 0; i < 8; ++i) {
        id.file[i] = static_cast<std::uint8_t>(node->id >> (8 * i));
    }
    return id;
}

bool MemoryFileSystem::SameName(const std::wstring& first, const std::wstring& second) {
    return Key(first) == Key(second);
}

std::wstring MemoryFileSystem::ComparablePath(const std::wstring& path) {
    return Key(CleanAbsolutePath(path).value_or(std::wstring()));
}

std::wstring MemoryFileSystem::TemporaryName(const std::wstring& folder, unsigned) {
    return folder + L"~tmp" + std::to_wstring(nextTemporary_++) + L".tmp";
}

void MemoryFileSystem::PauseBeforeRetry(unsigned long) {
    ++pauses_;
}

} // namespace tarvix::test
