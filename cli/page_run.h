#pragma once

namespace vandrel {

struct DownloadEngine;
struct FetchList;

// Prints the rows of the many pages of `fetch`, in their order: files are read and cut on as many
// threads as the machine has cores, addresses downloaded one at a time through `engine` (null
// when there are none). A page that fails is reported on standard error and the run goes on;
// at the end one line there counts the pages read and failed and the rows written. With
// `verbose` every page gets a line there, otherwise a terminal shows the progress. Ctrl+C stops
// the run after the page being written. Returns the exit status; after Ctrl+C it exits itself.
int printPages(const FetchList& fetch, bool verbose, DownloadEngine* engine);

} // namespace vandrel
