#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace Tarvosk {

namespace {

const QByteArray handOffMessage = QByteArrayLiteral("load\n");
constexpr int connectTimeoutMs = 500;

} // namespace

QString SingleInstance::serverNameFor(const QString &settingsFile)
{
    const QByteArray hash = QCryptographicHash::hash(settingsFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("tarvosk-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::SingleInstance(QString serverName, QObject *parent)
    : QObject(parent)
    , m_serverName(std::move(serverName))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherIsRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    return socket.waitForConnected(connectTimeoutMs);
}

bool SingleInstance::signalRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(handOffMessage);
    if (!socket.waitForBytesWritten(connectTimeoutMs))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(connectTimeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_serverName)) {
        // A socket left behind by a crashed instance: nobody answers, so take it over.
        if (server->serverError() != QAbstractSocket::AddressInUseError || anotherIsRunning()) {
            delete server;
            return false;
        }
        QLocalServer::removeServer(m_serverName);
        if (!server->listen(m_serverName)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readSignal);
    return true;
}

void SingleInstance::readSignal()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (socket->readAll().contains(handOffMessage.trimmed()))
                Q_EMIT handOffRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        // The message may have come in with the connection itself.
        if (socket->bytesAvailable() > 0)
            read();
    }
}

} // namespace Tarvosk
