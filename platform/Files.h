// File system calls of the commands that need no engine, each able to fail on request for the
// tests. Every path may be as long as the platform allows and hold any character a name may
// hold: the prefix that turns off the platform's clean-up of a path is added here.
#pragma once
#include "Handles.h"
#include "Win.h"

#include <string>

namespace tarvix {

// Opens that let every other handle read, write and delete: previewers and watchers keep theirs.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD FileAttributes(const std::wstring& path);

// Renames or moves a file or folder. A rename that only changes letter case really changes
// the name on disk, also where the platform reports success without doing it.
bool MovePath(const std::wstring& from, const std::wstring& to);

// The name the file system holds for an existing object, or empty.
std::wstring NameOnDisk(const std::wstring& path);

// A name in `folder` (which ends in '\' or ':' or is empty) that no object uses yet.
std::wstring UnusedNameIn(const std::wstring& folder);
// Names for temporary files in `folder`, a new one for each attempt, without the search that
// UnusedNameIn makes: the caller creates them with a test that fails on an existing name.
std::wstring TemporaryNameIn(const std::wstring& folder, unsigned attempt);

} // namespace tarvix
