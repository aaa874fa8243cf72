#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <curl/curl.h>
#include <memory>
#include <unordered_map>

namespace vandrel {

// Runs libcurl's transfers on Qt's event loop: libcurl names the sockets it waits on and
// the time it next wants to run, and a notifier per socket and one single-shot timer wake
// it then. No thread and no polling: a transfer that waits on a silent server costs nothing.
class CurlMulti final : public QObject
{
    Q_OBJECT
public:
    explicit CurlMulti(QObject* parent = nullptr);
    ~CurlMulti() override;

    void add(CURL* easy);
    void remove(CURL* easy);

signals:
    // libcurl has run its transfers once; their callbacks have all returned.
    void ran();
    // The transfer `easy` has ended with `result`; it stays added until removed.
    void finished(CURL* easy, CURLcode result);

private:
    struct SocketWatch
    {
        std::unique_ptr<QSocketNotifier> read;
        std::unique_ptr<QSocketNotifier> write;
    };

    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void*);
    static int onTimer(CURLM* multi, long timeoutMs, void* self);
    SocketWatch& watchFor(curl_socket_t socket);
    void run(curl_socket_t socket, int events);

    CURLM* multi_;
    QTimer timer_;
    std::unordered_map<curl_socket_t, SocketWatch> sockets_;
};

} // namespace vandrel
