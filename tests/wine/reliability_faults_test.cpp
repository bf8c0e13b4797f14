// Every command through every platform failure it can meet, at each of its first calls and
// for good: the command reports in a box and returns, the frame around it is restored, and no
// byte of the user's files is lost.
#include "common/ClassIdentity.h"
#include "fileops/CopyMoveRules.h"
#include "platform/Faults.h"
#include "platform/Module.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "reliability_support.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"
#include "shell/TarvixExtFactory.h"
#include "strings/RSUnit.h"
#include "support/DispatchFrame.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

constexpr int kSingleFaultRuns = 4; // the first calls of a kind, each failing alone
constexpr int kLasting = 1000;      // every call of the kind fails

// Where a command may leave the content of an original file.
enum class Outcome {
    Unchanged,     // copies, time stamps, clipboard: every file stays where it was
    MovedToBak,    // Move as with *.bak: at its place or at its destination
    RenamedInPlace // rename series and case: at its place or under another name in the folder
};

struct Command {
    unsigned index;
    const char* name;
    Outcome outcome;
    std::vector<FaultCall> faults;
    bool reportsFailures = true; // the case commands skip a failed rename without a word
};

// Faults whose lasting failure must reach the user in an error box.
bool MustBeReported(FaultCall fault) {
    switch (fault) {
    case FaultCall::FileCopy:
    case FaultCall::FileDelete:
    case FaultCall::FileMove:
    case FaultCall::FolderCreate:
    case FaultCall::FolderRemove:
    case FaultCall::FileTimeSet:
    case FaultCall::ClipboardOpen:
    case FaultCall::Allocation:
        return true;
    default:
        return false;
    }
}

class FaultWalk : public DispatchFrame {
  protected:
    // Two files and a folder with a file and a subfolder, every file with its own content.
    std::vector<std::wstring> MakeSelection() {
        RemoveTree(folder / "In");
        MakeFolder(folder / "In");
        MakeFolder(folder / "In\\Sub");
        MakeFolder(folder / "In\\Sub\\Deep");
        for (const char* name : {"a.txt", "b.txt", "Sub\\c.txt", "Sub\\Deep\\d.doc"}) {
            WriteTextFile(folder / ("In\\" + std::string(name)),
                          "content of " + std::string(name) + " " + std::to_string(++runs));
        }
        return {folder / "In\\a.txt", folder / "In\\b.txt", folder / "In\\Sub"};
    }

    // One run of the command with `fault` failing after `passes` good calls; false when the
    // command made no call of that kind that could fail.
    bool RunWithFault(const Command& command, FaultCall fault, int passes, int failures) {
        const std::vector<std::wstring> objects = MakeSelection();
        selection = objects;
        const Map before = Snapshot(folder.Path());
        const int injectedBefore = InjectedFaultCount();
        PlanFault(fault, passes, failures);
        const HRESULT result = Choose(command.index);
        ClearFaults();
        const int injected = InjectedFaultCount() - injectedBefore;
        const std::vector<Box> boxes = user.TakeBoxes();

        EXPECT_EQ(result, S_OK);
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
        EXPECT_TRUE(::IsWindowEnabled(shellWindow));
        if (failures == kLasting && injected > 0 && command.reportsFailures &&
            MustBeReported(fault)) {
            EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [](const Box& box) {
                return box.caption == "Error";
            })) << "no error box";
        }
        for (const Box& box : boxes) {
            if (box.text == WideToAnsi(LoadText(IDS_UNEXPECTED_ERROR)) || box.text.empty()) {
                containedReports.push_back(std::string(command.name) + ": " + box.text);
            }
        }
        CheckNothingLost(command.outcome, objects, before, Snapshot(folder.Path()));
        faultsInjected += injected;
        return injected > 0;
    }

    void CheckNothingLost(Outcome outcome, const std::vector<std::wstring>& objects,
                          const Map& before, const Map& after) {
        for (const auto& [path, content] : before) {
            if (content == "<dir>") {
                continue;
            }
            if (after.count(path) && after.at(path) == content) {
                continue;
            }
            EXPECT_NE(outcome, Outcome::Unchanged) << path << " changed";
            bool found = false;
            for (const auto& [afterPath, afterContent] : after) {
                found =
                    found || (afterContent == content && (outcome == Outcome::RenamedInPlace ||
                                                          afterPath == MovedPath(path, objects)));
            }
            EXPECT_TRUE(found) << path << " lost";
        }
    }

    // The destination of a file of the selection under Move as with *.bak.
    std::string MovedPath(const std::string& relative, const std::vector<std::wstring>& objects) {
        const std::wstring full = folder / relative;
        for (const std::wstring& object : objects) {
            if (full == object || full.rfind(object + L"\\", 0) == 0) {
                const std::wstring destination =
                    DestinationOf(pkKeepName, folder / "In\\*.bak", object);
                return U8(
                    (destination + full.substr(object.size())).substr(folder.Path().size() + 1));
            }
        }
        return relative;
    }

    void Walk(const Command& command) {
        for (FaultCall fault : command.faults) {
            SCOPED_TRACE(std::string(command.name) + ", fault " +
                         std::to_string(static_cast<int>(fault)));
            for (int passes = 0; passes < kSingleFaultRuns; ++passes) {
                const bool met = RunWithFault(command, fault, passes, 1);
                if (passes == 0) {
                    EXPECT_TRUE(met) << "the command never meets this fault";
                }
                if (!met || ::testing::Test::HasFailure()) {
                    break;
                }
            }
            RunWithFault(command, fault, 0, kLasting);
            if (::testing::Test::HasFailure()) {
                return;
            }
        }
        std::printf("[ walk     ] %s: %d faults injected\n", command.name, faultsInjected);
        for (const std::string& report : containedReports) {
            std::printf("[ walk     ] contained report: %s\n", report.c_str());
        }
    }

    TempFolder folder{"faults"};
    WalkUser user{::GetCurrentThreadId()};
    int runs = 0;
    int faultsInjected = 0;
    std::vector<std::string> containedReports;
};

// On one volume a move renames in place; the copy, removal and walk of a move across volumes
// meet their failures in the engine's native tests.
const std::vector<FaultCall> kMoveFaults = {FaultCall::FileMove, FaultCall::FileOpen,
                                            FaultCall::StringLoad};

TEST_F(FaultWalk, CopyAs) {
    Walk({0,
          "Copy as",
          Outcome::Unchanged,
          {FaultCall::FileCopy, FaultCall::FolderCreate, FaultCall::FolderList,
           FaultCall::StringLoad}});
}

TEST_F(FaultWalk, MoveAs) {
    Walk({1, "Move as", Outcome::MovedToBak, kMoveFaults});
}

TEST_F(FaultWalk, RenameSeries) {
    Walk({2, "Rename series", Outcome::RenamedInPlace, kMoveFaults});
}

TEST_F(FaultWalk, TimeStamp) {
    Walk({3,
          "Time stamp",
          Outcome::Unchanged,
          {FaultCall::FileTimeSet, FaultCall::FileOpen, FaultCall::StringLoad}});
}

TEST_F(FaultWalk, ChangeCase) {
    for (unsigned index = 4; index <= 7; ++index) {
        Walk({index, "Change case", Outcome::RenamedInPlace, {FaultCall::FileMove}, false});
    }
}

TEST_F(FaultWalk, NamesToClipboard) {
    for (unsigned index = 8; index <= 9; ++index) {
        Walk({index,
              "Names to clipboard",
              Outcome::Unchanged,
              {FaultCall::ClipboardOpen, FaultCall::Allocation}});
    }
}

// Registration writes through the factory; a failed write surfaces as an error, which the
// exported entry turns into E_FAIL.
TEST(RegistrationFaults, AFailedRegistryWriteIsThrown) {
    int injected = 0;
    for (FaultCall fault : {FaultCall::RegistryCreateKey, FaultCall::RegistrySetValue}) {
        for (int passes = 0;; ++passes) {
            SCOPED_TRACE(std::to_string(static_cast<int>(fault)) + " after " +
                         std::to_string(passes));
            const int injectedBefore = InjectedFaultCount();
            PlanFault(fault, passes);
            bool thrown = false;
            try {
                UpdateServerRegistry(true);
            } catch (...) {
                thrown = true;
            }
            ClearFaults();
            const bool met = InjectedFaultCount() > injectedBefore;
            EXPECT_EQ(thrown, met);
            if (!met) {
                EXPECT_GT(passes, 0);
                break;
            }
            ++injected;
        }
    }
    UpdateServerRegistry(false);
    std::printf("[ walk     ] registration: %d faults injected\n", injected);
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(opened);
    return true;
}

// Where the user's own classes (HKCU\Software\Classes) hold a key, Windows writes through
// HKEY_CLASSES_ROOT into them, so a setup run as administrator would register for that user
// alone. This process sees classes of a user as HKEY_CLASSES_ROOT, as such a setup does (Wine
// itself does not merge the two): registration still writes, and unregistration still
// removes, the machine's classes, and the user's stay as they were.
TEST(Registration, WritesAndRemovesTheMachinesClassesWhateverTheUsersClassesHold) {
    const wchar_t userClassesKey[] = L"Software\\Tarvix test user classes";
    RegKey userClasses(OpenOrCreateKey(HKEY_CURRENT_USER, userClassesKey));
    ASSERT_TRUE(userClasses);
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses.Get()), ERROR_SUCCESS);
    const std::wstring entries[] = {ClassKey(), InprocServerKey(),
                                    L"*\\shellex\\ContextMenuHandlers\\Tarvix",
                                    L"Folder\\shellex\\ContextMenuHandlers\\Tarvix"};
    UpdateServerRegistry(true);
    for (const std::wstring& key : entries) {
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, MachineClassKey(key))) << U8(key);
        EXPECT_FALSE(KeyExists(userClasses.Get(), key)) << U8(key);
    }
    UpdateServerRegistry(false);
    for (const std::wstring& key : entries) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MachineClassKey(key))) << U8(key);
    }
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    userClasses.Reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, userClassesKey);
}

} // namespace
} // namespace tarvix::test
