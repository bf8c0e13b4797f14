#include "SeriesSelection.h"

#include "common/PathTerms.h"

namespace tarvix {

std::optional<SeriesStart> StartSeries(const std::vector<std::wstring>& paths,
                                       CaseConversion lower) {
    if (paths.empty()) {
        return std::nullopt;
    }
    SeriesStart series;
    // A drive's root folder has no name, so its template is "?" alone.
    series.defaultTemplate = BareName(ObjectFolder(paths.front())) + L"?";
    series.spelledFolder = FolderPart(paths.front());
    series.folder = lower(series.spelledFolder);
    series.oldNames.reserve(paths.size());
    for (const std::wstring& path : paths) {
        if (lower(FolderPart(path)) != series.folder) {
            return std::nullopt;
        }
        series.oldNames.push_back(BareName(path));
    }
    return series;
}

} // namespace tarvix
