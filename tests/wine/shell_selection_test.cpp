// Initialize: what reaches the selection list, and what leaves it alone.
#include "shell/SelectionIntake.h"
#include "shell/Server.h"
#include "shell/TarvixExt.h"
#include "support/DropData.h"
#include "support/Extension.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvix::test {
namespace {

HRESULT InitializeWith(IShellExtInit* init, IDataObject* data) {
    const HRESULT result = init->Initialize(nullptr, data, nullptr);
    if (data != nullptr) {
        data->Release();
    }
    return result;
}

TEST(Selection, ShellDataObjectGivesFullPathsInOrderWithFolders) {
    TempFolder folder;
    WriteTextFile(folder / "b with space.txt", "b");
    WriteTextFile(folder / "a.txt", "a");
    MakeFolder(folder / "sub");
    const std::vector<std::string> paths = {folder / "b with space.txt", folder / "sub",
                                            folder / "a.txt"};
    IDataObject* data = ShellDataObject(paths);
    ASSERT_NE(data, nullptr);

    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    EXPECT_EQ(InitializeWith(extension, data), S_OK);
    extension->Release();
    ASSERT_EQ(SelectionList().size(), 3u);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(lstrcmpiA(SelectionList()[i].c_str(), paths[i].c_str()), 0) << SelectionList()[i];
    }
}

TEST(Selection, DropListKeepsDuplicatesAndLongNamesWhole) {
    const std::string longName = "C:\\" + std::string(300, 'n') + ".txt";
    IDataObject* data = NewDropDataObject({"C:\\x\\a.txt", "C:\\x\\a.txt", longName});
    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    EXPECT_EQ(InitializeWith(extension, data), S_OK);
    ASSERT_EQ(SelectionList().size(), 3u);
    EXPECT_EQ(SelectionList()[0], "C:\\x\\a.txt");
    EXPECT_EQ(SelectionList()[1], "C:\\x\\a.txt");
    EXPECT_EQ(SelectionList()[2], longName) << "never cut to another path";

    EXPECT_EQ(InitializeWith(extension, NewDropDataObject(std::vector<std::string>{})), S_OK);
    EXPECT_TRUE(SelectionList().empty()) << "an empty drop list empties the selection";
    extension->Release();
}

TEST(Selection, RefusalsKeepThePreviousSelection) {
    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    ASSERT_EQ(InitializeWith(extension, NewDropDataObject({"C:\\kept.txt"})), S_OK);

    EXPECT_EQ(InitializeWith(extension, nullptr), E_INVALIDARG);
    EXPECT_EQ(InitializeWith(extension, NewDropDataObject({}, DV_E_FORMATETC)), DV_E_FORMATETC);
    EXPECT_EQ(InitializeWith(extension, NewDropDataObject({}, E_OUTOFMEMORY)), E_OUTOFMEMORY);

    RaiseBusy();
    EXPECT_EQ(InitializeWith(extension, NewDropDataObject({"C:\\other.txt"})), E_INVALIDARG)
        << "refused while a command runs";
    LowerBusy();

    ASSERT_EQ(SelectionList().size(), 1u);
    EXPECT_EQ(SelectionList()[0], "C:\\kept.txt");
    extension->Release();
}

TEST(Selection, AnsiAndWideDropListsReadAlike) {
    const std::vector<std::string> names = {"C:\\a\\\xe9t\xe9.txt", "D:\\b c\\d"};
    for (bool wide : {true, false}) {
        std::vector<BYTE> block = DropFilesBlock(names, wide);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
        std::memcpy(::GlobalLock(memory), block.data(), block.size());
        ::GlobalUnlock(memory);
        EXPECT_EQ(DropListNames(memory), names) << wide;
        ::GlobalFree(memory);
    }
}

} // namespace
} // namespace tarvix::test
