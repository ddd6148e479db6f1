#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <memory>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace Tarvosk {

namespace {

// "load", the path (percent-encoded UTF-8, so no byte of it is a newline), a newline.
const QByteArray messageHead = QByteArrayLiteral("load\n");
const QByteArray answerOk = QByteArrayLiteral("ok\n");
constexpr int connectTimeoutMs = 1000;
// The running instance answers from its event loop; a modal dialog keeps that loop running.
constexpr int answerTimeoutMs = 5000;
// A start waits this long for a running instance that holds the lock to answer.
constexpr int claimTimeoutMs = 3000;
constexpr unsigned long claimRetryMs = 20;
// No path comes near this; a sender that goes on is not one of ours.
constexpr qsizetype messageLimit = 256 * 1024;
// A connection that says nothing is dropped after this.
constexpr int idleTimeoutMs = 10000;

// A real folder (not a symlink), ours, that nobody else may enter. When
// `create` is set it is made first if missing, with mode 0700 whatever the umask.
bool isPrivateFolder(const QString &folder, bool create, bool exactly0700)
{
    const QByteArray name = QFile::encodeName(folder);
    bool created = false;
    if (create) {
        if (::mkdir(name.constData(), 0700) == 0)
            created = true;
        else if (errno != EEXIST)
            return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (created)
        ::fchmod(fd, 0700);
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    ::close(fd);
    if (!statted || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    if (exactly0700)
        return (info.st_mode & 07777) == 0700;
    return (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// QLocalServer wants one byte to spare beyond the terminating zero.
bool fitsSocketAddress(const QString &path)
{
    return QFile::encodeName(path).size() + 2 <= qsizetype(sizeof(sockaddr_un::sun_path));
}

bool answers(const QString &serverPath)
{
    QLocalSocket socket;
    socket.connectToServer(serverPath);
    const bool connected = socket.waitForConnected(connectTimeoutMs);
    socket.abort();
    return connected;
}

} // namespace

QString SingleInstance::serverPathFor(const QString &settingsFile)
{
    const QByteArray hash =
        QCryptographicHash::hash(settingsFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    const QString name = QStringLiteral("tarvosk-%1").arg(QString::fromLatin1(hash));

    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime, false, false)) {
        const QString path = QDir(runtime).filePath(name);
        if (fitsSocketAddress(path))
            return path;
    }
    // Without a usable runtime folder: one of our own, never one somebody else prepared.
    const QString fallback = QDir::tempPath() + QStringLiteral("/tarvosk-%1").arg(::geteuid());
    if (!isPrivateFolder(fallback, true, true))
        return {};
    const QString path = fallback + u'/' + name;
    return fitsSocketAddress(path) ? path : QString();
}

SingleInstance::SingleInstance(QString serverPath, QObject *parent)
    : QObject(parent)
    , m_serverPath(std::move(serverPath))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server) {
        // Closed while the lock is held, so no later start can find a dead socket of ours.
        m_server->close();
        QFile::remove(m_serverPath);
    }
    if (m_lockFile >= 0)
        ::close(m_lockFile);
}

QString SingleInstance::serverPath() const
{
    return m_serverPath;
}

SingleInstance::Role SingleInstance::role() const
{
    return m_role;
}

SingleInstance::Role SingleInstance::claim()
{
    if (!m_claimed) {
        m_claimed = true;
        m_role = takeLockOrConnect();
    }
    return m_role;
}

SingleInstance::Role SingleInstance::takeLockOrConnect()
{
    if (m_serverPath.isEmpty() || !QDir::isAbsolutePath(m_serverPath)
        || !isPrivateFolder(QFileInfo(m_serverPath).path(), false, false))
        return Role::Failed;

    // The running instance holds this lock for its whole life; the kernel
    // drops it when the process ends in any way, so a lock that can be taken
    // means nobody runs, whatever socket file is left.
    const QByteArray lockName = QFile::encodeName(m_serverPath + QStringLiteral(".lock"));
    const int lock = ::open(lockName.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0)
        return Role::Failed;
    struct stat info {};
    if (::fstat(lock, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(lock);
        return Role::Failed;
    }

    const QDeadlineTimer deadline(claimTimeoutMs);
    while (true) {
        if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
            // A lock file removed under a running instance (by a cleaner of
            // old files) would let a second one in; the running one still answers.
            if (answers(m_serverPath)) {
                ::close(lock);
                return Role::Secondary;
            }
            if (startServer()) {
                m_lockFile = lock;
                return Role::Primary;
            }
            break;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        // Taken: the running instance answers as soon as it listens.
        if (answers(m_serverPath)) {
            ::close(lock);
            return Role::Secondary;
        }
        if (deadline.hasExpired())
            break;
        QThread::msleep(claimRetryMs);
    }
    ::close(lock);
    return Role::Failed;
}

bool SingleInstance::startServer()
{
    auto server = std::make_unique<QLocalServer>(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Whatever lies at the path was left by an instance that has ended.
    QLocalServer::removeServer(m_serverPath);
    if (!server->listen(m_serverPath))
        return false;
    m_server = server.release();
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(idleTimeoutMs, socket, &QLocalSocket::abort);
        // The message may arrive in pieces; it is gathered here until whole.
        auto message = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, message] { readMessage(socket, *message, false); });
        // A sender that ends without the closing newline still meant its path.
        const auto finish = [this, socket, message] { readMessage(socket, *message, true); };
        connect(socket, &QLocalSocket::readChannelFinished, this, finish);
        connect(socket, &QLocalSocket::disconnected, this, finish);
        if (socket->bytesAvailable() > 0)
            readMessage(socket, *message, false);
    }
}

void SingleInstance::readMessage(QLocalSocket *socket, QByteArray &message, bool ended)
{
    if (socket->isReadable())
        message += socket->readAll();
    if (message.size() > messageLimit) {
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        return;
    }
    const qsizetype end = message.indexOf('\n', messageHead.size());
    if (end < 0 && !ended)
        return;
    // Read once: nothing more is taken from this connection.
    disconnect(socket, nullptr, this, nullptr);
    if (!message.startsWith(messageHead))
        return;
    const QByteArray encoded = message.mid(messageHead.size(), end < 0 ? -1 : end - messageHead.size());
    m_pending.append(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded)));
    if (socket->state() == QLocalSocket::ConnectedState) {
        socket->write(answerOk);
        socket->flush();
    }
    // Out of the socket's handler: the receiver may open a dialog and spin the event loop.
    QMetaObject::invokeMethod(this, &SingleInstance::deliverNext, Qt::QueuedConnection);
}

void SingleInstance::deliverNext()
{
    if (m_delivering || m_pending.isEmpty())
        return;
    m_delivering = true;
    const QString path = m_pending.takeFirst();
    const QPointer<SingleInstance> alive(this);
    Q_EMIT handOffRequested(path);
    if (!alive)
        return;
    m_delivering = false;
    if (!m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &SingleInstance::deliverNext, Qt::QueuedConnection);
}

bool SingleInstance::handOff(const QString &absolutePath) const
{
    // The running instance cannot answer itself from inside a blocking wait.
    if (m_server || m_serverPath.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_serverPath);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(messageHead + absolutePath.toUtf8().toPercentEncoding("/") + '\n');
    QByteArray answer;
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!answer.contains('\n')) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        answer += socket.readAll();
    }
    socket.disconnectFromServer();
    return answer == answerOk;
}

} // namespace Tarvosk
