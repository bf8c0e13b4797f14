#include "common/ClassIdentity.h"
#include "TarvixExtFactory.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/Registry.h"
#include "platform/SizedText.h"
#include "platform/Errors.h"
#include "platform/CaseConversion.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <string>

namespace tarvix {
namespace {

const wchar_t kDescription[] = L"Tarvix Context Menu Shell Extension";
const wchar_t kApprovedKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const wchar_t kFileHandlerKey[] = L"*\\shellex\\ContextMenuHandlers\\Tarvix";
const wchar_t kFolderHandlerKey[] = L"Folder\\shellex\\ContextMenuHandlers\\Tarvix";

// The DLL's path; with a space in it, its short form where the platform has one (otherwise
// the full path, never an undefined buffer).
std::wstring ServerFileName() {
    const std::wstring fileName = ModulePath();
    if (fileName.find(L' ') == std::wstring::npos) {
        return fileName;
    }
    const std::wstring shortPath = SizedText([&](wchar_t* buffer, DWORD size) {
        return ::GetShortPathNameW(fileName.c_str(), buffer, size);
    });
    return shortPath.empty() ? fileName : shortPath;
}

// Registration stops at the first entry that cannot be written; the ones before it stay.
void Require(bool written) {
    if (!written) {
        throw UserError(LoadText(IDS_REGISTRY_ERROR));
    }
}

void Register() {
    Require(CreateRegKey(ClassKey(), L"", kDescription));
    Require(CreateRegKey(InprocServerKey(), L"", ServerFileName()));
    Require(CreateRegKey(InprocServerKey(), L"ThreadingModel", L"Apartment"));
    Require(CreateRegKey(kFileHandlerKey, L"", kClsidString));
    Require(CreateRegKey(kFolderHandlerKey, L"", kClsidString));
    if (IsNtFamily()) {
        RegKey approved(OpenOrCreateKey(HKEY_LOCAL_MACHINE, kApprovedKey));
        Require(SetStringValue(approved.Get(), kClsidString, kDescription));
    }
}

// On 64-bit Windows the 64-bit and the 32-bit DLL each register the class in a registry view
// of their own, while the handler keys are shared. The DLL of the other bitness still needs
// them when its view names another server file for the class.
bool SamePathIgnoringCase(const std::wstring& left, const std::wstring& right) {
    return LowerCase(left) == LowerCase(right);
}

bool OtherBitnessRegistered() {
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    std::wstring otherServer;
    if (!ReadDefaultValue(HKEY_LOCAL_MACHINE, MachineClassKey(InprocServerKey()), otherServer,
                          otherView)) {
        return false;
    }
    return !otherServer.empty() && !SamePathIgnoringCase(otherServer, ServerFileName());
}

// Only an existing list is opened: unregistration creates nothing.
void RemoveApproval(REGSAM view) {
    const RegKey approved = OpenExistingKey(HKEY_LOCAL_MACHINE, kApprovedKey, view);
    if (approved) {
        ::RegDeleteValueW(approved.Get(), kClsidString);
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
