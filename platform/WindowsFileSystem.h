// The file engine's file system on the platform: wide calls on paths of any length, with the
// tests' fault points.
#pragma once
#include "FileSystem.h"

namespace tarvix {

class WindowsFileSystem final : public FileSystem {
  public:
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
};

} // namespace tarvix
