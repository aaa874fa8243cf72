#include "sample/server/sample_server.h"

#include "sample/pages/sample_pages.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace vandrel::sample {

SampleServer::SampleServer(QObject* parent) : QObject(parent)
{
    connect(&server_, &QTcpServer::newConnection, this, &SampleServer::acceptConnections);
}

bool SampleServer::listen(quint16 port)
{
    routingError_ = QString::fromStdString(routingError(allSources()));
    return routingError_.isEmpty() && server_.listen(QHostAddress::LocalHost, port);
}

quint16 SampleServer::port() const
{
    return server_.serverPort();
}

QString SampleServer::errorString() const
{
    return routingError_.isEmpty() ? server_.errorString() : routingError_;
}

void SampleServer::setDelay(std::chrono::milliseconds delay)
{
    pacing_.delay = delay;
}

void SampleServer::setRate(qint64 bytesPerSecond)
{
    pacing_.rate = bytesPerSecond;
}

void SampleServer::acceptConnections()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* connection = new SampleConnection(socket, pacing_, this);
        connect(connection, &SampleConnection::answered, this, &SampleServer::answered);
    }
}

} // namespace vandrel::sample
