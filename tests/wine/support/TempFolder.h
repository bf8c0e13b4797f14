// A unique folder for one test, removed with everything in it afterwards.
#pragma once
#include <map>
#include <string>

namespace tarvix::test {

class TempFolder {
  public:
    explicit TempFolder(const std::string& leaf = "tvx");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a name inside the folder.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

  private:
    std::string path_;
};

void WriteTextFile(const std::string& path, const std::string& content);
std::string ReadTextFile(const std::string& path);
void MakeFolder(const std::string& path);
bool Exists(const std::string& path);
// Every file below `root` by relative path ('\' separated) with its content; folders appear
// with the content "<dir>". The whole-tree check that catches a lost or overwritten file.
std::map<std::string, std::string> Snapshot(const std::string& root);
// The same by wide names, for names outside the ANSI code page; with wide content setters.
std::map<std::wstring, std::string> WideSnapshot(const std::wstring& root);
void WriteTextFile(const std::wstring& path, const std::string& content);
std::string ReadTextFile(const std::wstring& path);
// Names in a folder exactly as the file system spells them.
std::map<std::string, bool> NamesIn(const std::string& folder);
void RemoveTree(const std::string& path);

} // namespace tarvix::test
