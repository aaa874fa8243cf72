#pragma once

#include <string>

// Line ends as the extractions even them out before they split a text into lines or fields.
namespace vandrel {

// Every line feed without a carriage return before it turned into CR LF.
std::u16string crLfForBareLf(std::u16string text);

// Every run of consecutive CR LF pairs shortened to one pair.
std::u16string collapseCrLfRuns(std::u16string text);

} // namespace vandrel
