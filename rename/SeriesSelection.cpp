#include "SeriesSelection.h"

#include "platform/PathTerms.h"

namespace tarvix {

std::optional<SeriesStart> StartSeries(const std::vector<std::string>& paths,
                                       const Lowering& lower) {
    if (paths.empty()) {
        return std::nullopt;
    }
    SeriesStart series;
    // A drive's root folder has no name, so its template is "?" alone.
    series.defaultTemplate = BareName(ObjectFolder(paths.front())) + "?";
    series.folder = FolderPart(paths.front());
    lower(series.folder);
    series.oldNames.reserve(paths.size());
    for (const std::string& path : paths) {
        std::string folder = FolderPart(path);
        lower(folder);
        if (folder != series.folder) {
            return std::nullopt;
        }
        series.oldNames.push_back(BareName(path));
    }
    return series;
}

} // namespace tarvix
