#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One HTTP/1.1 exchange of the sample server, as plain text: the request it reads and the
// answer it gives. Every answer closes the connection.
namespace vandrel::sample {

// A client that sends more than this without ending its request head is cut off.
inline constexpr std::size_t MaxRequestHead = 64 * 1024;

struct Request
{
    std::string method;
    std::string target; // as sent: "/path" or "http://host/path"
    std::string path;
};

struct Answer
{
    int status = 200;
    std::string reason;
    std::string contentType;
    std::string body;
    std::chrono::milliseconds spread{0};
};

// The length of the request head in `received`, blank line included; npos while incomplete.
std::size_t headEnd(std::string_view received);

// The request line of `head` when it reads "METHOD target HTTP/x.y" and the target is either
// a path or an absolute http:// address (a proxy request).
std::optional<Request> parseRequest(std::string_view head);

// 200 with the page, 404 for an address without one, 405 for anything but GET, 400 for a
// request that could not be read.
Answer answerFor(const std::optional<Request>& request);

// Status line and header fields, up to and including the blank line.
std::string responseHead(const Answer& answer);

} // namespace vandrel::sample
