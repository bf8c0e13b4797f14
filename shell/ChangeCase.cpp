#include "CaseStyle.h"
#include "Commands.h"
#include "platform/Files.h"
#include "platform/Win.h"

namespace tarvix {
namespace {

void LowerAnsi(std::string& text) {
    ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
}

void UpperAnsi(std::string& text) {
    ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
}

} // namespace

void ChangeCase(const Paths& selection, int style) {
    const CaseConversions convert{LowerAnsi, UpperAnsi};
    const std::size_t count = selection.size();
    for (std::size_t index = 0; index < count; ++index) {
        std::string newPath;
        if (NewCasePath(selection[index], style, convert, newPath)) {
            MovePath(selection[index], newPath); // a failed rename is skipped silently
        }
    }
}

} // namespace tarvix
