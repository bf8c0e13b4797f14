#include "CaseStyle.h"
#include "Commands.h"
#include "platform/CaseConversion.h"
#include "platform/Files.h"

namespace tarvix {

void ChangeCase(const Paths& selection, int style) {
    const std::size_t count = selection.size();
    for (std::size_t index = 0; index < count; ++index) {
        std::wstring newPath;
        if (NewCasePath(selection[index], style, kSystemCase, newPath)) {
            MovePath(selection[index], newPath); // a failed rename is skipped silently
        }
    }
}

} // namespace tarvix
