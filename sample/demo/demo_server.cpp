#include "sample/demo/demo_server.h"

#include "net/curl_transfer.h"
#include "sample/server/sample_server.h"

#include <QCoreApplication>
#include <cstdio>

namespace vandrel::demo {

namespace {

// A child of the application object, so that the port closes when the program ends; found
// again by its name.
constexpr QLatin1String ServerName("vandrel-demo-server");

sample::SampleServer* runningServer()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app ? app->findChild<sample::SampleServer*>(ServerName, Qt::FindDirectChildrenOnly)
               : nullptr;
}

QByteArray proxyAddress(const sample::SampleServer& server)
{
    return "http://127.0.0.1:" + QByteArray::number(server.port());
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
    server->setObjectName(ServerName);
    if (announce)
        std::fprintf(stderr, "%s: sample charts from %s/\n", program,
                     proxyAddress(*server).constData());
    return true;
}

void routeToSampleServer(CurlTransfer& transfer)
{
    if (const sample::SampleServer* server = runningServer())
        transfer.setProxy(proxyAddress(*server));
}

} // namespace vandrel::demo
