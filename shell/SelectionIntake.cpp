#include "SelectionIntake.h"

#include "DropList.h"
#include "platform/Handles.h"

namespace tarvix {
namespace {

// The same conversion DragQueryFileA applies to a wide name.
std::string WideNameToAnsi(const char16_t* name, std::size_t length) {
    const auto* wide = reinterpret_cast<const wchar_t*>(name);
    const int wideLength = static_cast<int>(length);
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, wide, wideLength, ansi.data(), size, nullptr, nullptr);
    }
    return ansi;
}

} // namespace

std::optional<std::vector<std::string>> DropListNames(HGLOBAL drop) {
    GlobalLockGuard lock(drop);
    if (lock.Data() == nullptr) {
        return std::nullopt;
    }
    // One pass over the block: asking DragQueryFileA name by name walks the list from its
    // start each time, which grows with the square of the selection.
    return ParseDropList(static_cast<const unsigned char*>(lock.Data()), ::GlobalSize(drop),
                         WideNameToAnsi);
}

HRESULT ReadSelection(IDataObject* data, std::vector<std::string>& selection) {
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
    std::optional<std::vector<std::string>> names = DropListNames(medium.Get().hGlobal);
    if (!names) {
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
    selection = std::move(*names);
    return S_OK;
}

} // namespace tarvix
