// A unique folder for one test, removed with everything in it afterwards; and the file helpers
// of the tests. Paths are UTF-16 and may pass MAX_PATH; names given as narrow text are UTF-8,
// so a test spells any name readably, and the snapshots name files in UTF-8 too.
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace tarvix::test {

// A tree as Snapshot lists it: relative path and content.
using Map = std::map<std::string, std::string>;

std::wstring W(std::string_view utf8);
std::string U8(std::wstring_view wide);

// Where a test's folder lies: in the system's temporary folder, or on drive S:, which the test
// scripts map to another file system (so that moves between the two cross volumes).
enum class Volume { Temporary, Second };

class TempFolder {
  public:
    explicit TempFolder(const std::string& leaf = "tvx", Volume volume = Volume::Temporary);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    // Path of a name inside the folder.
    std::wstring operator/(std::string_view relative) const { return path_ + L"\\" + W(relative); }
    std::wstring operator/(std::wstring_view relative) const {
        return path_ + L"\\" + std::wstring(relative);
    }

  private:
    std::wstring path_;
};

void WriteTextFile(const std::wstring& path, const std::string& content);
std::string ReadTextFile(const std::wstring& path);
void MakeFolder(const std::wstring& path);
bool Exists(const std::wstring& path);
// Every file below `root` by relative path ('\' separated, UTF-8) with its content; folders
// appear with the content "<dir>". The whole-tree check that catches a lost or overwritten
// file.
Map Snapshot(const std::wstring& root);
// Names in a folder exactly as the file system spells them (UTF-8), and whether each is a folder.
std::map<std::string, bool> NamesIn(const std::wstring& folder);
void RemoveTree(const std::wstring& path);
// The process's current folder.
std::wstring CurrentFolder();

} // namespace tarvix::test
