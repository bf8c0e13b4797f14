#include "TarvixExt.h"
#include "TarvixExtFactory.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/Registry.h"
#include "platform/Errors.h"
#include "platform/Files.h"
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

std::string ClassKey() {
    return std::string("CLSID\\") + kClsidString;
}
// The DLL's path; with a space in it, its short form where the platform has one (otherwise
// the full path, never an undefined buffer).
std::string ServerFileName() {
    char path[262] = {};
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

void Register() {
    CreateRegKey(ClassKey(), "", kDescription);
    const std::string serverFile = ServerFileName();
    CreateRegKey(InprocServerKey(), "", serverFile);
    CreateRegKey(InprocServerKey(), "ThreadingModel", "Apartment");
    CreateRegKey(kFileHandlerKey, "", kClsidString);
    CreateRegKey(kFolderHandlerKey, "", kClsidString);
    if (IsNtFamily()) {
        RegKey approved(OpenOrCreateKey(HKEY_LOCAL_MACHINE, kApprovedKey));
        if (!SetStringValue(approved.Get(), kClsidString, kDescription)) {
            throw UserError(LoadText(IDS_REGISTRY_ERROR));
        }
    }
}

// On 64-bit Windows the 64-bit and the 32-bit DLL each register the class in a registry view
// of their own, while the handler keys are shared. The DLL of the other bitness still needs
// them when its view names another server file for the class.
bool SamePathIgnoringCase(const std::string& left, const std::string& right) {
    return LowerCasePath(left) == LowerCasePath(right);
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

std::string InprocServerKey() {
    return ClassKey() + "\\InprocServer32";
}

void TTarvixExtFactory::UpdateRegistry(bool doRegister) {
    if (doRegister) {
        Register();
    } else {
        Unregister();
    }
}

} // namespace tarvix
