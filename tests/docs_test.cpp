// The tables the documents show beside the code that defines what they list.
#include "net/curl_transfer.h"
#include "net/response_head.h"
#include "net/transfer_error.h"
#include "sample/pages/sample_pages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace vandrel {
namespace {

// The rows of the first table after `heading` in the document at `path` (from the source tree),
// header and rule left out.
std::vector<std::string> tableAfter(const std::string& path, const std::string& heading)
{
    std::ifstream file(std::string(VANDREL_SOURCE_DIR) + "/" + path);
    std::vector<std::string> rows;
    bool afterHeading = false;
    for (std::string line; std::getline(file, line);) {
        afterHeading = afterHeading || line.starts_with(heading);
        if (afterHeading && line.starts_with('|'))
            rows.push_back(line);
        else if (!rows.empty())
            break;
    }
    return rows.size() < 2 ? rows : std::vector(rows.begin() + 2, rows.end());
}

// Each bound in its row, in the unit the table gives it.
TEST(Docs, ShowTheTransferBoundsAsTheCodeHasThem)
{
    const std::string values[] = {std::to_string(CurlTransfer::DefaultIdleTimeoutMs / 1000) + " s",
                                  std::to_string(CurlTransfer::DefaultDeadlineMs / 60000) + " min",
                                  std::to_string(CurlTransfer::DefaultBodyCap >> 20) + " MiB",
                                  std::to_string(ResponseHead::SizeCap >> 10) + " KiB",
                                  std::to_string(CURL_MAX_HTTP_HEADER >> 10) + " KiB",
                                  std::to_string(CurlTransfer::MaxRedirects)};
    const std::vector<std::string> rows = tableAfter("docs/robustness.md", "## Bounds");
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_NE(rows.at(i).find(" | " + values[i] + " | "), std::string::npos) << rows.at(i);
}

TEST(Docs, ShowTheTransferErrorsAsTheCodeHasThem)
{
    std::vector<std::string> expected;
    for (const TransferErrorRow& row : transferErrorTable()) {
        std::string line = "| " + std::to_string(row.number) + " | ";
        if (row.text.empty())
            line += "libcurl's own short text";
        else
            line.append("`").append(row.text).append("`");
        expected.push_back(line.append(" | ").append(row.when).append(" |"));
    }
    std::vector<std::string> shown = tableAfter("docs/robustness.md", "| Number | Text | When |");
    // The last row is the server's own status, which no table in the code holds.
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown.back().starts_with("| 400 to 599 |"));
    shown.pop_back();
    EXPECT_EQ(shown, expected);
}

TEST(Docs, NameTheSampleServersFailingChoicesAsItsCodeDoes)
{
    std::vector<std::string> named;
    for (const std::string& row :
         tableAfter("sample/README.md", "## Addresses that fail on purpose")) {
        const std::size_t start = row.find("**") + 2;
        std::string choice = row.substr(start, row.find("**", start) - start);
        for (char& c : choice)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        named.push_back(choice);
    }
    EXPECT_EQ(named, (std::vector<std::string>{std::string(sample::ChangedAlbumGenre),
                                               std::string(sample::MissingChart),
                                               std::string(sample::SlowChart)}));
}

} // namespace
} // namespace vandrel
