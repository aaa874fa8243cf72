#include "net/page_fetch.h"

#include "net/page_request.h"
#include "net/qt_text.h"
#include "sources/chart_source.h"

namespace vandrel {

FetchedPage fetchPage(const PageOrigin& origin, const QString& builtInAddress, PageRequest* request,
                      FileKinds kinds, const BeforeReading& beforeReading)
{
    const QString name = origin.name(builtInAddress);
    if (origin.downloads())
        return {name, request->GetURL(name), {}};
    SavedPage saved = readSavedPage(origin, kinds, CurlTransfer::DefaultBodyCap, beforeReading);
    return {name, std::move(saved.text), std::move(saved.error)};
}

QString missingMarkerNote(const ChartSource& source, const QString& page,
                          const std::u16string& missingMarker)
{
    return QStringLiteral("%1 page %2: %3.")
        .arg(QLatin1String(source.name.data(), qsizetype(source.name.size())), page,
             qt(missingMarker));
}

} // namespace vandrel
