#include "common/ClassIdentity.h"
#include "TarvixExtFactory.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/Registry.h"
#include "platform/Errors.h"
#include "platform/CaseConversion.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <string>

namespace tarvix {
namespace {

const char kDescription[] = "Tarvix Context Menu Shell Extension";
const char kApprovedKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const char kFileHandlerKey[] = "*\\shellex\\ContextMenuHandlers\\Tarvix";
const char kFolderHandlerKey[] = "Folder\\shellex\\ContextMenuHandlers\\Tarvix";

// The DLL's path; with a space in it, its short form where the platform has one (otherwise
// the full path, never an undefined buffer).
std::string ServerFileName() {
    // Room for a path of MAX_PATH characters, its NUL, and one more to tell a cut path.
    char path[MAX_PATH + 2] = {};
    const DWORD length = ::GetModuleFileNameA(ModuleHandle(), path, sizeof(path));
    std::string fileName(path, length < sizeof(path) ? length : 0);
    if (fileName.find(' ') == std::string::npos) {
        return fileName;
    }
    char shortPath[260] = {};
    const DWORD shortLength = ::GetShortPathNameA(fileName.c_str(), shortPath, sizeof(shortPath));
    if (shortLength == 0 || shortLength >= sizeof(shortPath)) {
        return fileName;
    }
    return std::string(shortPath, shortLength);
}

// Registration stops at the first entry that cannot be written; the ones before it stay.
void Require(bool written) {
    if (!written) {
        throw UserError(LoadText(IDS_REGISTRY_ERROR));
    }
}

void Register() {
    Require(CreateRegKey(ClassKey(), "", kDescription));
    Require(CreateRegKey(InprocServerKey(), "", ServerFileName()));
    Require(CreateRegKey(InprocServerKey(), "ThreadingModel", "Apartment"));
    Require(CreateRegKey(kFileHandlerKey, "", kClsidString));
    Require(CreateRegKey(kFolderHandlerKey, "", kClsidString));
    if (IsNtFamily()) {
        RegKey approved(OpenOrCreateKey(HKEY_LOCAL_MACHINE, kApprovedKey));
        Require(SetStringValue(approved.Get(), kClsidString, kDescription));
    }
}

// On 64-bit Windows the 64-bit and the 32-bit DLL each register the class in a registry view
// of their own, while the handler keys are shared. The DLL of the other bitness still needs
// them when its view names another server file for the class.
bool SamePathIgnoringCase(const std::string& left, const std::string& right) {
    return LowerCase(left) == LowerCase(right);
}

bool OtherBitnessRegistered() {
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    std::string otherServer;
    if (!ReadDefaultValue(HKEY_CLASSES_ROOT, InprocServerKey(), otherServer, otherView)) {
        return false;
    }
    return !otherServer.empty() && !SamePathIgnoringCase(otherServer, ServerFileName());
}

void RemoveApproval(REGSAM view) {
    RegKey approved(OpenOrCreateKey(HKEY_LOCAL_MACHINE, kApprovedKey, view));
    if (approved) {
        ::RegDeleteValueA(approved.Get(), kClsidString);
    }
}

void Unregister() {
    if (!OtherBitnessRegistered()) {
        if (IsNtFamily()) {
            // Both views: the list is kept per view on some versions and shared on others.
            RemoveApproval(KEY_WOW64_64KEY);
            RemoveApproval(KEY_WOW64_32KEY);
        }
        DeleteRegKey(kFileHandlerKey);
        DeleteRegKey(kFolderHandlerKey);
    }
    DeleteRegKey(InprocServerKey());
    DeleteRegKey(ClassKey());
}

} // namespace

void TTarvixExtFactory::UpdateRegistry(bool doRegister) {
    if (doRegister) {
        Register();
    } else {
        Unregister();
    }
}

} // namespace tarvix
