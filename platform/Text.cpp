#include "Text.h"

#include "Faults.h"
#include "Module.h"

namespace tarvix {

std::wstring LoadText(unsigned id) {
    if (FaultNow(FaultCall::StringLoad)) {
        return std::wstring();
    }
    // With no buffer, LoadStringW hands out the resource's own read-only text.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(ModuleHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text != nullptr
               ? std::wstring(text, static_cast<std::wstring::size_type>(length))
               : std::wstring();
}

std::wstring FormatPattern(const std::wstring& pattern,
                           std::initializer_list<std::wstring> arguments) {
    std::wstring result;
    auto argument = arguments.begin();
    for (std::wstring::size_type i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' &&
            argument != arguments.end()) {
            result += *argument++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::wstring FormatText(unsigned id, std::initializer_list<std::wstring> arguments) {
    return FormatPattern(LoadText(id), arguments);
}

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

} // namespace tarvix
