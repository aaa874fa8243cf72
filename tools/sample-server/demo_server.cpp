#include "tools/sample-server/demo_server.h"

#include "net/curl_transfer.h"
#include "tools/sample-server/sample_server.h"

#include <QCoreApplication>
#include <QPointer>
#include <cstdio>

namespace vandrel::demo {

namespace {

// Owned by the application object, so the port closes when the program ends.
QPointer<sample::SampleServer> running;

QByteArray proxyAddress()
{
    return "http://127.0.0.1:" + QByteArray::number(running->port());
}

} // namespace

bool startSampleServer(const char* program, bool announce)
{
    auto* server = new sample::SampleServer(QCoreApplication::instance());
    if (!server->listen(0)) {
        std::fprintf(stderr, "%s: --demo: the sample server cannot listen on 127.0.0.1: %s\n",
                     program, server->errorString().toLocal8Bit().constData());
        delete server;
        return false;
    }
    running = server;
    if (announce)
        std::fprintf(stderr, "%s: sample charts from %s/\n", program, proxyAddress().constData());
    return true;
}

void routeToSampleServer(CurlTransfer& transfer)
{
    if (running)
        transfer.setProxy(proxyAddress());
}

} // namespace vandrel::demo
