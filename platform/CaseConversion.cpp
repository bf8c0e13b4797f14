#include "CaseConversion.h"

#include "Win.h"

#include <utility>
#include <vector>

namespace tarvix {
namespace {

using Fix = std::pair<wchar_t, wchar_t>;

// The characters of the ANSI code page whose wide conversion differs from the code page's
// (the wide one may give a character the code page lacks, such as a Greek capital for the
// micro sign): for these the code page's result is taken. Usually none or a few.
std::vector<Fix> CodePageFixes(DWORD(WINAPI* ansi)(LPSTR, DWORD),
                               DWORD(WINAPI* wide)(LPWSTR, DWORD)) {
    std::vector<Fix> fixes;
    for (int value = 1; value < 256; ++value) {
        char byte = static_cast<char>(value);
        if (::IsDBCSLeadByte(static_cast<BYTE>(byte))) {
            continue;
        }
        wchar_t original = 0;
        if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &original, 1) != 1) {
            continue;
        }
        ansi(&byte, 1);
        wchar_t expected = 0;
        wchar_t converted = original;
        ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, &expected, 1);
        wide(&converted, 1);
        if (converted != expected) {
            fixes.emplace_back(original, expected);
        }
    }
    return fixes;
}

std::wstring Convert(std::wstring_view text, DWORD(WINAPI* wide)(LPWSTR, DWORD),
                     const std::vector<Fix>& fixes) {
    std::wstring converted(text);
    wide(converted.data(), static_cast<DWORD>(converted.size()));
    for (const Fix& fix : fixes) {
        for (std::size_t at = text.find(fix.first); at != std::wstring_view::npos;
             at = text.find(fix.first, at + 1)) {
            converted[at] = fix.second;
        }
    }
    return converted;
}

} // namespace

std::wstring LowerCase(std::wstring_view text) {
    static const std::vector<Fix> fixes = CodePageFixes(::CharLowerBuffA, ::CharLowerBuffW);
    return Convert(text, ::CharLowerBuffW, fixes);
}

std::wstring UpperCase(std::wstring_view text) {
    static const std::vector<Fix> fixes = CodePageFixes(::CharUpperBuffA, ::CharUpperBuffW);
    return Convert(text, ::CharUpperBuffW, fixes);
}

} // namespace tarvix
