// A file system in memory for the engine's tests: volumes by drive letter, names matched without
// regard to case, files with content and attributes, folders, links to folders, object IDs that
// a move keeps and a copy does not, device names that swallow a copy as Windows' do, and
// failures planned call by call.
#pragma once
#include "platform/FileSystem.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvix::test {

enum class FsCall {
    Facts,
    CopyFileTo,
    CopyLink,
    RemoveFile,
    CreateFolder,
    RemoveEmptyFolder,
    SetAttributes,
    SetCreationTime,
    Move,
    Replace,
    List,
    ListNext,
    IdOf,
};

class MemoryFileSystem final : public FileSystem {
  public:
    // A folder, a file with `content`, or a link named `path` to the folder `target`.
    void AddFolder(const std::wstring& path, std::uint32_t attributes = 0);
    void AddFile(const std::wstring& path, const std::string& content, std::uint32_t attributes = 0,
                 std::uint64_t created = 0);
    void AddFolderLink(const std::wstring& path, const std::wstring& target);

    // Every object below `root` (relative path as spelled on the volume -> content, "<dir>"
    // for a folder, "<link>" for a link), the root itself left out.
    std::map<std::wstring, std::string> Snapshot(const std::wstring& root) const;
    bool Exists(const std::wstring& path) const;
    std::uint32_t AttributesOf(const std::wstring& path) const;
    std::uint64_t CreatedOf(const std::wstring& path) const;

    // After `passes` calls of `call` that go their way, the next `failures` give `result`.
    void Fail(FsCall call, int passes, FsResult result, int failures = 1);
    // Runs `action` before every call of `call` (a user acting while the engine works).
    void Before(FsCall call, std::function<void()> action);
    int Calls(FsCall call) const;
    // How many calls the plans have failed so far.
    int Injected() const { return injected_; }
    int Pauses() const { return pauses_; }
    // Names a copy "to" swallows without writing anything, as the platform's device names do.
    void SwallowCopiesTo(const std::wstring& name) { swallowed_.insert(Key(name)); }
    // The bytes a copy reports per tick.
    void SetChunk(std::uint64_t bytes) { chunk_ = bytes; }

    std::optional<ObjectFacts> Facts(const std::wstring& path) override;
    FsResult CopyFileTo(const std::wstring& from, const std::wstring& to,
                        const CopyTick& tick) override;
    FsResult CopyLink(const std::wstring& from, const std::wstring& to, bool folder) override;
    FsResult RemoveFile(const std::wstring& path) override;
    FsResult CreateFolder(const std::wstring& path) override;
    FsResult RemoveEmptyFolder(const std::wstring& path) override;
    FsResult SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
    FsResult SetCreationTime(const std::wstring& path, std::uint64_t created) override;
    FsResult Move(const std::wstring& from, const std::wstring& to, bool replace) override;
    FsResult Replace(const std::wstring& replacement, const std::wstring& replaced) override;
    std::unique_ptr<FolderListing> List(const std::wstring& folder) override;
    std::optional<ObjectId> IdOf(const std::wstring& path) override;
    bool SameName(const std::wstring& first, const std::wstring& second) override;
    std::wstring ComparablePath(const std::wstring& path) override;
    std::wstring TemporaryName(const std::wstring& folder, unsigned attempt) override;
    void PauseBeforeRetry(unsigned long milliseconds) override;

  private:
    enum class Kind { File, Folder, Link };
    struct Node {
        std::wstring path; // as spelled
        Kind kind = Kind::File;
        std::uint32_t attributes = 0;
        std::string content;
        std::uint64_t created = 0;
        std::uint64_t id = 0;
        std::wstring target; // of a link
    };
    friend class MemoryListing;

    static ObjectFacts FactsOf(const Node& node);
    static std::wstring Key(std::wstring_view path);
    static std::wstring Volume(const std::wstring& path);
    static std::wstring Parent(const std::wstring& path);
    // `path` with every link on the way replaced by its target; the last name too unless told.
    std::wstring Resolve(const std::wstring& path, bool followLast = true) const;
    const Node* Find(const std::wstring& path, bool followLast = true) const;
    Node* Find(const std::wstring& path, bool followLast = true);
    bool ParentIsFolder(const std::wstring& path) const;
    bool HasChildren(const std::wstring& resolved) const;
    // The result of a call planned to fail now.
    std::optional<FsResult> Planned(FsCall call);
    Node& Put(const std::wstring& path, Node node);
    // Every change of the tree goes through these two, which keep the index of children.
    Node& Insert(Node node);
    void Erase(const std::wstring& key);

    std::map<std::wstring, Node> nodes_;                      // by key of the resolved path
    std::map<std::wstring, std::set<std::wstring>> children_; // keys by their parent's key
    int links_ = 0;
    std::uint64_t nextId_ = 1;
    unsigned nextTemporary_ = 0;
    int pauses_ = 0;
    int injected_ = 0;
    std::uint64_t chunk_ = 64 * 1024;
    std::set<std::wstring> swallowed_;
    struct Plan {
        int passes = 0;
        int failures = 0;
        FsResult result = FsResult::Failed;
    };
    std::map<FsCall, Plan> plans_;
    std::map<FsCall, std::function<void()>> before_;
    std::map<FsCall, int> calls_;
};

} // namespace tarvix::test
