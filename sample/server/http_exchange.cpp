#include "sample/server/http_exchange.h"

#include "sample/pages/sample_pages.h"

#include <algorithm>

namespace vandrel::sample {
namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
               return (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) == lower;
           });
}

// The path of an origin-form or absolute http:// target; nullopt for any other form.
std::optional<std::string> targetPath(std::string_view target)
{
    if (target.starts_with('/'))
        return std::string(target);
    constexpr std::string_view scheme = "http://";
    if (!startsWithNoCase(target, scheme))
        return std::nullopt;
    const auto rest = target.substr(scheme.size());
    const auto slash = rest.find('/');
    if (rest.empty() || slash == 0)
        return std::nullopt;
    return slash == std::string_view::npos ? std::string("/") : std::string(rest.substr(slash));
}

Answer errorAnswer(int status, std::string reason)
{
    std::string body = "<html><head><title>" + std::to_string(status) + " " + reason +
                       "</title></head>\n<body><h1>" + reason + "</h1></body></html>\n";
    return {status, std::move(reason), "text/html; charset=utf-8", std::move(body)};
}

} // namespace

std::size_t headEnd(std::string_view received)
{
    const auto crlf = received.find("\r\n\r\n");
    const auto lf = received.find("\n\n");
    const auto end = std::min(crlf == std::string_view::npos ? crlf : crlf + 4,
                              lf == std::string_view::npos ? lf : lf + 2);
    return end;
}

std::optional<Request> parseRequest(std::string_view head)
{
    auto line = head.substr(0, head.find('\n'));
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    const auto first = line.find(' ');
    const auto second = line.find(' ', first == std::string_view::npos ? first : first + 1);
    if (first == 0 || second == std::string_view::npos || second == first + 1)
        return std::nullopt;
    const auto version = line.substr(second + 1);
    if (!version.starts_with("HTTP/") || version.find(' ') != std::string_view::npos)
        return std::nullopt;
    const auto target = line.substr(first + 1, second - first - 1);
    auto path = targetPath(target);
    if (!path)
        return std::nullopt;
    return Request{std::string(line.substr(0, first)), std::string(target), std::move(*path)};
}

Answer answerFor(const std::optional<Request>& request)
{
    if (!request)
        return errorAnswer(400, "Bad Request");
    if (request->method != "GET")
        return errorAnswer(405, "Method Not Allowed");
    auto page = findPage(request->path);
    if (!page)
        return errorAnswer(404, "Not Found");
    return {200, "OK", std::move(page->contentType), std::move(page->body), page->spread};
}

std::string responseHead(const Answer& answer)
{
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " + answer.reason +
                       "\r\nServer: vandrel-sample-server\r\nContent-Type: " + answer.contentType +
                       "\r\nContent-Length: " + std::to_string(answer.body.size()) +
                       "\r\nConnection: close\r\n";
    if (answer.status == 405)
        head += "Allow: GET\r\n";
    return head + "\r\n";
}

} // namespace vandrel::sample
