#include "Text.h"

#include "Faults.h"
#include "Module.h"

namespace tarvix {

std::string LoadText(unsigned id) {
    if (FaultNow(FaultCall::StringLoad)) {
        return std::string();
    }
    char buffer[1024];
    const int length = ::LoadStringA(ModuleHandle(), id, buffer, sizeof(buffer));
    return length > 0 ? std::string(buffer, static_cast<std::string::size_type>(length))
                      : std::string();
}

std::string FormatPattern(const std::string& pattern,
                          std::initializer_list<std::string> arguments) {
    std::string result;
    auto argument = arguments.begin();
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
            argument != arguments.end()) {
            result += *argument++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::string FormatText(unsigned id, std::initializer_list<std::string> arguments) {
    return FormatPattern(LoadText(id), arguments);
}

} // namespace tarvix
