#pragma once

#include "net/page_origin.h"
#include "net/saved_page.h"

#include <QString>
#include <string>

namespace vandrel {

class PageRequest;
struct ChartSource;

// One page's text as the refresh cycle reads it, and what the page is called.
struct FetchedPage
{
    QString name;  // as PageOrigin::name gives it
    QString text;  // empty when nothing came
    QString error; // why a file gave nothing; a download that fails reports itself
};

// Downloads the origin's address (`builtInAddress` for a built-in origin) through `request`, or
// reads the origin's file or standard input as a completed download, telling `beforeReading`
// first. `request` is only used for an origin that downloads, and may be null for one that does
// not: a file is read on any thread.
FetchedPage fetchPage(const PageOrigin& origin, const QString& builtInAddress, PageRequest* request,
                      FileKinds kinds, const BeforeReading& beforeReading = {});

// The line that tells which marker the page lacks (CycleResult::missingMarker), naming the
// source and the page.
QString missingMarkerNote(const ChartSource& source, const QString& page,
                          const std::u16string& missingMarker);

} // namespace vandrel
