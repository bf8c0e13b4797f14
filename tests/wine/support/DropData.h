// Data objects for Initialize: a hand-built drop list, one that fails, and the shell's own.
#pragma once
#include "platform/Win.h"

#include <string>
#include <vector>

namespace tarvix::test {

// A DROPFILES block for names in the ANSI code page: wide (as the shell gives it) or ANSI.
std::vector<BYTE> DropFilesBlock(const std::vector<std::string>& names, bool wide = true);
// A wide DROPFILES block for any names.
std::vector<BYTE> WideDropFilesBlock(const std::vector<std::wstring>& names);

// An IDataObject whose GetData(CF_HDROP) hands out a copy of `block`, or answers `failure`
// when that is not S_OK. Returned with one reference.
IDataObject* NewDropDataObject(std::vector<BYTE> block, HRESULT failure = S_OK);
IDataObject* NewDropDataObject(const std::vector<std::string>& names);
IDataObject* NewDropDataObject(const std::vector<std::wstring>& names);

// `data` (whose reference it takes) with its drop list refused with `failure`, as the shell
// refuses it for long paths on a volume without 8.3 names; every other format as `data` gives it.
IDataObject* WithoutDropList(IDataObject* data, HRESULT failure = E_FAIL);

// The shell's own data object for objects of one folder (Windows paths), or null.
IDataObject* ShellDataObject(const std::vector<std::wstring>& paths);

} // namespace tarvix::test
