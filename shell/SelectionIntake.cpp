#include "SelectionIntake.h"

#include "platform/Handles.h"

namespace tarvix {
namespace {

// The same conversion DragQueryFileA applies to a wide name.
void AppendWideName(const char16_t* name, std::size_t length, std::string& out) {
    const auto* wide = reinterpret_cast<const wchar_t*>(name);
    const std::size_t start = out.size();
    // A code unit takes at most three bytes in any ANSI code page (UTF-8 included), so one
    // call suffices.
    out.resize(start + length * 3);
    const int written =
        ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), out.data() + start,
                              static_cast<int>(length * 3), nullptr, nullptr);
    out.resize(start + static_cast<std::size_t>(written > 0 ? written : 0));
}

} // namespace

std::optional<PackedNames> DropListNames(HGLOBAL drop) {
    GlobalLockGuard lock(drop);
    if (lock.Data() == nullptr) {
        return std::nullopt;
    }
    // One pass over the block: asking DragQueryFileA name by name walks the list from its
    // start each time, which grows with the square of the selection.
    return ParseDropList(static_cast<const unsigned char*>(lock.Data()), ::GlobalSize(drop),
                         AppendWideName);
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
