// Command 3 on real files and folders: which stamps change, to what, in which calls, and the
// one message for objects that could not be stamped.
#include "fileops/Progress.h"
#include "fileops/ProgressIds.h"
#include "platform/Faults.h"
#include "platform/FileTimes.h"
#include "commands/Commands.h"
#include "shell/Server.h"
#include "commands/TimeStampRun.h"
#include "stamp_driver.h"
#include "support/Extension.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

const char kFailed[] = "Time stamp change of some objects failed.";

// One call per checked stamp, in the order created, modified, accessed.
std::string CallShapes(const std::vector<FileTimeCall>& calls) {
    std::string shapes;
    for (const FileTimeCall& call : calls) {
        shapes += std::string(call.creation ? "C" : "") + (call.lastWrite ? "M" : "") +
                  (call.lastAccess ? "A" : "") + (call.succeeded ? " " : "! ");
    }
    return shapes;
}

bool IsLocal(const FILETIME& time, int year, int month, int day, int hour, int minute, int second) {
    const SYSTEMTIME local = LocalParts(time);
    return local.wYear == year && local.wMonth == month && local.wDay == day &&
           local.wHour == hour && local.wMinute == minute && local.wSecond == second &&
           local.wMilliseconds == 0;
}

class StampRun : public ::testing::Test {
  protected:
    void SetUp() override { RecordFileTimeCalls(true); }
    void TearDown() override {
        RecordFileTimeCalls(false);
        ClearFaults();
    }
    // Files (or, for names ending in '\', folders) with unique content and an old time stamp.
    std::vector<std::wstring> Make(const std::vector<std::wstring>& names) {
        std::vector<std::wstring> paths;
        for (const std::wstring& name : names) {
            const bool isFolder = name.back() == L'\\';
            const std::wstring path = folder / name.substr(0, name.size() - (isFolder ? 1 : 0));
            if (isFolder) {
                MakeFolder(path);
            } else {
                WriteTextFile(path, "content of " + U8(name));
            }
            WriteTimes(path, kOld);
            paths.push_back(path);
        }
        return paths;
    }
    // Runs the command on `paths` with `act` driving the dialog.
    std::vector<SeenWindow> Run(const std::vector<std::wstring>& paths,
                                const std::function<void(HWND)>& act) {
        return WithStampDialog(act, [&] { RunTimeStampCommand(paths); });
    }
    static void PressOk(HWND dialog) { PressButton(dialog, IDC_STAMP_OK); }

    const FILETIME kOld = UtcTime(2015, 6, 1, 8, 30, 0);
    TempFolder folder{"Stamp Run"};
};

// Names of any script and paths longer than MAX_PATH are stamped like any other.
TEST_F(StampRun, OkAtOnceStampsFilesAndFoldersOfAnyNameWithAllThree) {
    const auto paths = Make({L"a.txt", L"sub folder\\", L"b.doc", W("Ελληνικά 日本 😀\\"),
                             std::wstring(240, L'n') + L".txt"});
    WriteTextFile(folder / L"sub folder\\inner.txt", "inner");
    const auto before = Snapshot(folder.Path());
    const auto seen = Run(paths, PressOk);
    EXPECT_TRUE(BoxTexts(seen, "Error").empty());
    for (const std::wstring& path : paths) {
        const StampTimes times = ReadTimes(path);
        EXPECT_TRUE(IsLocal(times.written, 2000, 1, 1, 0, 0, 0)) << U8(path);
        EXPECT_TRUE(IsLocal(times.accessed, 2000, 1, 1, 0, 0, 0)) << U8(path);
    }
    const auto calls = RecordedFileTimeCalls();
    EXPECT_EQ(CallShapes(calls), "C M A C M A C M A C M A C M A ");
    for (std::size_t index = 0; index < calls.size(); ++index) {
        EXPECT_EQ(calls[index].path, paths[index / 3]);
        EXPECT_TRUE(SameTime(calls[index].time, ReadTimes(paths[0]).written));
    }
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST_F(StampRun, OnlyTheCheckedStampsChange) {
    const auto paths = Make({L"only modified.txt", L"dir\\"});
    Run(paths, [](HWND dialog) {
        ::SendMessageW(::GetDlgItem(dialog, IDC_STAMP_CREATED), BM_CLICK, 0, 0);
        ::SendMessageW(::GetDlgItem(dialog, IDC_STAMP_ACCESSED), BM_CLICK, 0, 0);
        TypeFields(dialog, {L"29", L"2", nullptr, L"23", L"59", L"59"});
        PressOk(dialog);
    });
    EXPECT_EQ(CallShapes(RecordedFileTimeCalls()), "M M ");
    for (const std::wstring& path : paths) {
        const StampTimes times = ReadTimes(path);
        EXPECT_TRUE(IsLocal(times.written, 2000, 2, 29, 23, 59, 58)) << U8(path);
        EXPECT_TRUE(SameTime(times.accessed, kOld)) << U8(path);
    }
}

TEST_F(StampRun, ObjectsThatDoNotOpenGiveOneMessageAndTheOthersAreStamped) {
    const auto paths = Make({L"first.txt", L"locked.txt", L"read-only.txt", L"last.txt"});
    ::SetFileAttributesW(paths[2].c_str(), FILE_ATTRIBUTE_READONLY);
    // Wine run as root opens a read-only file for writing; elsewhere it is refused.
    HANDLE probe = ::CreateFileW(paths[2].c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    const bool readOnlyRefused = probe == INVALID_HANDLE_VALUE;
    ::CloseHandle(probe);
    std::vector<std::wstring> selection = paths;
    selection.insert(selection.begin() + 1, folder / L"gone.txt");
    HANDLE lock =
        ::CreateFileW(paths[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const auto seen = Run(selection, PressOk);
    ::CloseHandle(lock);
    ::SetFileAttributesW(paths[2].c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(BoxTexts(seen, "Error"), std::vector<std::string>{kFailed});
    EXPECT_TRUE(IsLocal(ReadTimes(paths[0]).written, 2000, 1, 1, 0, 0, 0));
    EXPECT_TRUE(IsLocal(ReadTimes(paths[3]).written, 2000, 1, 1, 0, 0, 0));
    EXPECT_TRUE(SameTime(ReadTimes(paths[1]).written, kOld));
    EXPECT_FALSE(Exists(folder / L"gone.txt"));
    if (readOnlyRefused) {
        EXPECT_TRUE(SameTime(ReadTimes(paths[2]).written, kOld));
    }
}

// The preview pane holds the file it shows open for reading, sharing it, and Explorer watches
// a folder it shows: both get their stamps.
TEST_F(StampRun, ObjectsHeldOpenElsewhereGetTheirStamps) {
    const auto paths = Make({L"shown.txt", L"watched\\"});
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE shown =
        ::CreateFileW(paths[0].c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE watched = ::CreateFileW(paths[1].c_str(), FILE_LIST_DIRECTORY, shareAll, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const auto seen = Run(paths, PressOk);
    ::CloseHandle(shown);
    ::CloseHandle(watched);
    EXPECT_TRUE(BoxTexts(seen, "Error").empty());
    for (const std::wstring& path : paths) {
        EXPECT_TRUE(IsLocal(ReadTimes(path).written, 2000, 1, 1, 0, 0, 0)) << U8(path);
    }
}

TEST_F(StampRun, WithNoStampCheckedObjectsAreStillOpenedAndFailuresReported) {
    const auto paths = Make({L"x.txt", L"locked.txt"});
    HANDLE lock =
        ::CreateFileW(paths[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const auto seen = Run(paths, [](HWND dialog) {
        for (int id : {IDC_STAMP_CREATED, IDC_STAMP_MODIFIED, IDC_STAMP_ACCESSED}) {
            ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        }
        PressOk(dialog);
    });
    ::CloseHandle(lock);
    EXPECT_EQ(BoxTexts(seen, "Error"), std::vector<std::string>{kFailed});
    EXPECT_TRUE(RecordedFileTimeCalls().empty());
    EXPECT_TRUE(SameTime(ReadTimes(paths[0]).written, kOld));
}

TEST_F(StampRun, ARefusedStampIsReportedOnceAndTheRunGoesOn) {
    const auto paths = Make({L"one.txt", L"two.txt"});
    PlanFault(FaultCall::FileTimeSet, 1);
    const auto seen = Run(paths, PressOk);
    EXPECT_EQ(BoxTexts(seen, "Error"), std::vector<std::string>{kFailed});
    EXPECT_EQ(CallShapes(RecordedFileTimeCalls()), "C M! A C M A ");
    EXPECT_TRUE(SameTime(ReadTimes(paths[0]).written, kOld));
    EXPECT_TRUE(IsLocal(ReadTimes(paths[0]).accessed, 2000, 1, 1, 0, 0, 0));
    EXPECT_TRUE(IsLocal(ReadTimes(paths[1]).written, 2000, 1, 1, 0, 0, 0));
}

TEST_F(StampRun, CancelTheCloseBoxAndAnEmptySelectionTouchNothing) {
    const auto paths = Make({L"kept.txt"});
    auto seen = Run(paths, PressEscape);
    seen = Run(paths, [](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(RecordedFileTimeCalls().empty());
    EXPECT_TRUE(SameTime(ReadTimes(paths[0]).written, kOld));
    seen = Run({}, PressOk);
    EXPECT_TRUE(RecordedFileTimeCalls().empty());
    EXPECT_TRUE(BoxTexts(seen, "Error").empty());
}

TEST_F(StampRun, ADateThatCannotBeConvertedTouchesNothingAndIsReported) {
    const auto paths = Make({L"untouched.txt"});
    StampChoice impossible;
    impossible.day = 31;
    impossible.month = 4;
    WindowRobot robot;
    robot.Start();
    TFormProgress progress;
    ApplyTimeStamps(impossible, paths, progress);
    EXPECT_EQ(BoxTexts(robot.Finish(), "Error"), std::vector<std::string>{kFailed});
    EXPECT_TRUE(RecordedFileTimeCalls().empty());
    EXPECT_TRUE(SameTime(ReadTimes(paths[0]).written, kOld));
}

TEST_F(StampRun, TheProgressWindowShowsEachObjectAndStampWithTheBarFull) {
    const auto paths = Make({L"p1.txt", L"p2 dir\\"});
    StampChoice choice;
    choice.accessed = false;
    TFormProgress progress;
    ApplyTimeStamps(choice, paths, progress);
    HWND window = progress.Handle();
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), "Stamp");
    EXPECT_EQ(ItemText(window, IDC_GROUP_ZDROJ), "Source object");
    EXPECT_EQ(ItemText(window, IDC_GROUP_CIL), "Time stamp");
    EXPECT_EQ(ItemText(window, IDC_EDIT_ZDROJ), U8(paths[1]));
    EXPECT_EQ(ItemText(window, IDC_EDIT_CIL), "Modified") << "the last stamp applied stays";
    const HWND bar = ::GetDlgItem(window, IDC_PROGRESS_BAR);
    EXPECT_EQ(::SendMessageW(bar, PBM_GETPOS, 0, 0), 3);
    EXPECT_EQ(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 3);

    TFormProgress empty;
    ApplyTimeStamps(StampChoice{}, {}, empty);
    EXPECT_TRUE(::IsWindowVisible(empty.Handle()));
    EXPECT_EQ(::SendMessageW(::GetDlgItem(empty.Handle(), IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0), 1);
    EXPECT_EQ(ItemText(empty.Handle(), IDC_EDIT_CIL), "");
}

TEST(StampCommand, ThroughTheDllOkStampsTheSelection) {
    TempFolder folder("Stamp Dll");
    const std::wstring file = folder / "shell Ελληνικά 日本.txt";
    WriteTextFile(file, "shell");
    ExtensionDll dll;
    const auto seen = WithStampDialog([](HWND dialog) { PressButton(dialog, IDC_STAMP_OK); },
                                      [&] { EXPECT_EQ(SelectAndInvoke(dll, {file}, 3), S_OK); });
    EXPECT_TRUE(BoxTexts(seen, "Error").empty());
    EXPECT_TRUE(IsLocal(ReadTimes(file).written, 2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(ReadTextFile(file), "shell");
}

// The zone comes from TZ, which a process reads when it starts: ctest runs this case once more
// on its own with TZ set to the zone, and the run without it skips.
const wchar_t kZone[] = L"America/New_York";

bool InZone() {
    wchar_t zone[64] = {};
    return ::GetEnvironmentVariableW(L"TZ", zone, static_cast<DWORD>(std::size(zone))) > 0 &&
           std::wstring(zone) == kZone;
}

// Eastern Time is UTC-5 in winter and UTC-4 in summer, whenever the run is; its daylight
// saving time ran from the first Sunday of April to the last Sunday of October until 2006,
// and from the second Sunday of March to the first Sunday of November since 2007. Each date
// is converted by the rules of its own year.
TEST(StampZone, EachDateKeepsTheEnteredLocalTimeByTheRulesOfItsYear) {
    if (!InZone()) {
        GTEST_SKIP() << "runs as the test stamp_zone, with TZ=" << U8(kZone);
    }
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    ASSERT_EQ(zone.Bias, 300) << "the zone of TZ is not in force";
    TempFolder folder("Stamp Zone");
    const struct {
        WORD year, month, day, utcHour;
    } dates[] = {
        {2024, 1, 15, 17}, {2024, 7, 15, 16}, {2024, 3, 20, 16},
        {2006, 3, 20, 17}, {2006, 11, 1, 17}, {2006, 4, 3, 16},
    };
    TFormProgress progress;
    for (const auto& date : dates) {
        SCOPED_TRACE(std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                     std::to_string(date.day));
        const std::wstring file =
            folder / (std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                      std::to_string(date.day) + ".txt");
        WriteTextFile(file, "stamped");
        StampChoice choice;
        choice.year = date.year;
        choice.month = date.month;
        choice.day = date.day;
        choice.hour = 12;
        ApplyTimeStamps(choice, {file}, progress);
        const FILETIME expected = UtcTime(date.year, date.month, date.day, date.utcHour, 0, 0);
        EXPECT_TRUE(SameTime(ReadTimes(file).written, expected));
        EXPECT_TRUE(SameTime(ReadTimes(file).accessed, expected));
    }
}

} // namespace
} // namespace tarvix::test
