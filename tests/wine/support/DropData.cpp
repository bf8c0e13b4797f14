#include "DropData.h"

#include "platform/ComObject.h"
#include "tools/ShellDataObject.h"

#include <cstring>
#include <string>

namespace tarvix::test {
namespace {

class DropDataObject final : public ComObject<IDataObject> {
  public:
    DropDataObject(std::vector<BYTE> block, HRESULT failure, IDataObject* others = nullptr)
        : block_(std::move(block)), failure_(failure), others_(others) {}
    ~DropDataObject() {
        if (others_ != nullptr) {
            others_->Release();
        }
    }
    DropDataObject(const DropDataObject&) = delete;
    DropDataObject& operator=(const DropDataObject&) = delete;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (others_ != nullptr && format->cfFormat != CF_HDROP) {
            return others_->GetData(format, medium);
        }
        if (failure_ != S_OK) {
            return failure_;
        }
        if (format->cfFormat != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0) {
            return DV_E_FORMATETC;
        }
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block_.size());
        if (memory == nullptr) {
            return E_OUTOFMEMORY;
        }
        if (!block_.empty()) {
            std::memcpy(::GlobalLock(memory), block_.data(), block_.size());
            ::GlobalUnlock(memory);
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        return format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override {
        *out = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    std::vector<BYTE> block_;
    HRESULT failure_;
    IDataObject* others_;
};

std::wstring Widen(const std::string& text) {
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    return wide;
}

} // namespace

std::vector<BYTE> WideDropFilesBlock(const std::vector<std::wstring>& names) {
    std::vector<BYTE> block(sizeof(DROPFILES), 0);
    for (const std::wstring& name : names) {
        const auto* bytes = reinterpret_cast<const BYTE*>(name.c_str());
        block.insert(block.end(), bytes, bytes + (name.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), sizeof(wchar_t), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    return block;
}

std::vector<BYTE> DropFilesBlock(const std::vector<std::string>& names, bool wide) {
    if (wide) {
        std::vector<std::wstring> wideNames;
        for (const std::string& name : names) {
            wideNames.push_back(Widen(name));
        }
        return WideDropFilesBlock(wideNames);
    }
    std::vector<BYTE> block(sizeof(DROPFILES), 0);
    for (const std::string& name : names) {
        block.insert(block.end(), name.c_str(), name.c_str() + name.size() + 1);
    }
    block.push_back(0);
    reinterpret_cast<DROPFILES*>(block.data())->pFiles = sizeof(DROPFILES);
    return block;
}

IDataObject* NewDropDataObject(std::vector<BYTE> block, HRESULT failure) {
    return new DropDataObject(std::move(block), failure);
}

IDataObject* WithoutDropList(IDataObject* data, HRESULT failure) {
    return data == nullptr ? nullptr : new DropDataObject({}, failure, data);
}

IDataObject* NewDropDataObject(const std::vector<std::string>& names) {
    return NewDropDataObject(DropFilesBlock(names), S_OK);
}

IDataObject* NewDropDataObject(const std::vector<std::wstring>& names) {
    return NewDropDataObject(WideDropFilesBlock(names), S_OK);
}

IDataObject* ShellDataObject(const std::vector<std::wstring>& paths) {
    return tools::ShellDataObject(paths);
}

} // namespace tarvix::test
