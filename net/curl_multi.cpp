#include "net/curl_multi.h"

namespace vandrel {

CurlMulti::CurlMulti(QObject* parent) : QObject(parent)
{
    // Once per process, before the first handle; libcurl's global state stays until exit.
    [[maybe_unused]] static const CURLcode initialized = curl_global_init(CURL_GLOBAL_DEFAULT);
    multi_ = curl_multi_init();
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMulti::onSocket);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMulti::onTimer);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { run(CURL_SOCKET_TIMEOUT, 0); });
}

CurlMulti::~CurlMulti()
{
    curl_multi_cleanup(multi_);
}

void CurlMulti::add(CURL* easy)
{
    curl_multi_add_handle(multi_, easy);
}

void CurlMulti::remove(CURL* easy)
{
    curl_multi_remove_handle(multi_, easy);
}

int CurlMulti::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*)
{
    SocketWatch& watch = static_cast<CurlMulti*>(self)->watchFor(socket);
    watch.read->setEnabled(what == CURL_POLL_IN || what == CURL_POLL_INOUT);
    watch.write->setEnabled(what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
    return 0;
}

int CurlMulti::onTimer(CURLM*, long timeoutMs, void* self)
{
    QTimer& timer = static_cast<CurlMulti*>(self)->timer_;
    if (timeoutMs < 0)
        timer.stop();
    else
        timer.start(int(timeoutMs));
    return 0;
}

// A socket number's notifiers are kept when libcurl lets it go, only disabled: the
// number comes back with the next connection, and nothing is deleted inside a callback.
CurlMulti::SocketWatch& CurlMulti::watchFor(curl_socket_t socket)
{
    SocketWatch& watch = sockets_[socket];
    if (!watch.read) {
        watch.read = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
        watch.write = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
        connect(watch.read.get(), &QSocketNotifier::activated, this,
                [this, socket] { run(socket, CURL_CSELECT_IN); });
        connect(watch.write.get(), &QSocketNotifier::activated, this,
                [this, socket] { run(socket, CURL_CSELECT_OUT); });
    }
    return watch;
}

void CurlMulti::run(curl_socket_t socket, int events)
{
    int running = 0;
    curl_multi_socket_action(multi_, socket, events, &running);
    emit ran();
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE)
            emit finished(message->easy_handle, message->data.result);
    }
}

} // namespace vandrel
