// Bad input at the COM boundary: every answer is the documented result or a clean error,
// never a crash and never a write past a buffer.
#include "shell/Server.h"
#include "support/DropData.h"
#include "support/Extension.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvix::test {
namespace {

class Boundary : public ::testing::Test {
  protected:
    void SetUp() override {
        menu = dll.NewMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
    }
    void TearDown() override {
        init->Release();
        menu->Release();
    }
    HRESULT InitializeWith(IDataObject* data) {
        const HRESULT result = init->Initialize(nullptr, data, nullptr);
        data->Release();
        return result;
    }
    ExtensionDll dll;
    IContextMenu* menu = nullptr;
    IShellExtInit* init = nullptr;
};

TEST_F(Boundary, NullPointersWhereACallerMayPassThem) {
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(menu->InvokeCommand(nullptr), E_INVALIDARG);
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, nullptr, 10), E_POINTER);
    EXPECT_EQ(menu->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(
        dll.GetClassObject(kTarvixClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    EXPECT_EQ(factory->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    factory->Release();
}

TEST_F(Boundary, HandBuiltDropListsThatLieAboutThemselves) {
    TempFolder folder;
    WriteTextFile(folder / "Odd.TXT", "odd");
    ASSERT_EQ(InitializeWith(NewDropDataObject({"C:\\kept.txt"})), S_OK);
    std::vector<BYTE> block = DropFilesBlock({"C:\\a.txt", "C:\\b.txt"});
    for (std::size_t cut = 0; cut < block.size(); ++cut) {
        std::vector<BYTE> truncated(block.begin(), block.begin() + static_cast<long>(cut));
        EXPECT_TRUE(FAILED(InitializeWith(NewDropDataObject(truncated, S_OK)))) << cut;
    }
    for (DWORD offset : {0u, 3u, 19u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        std::vector<BYTE> lying = block;
        reinterpret_cast<DROPFILES*>(lying.data())->pFiles = offset;
        EXPECT_TRUE(FAILED(InitializeWith(NewDropDataObject(lying, S_OK)))) << offset;
    }
    std::vector<BYTE> odd = WideDropFilesBlock({folder / "Odd.TXT"});
    odd.insert(odd.begin() + sizeof(DROPFILES), 0x41);
    reinterpret_cast<DROPFILES*>(odd.data())->pFiles = sizeof(DROPFILES) + 1;
    EXPECT_EQ(InitializeWith(NewDropDataObject(odd, S_OK)), S_OK) << "names at an odd offset";
    // The selection is that of the last good list, read whole: the command renames its file.
    Invoke(menu, 4);
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"odd.txt", "odd"}}));
}

TEST_F(Boundary, HundredThousandNamesAndNamesAroundMaxPath) {
    std::vector<std::string> names;
    for (int i = 0; i < 100000; ++i) {
        names.push_back("C:\\many\\" + std::to_string(i) + ".txt");
    }
    EXPECT_EQ(InitializeWith(NewDropDataObject(names)), S_OK);
    for (std::size_t length : {259u, 260u, 261u, 1000u}) {
        const std::string name = "C:\\" + std::string(length - 3, 'n');
        EXPECT_EQ(InitializeWith(NewDropDataObject(std::vector<std::string>{name})), S_OK);
        Invoke(menu, 7); // names no object: the case command skips it without a word
    }
    EXPECT_EQ(InitializeWith(NewDropDataObject({"C:\\after.txt"})), S_OK) << "not left busy";
}

TEST_F(Boundary, GetCommandStringWithEveryTypeAndSize) {
    for (UINT type = 0; type <= 8; ++type) {
        for (UINT_PTR index : {UINT_PTR{0}, UINT_PTR{8}, UINT_PTR{11}, UINT_PTR{12},
                               UINT_PTR{0xFFFFFFFF}, ~UINT_PTR{0}}) {
            for (UINT cchMax : {0u, 1u, 2u, 56u, 57u, 64u}) {
                char buffer[96];
                std::memset(buffer, 0x5A, sizeof(buffer));
                const HRESULT result = menu->GetCommandString(index, type, nullptr, buffer, cchMax);
                const bool helpText = type == GCS_HELPTEXTA || type == GCS_HELPTEXTW;
                const bool served = helpText && index <= 11 && cchMax > 0;
                EXPECT_EQ(SUCCEEDED(result), served || !helpText);
                const UINT limit = type == GCS_HELPTEXTW ? cchMax * 2 : cchMax;
                for (UINT guard = limit; guard < sizeof(buffer); ++guard) {
                    ASSERT_EQ(buffer[guard], 0x5A) << type << " " << index << " " << cchMax;
                }
            }
        }
    }
}

TEST_F(Boundary, InvokeCommandWithEveryKindOfVerb) {
    TempFolder folder;
    WriteTextFile(folder / "upper.txt", "u");
    ASSERT_EQ(InitializeWith(NewDropDataObject({folder / "upper.txt"})), S_OK);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    for (const char* verb : {"open", "", "properties", "Copy as..."}) {
        info.lpVerb = verb;
        EXPECT_EQ(menu->InvokeCommand(&info), E_FAIL) << verb;
    }
    for (UINT index : {12u, 13u, 0x7FFFu, 0xFFFFu}) {
        info.lpVerb = MAKEINTRESOURCEA(index);
        EXPECT_EQ(menu->InvokeCommand(&info), E_INVALIDARG) << index;
    }
    CMINVOKECOMMANDINFOEX extended{};
    extended.cbSize = sizeof(extended);
    extended.fMask = CMIC_MASK_UNICODE;
    extended.lpVerb = MAKEINTRESOURCEA(7);
    extended.lpVerbW = L"ignored";
    EXPECT_EQ(menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&extended)), S_OK);
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"UPPER.TXT", "u"}}))
        << "the extended record's index ran its command";
    EXPECT_EQ(InitializeWith(NewDropDataObject({"C:\\after.txt"})), S_OK) << "not left busy";
}

TEST_F(Boundary, QueryContextMenuOnAnInvalidMenuHandle) {
    EXPECT_EQ(menu->QueryContextMenu(reinterpret_cast<HMENU>(0x1234), 0, 1, 100, CMF_NORMAL),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 12));
    EXPECT_EQ(menu->QueryContextMenu(nullptr, 0, 1, 100, CMF_NORMAL),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 12));
}

} // namespace
} // namespace tarvix::test
