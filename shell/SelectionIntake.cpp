#include "SelectionIntake.h"

#include "platform/Handles.h"
#include "platform/Text.h"

namespace tarvix {

std::optional<PackedNames> DropListNames(HGLOBAL drop) {
    GlobalLockGuard lock(drop);
    if (lock.Data() == nullptr) {
        return std::nullopt;
    }
    // One pass over the block: asking DragQueryFile name by name walks the list from its start
    // each time, which grows with the square of the selection.
    return ParseDropList(static_cast<const unsigned char*>(lock.Data()), ::GlobalSize(drop),
                         [](const char* name, std::size_t length, std::wstring& out) {
                             out += AnsiToWide(std::string_view(name, length));
                         });
}

HRESULT ReadSelection(IDataObject* data, Selection& selection) {
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    StgMediumGuard medium;
    const HRESULT result = data->GetData(&format, medium.Receive());
    if (FAILED(result)) {
        return result;
    }
    medium.MarkFilled();
    if (result != S_OK) {
        return result;
    }
    if (medium.Get().tymed != TYMED_HGLOBAL) {
        return DV_E_TYMED;
    }
    std::optional<PackedNames> names = DropListNames(medium.Get().hGlobal);
    if (!names) {
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
    selection.Replace(std::move(*names));
    return S_OK;
}

} // namespace tarvix
