#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
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
constexpr int acceptPauseMs = 100;

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

// One byte to spare beyond the terminating zero.
bool fitsSocketAddress(const QString &path)
{
    return QFile::encodeName(path).size() + 2 <= qsizetype(sizeof(sockaddr_un::sun_path));
}

sockaddr_un addressOf(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(std::min<qsizetype>(name.size(), sizeof address.sun_path - 1)));
    return address;
}

// Waits until the descriptor is ready for `events` or the deadline passes.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    while (true) {
        pollfd watched{fd, events, 0};
        const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// A non-blocking connection to the running instance, or -1. A full backlog is waited out.
int connectTo(const QString &serverPath, const QDeadlineTimer &deadline)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    const sockaddr_un address = addressOf(serverPath);
    while (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired()) {
            ::close(fd);
            return -1;
        }
        QThread::msleep(claimRetryMs);
    }
    return fd;
}

bool answers(const QString &serverPath)
{
    const int fd = connectTo(serverPath, QDeadlineTimer(connectTimeoutMs));
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// Writes all of `bytes` before the deadline; never raises SIGPIPE.
bool sendAll(int fd, QByteArrayView bytes, const QDeadlineTimer &deadline)
{
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(fd, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes = bytes.sliced(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLOUT, deadline))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

// One later start's connection: closed when the last handler that holds it goes.
struct SingleInstance::Connection
{
    explicit Connection(int descriptor) : fd(descriptor) {}
    ~Connection() { ::close(fd); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const int fd;
    QByteArray message;
    QSocketNotifier *notifier = nullptr;

    // Nothing more is taken from it.
    void finish()
    {
        if (!notifier)
            return;
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
};

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
    if (m_listener >= 0) {
        // Closed while the lock is held, so no later start can find a dead socket of ours.
        delete m_acceptor;
        ::close(m_listener);
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
    if (m_serverPath.isEmpty() || !QDir::isAbsolutePath(m_serverPath) || !fitsSocketAddress(m_serverPath)
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
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // Whatever lies at the path was left by an instance that has ended.
    const QByteArray name = QFile::encodeName(m_serverPath);
    ::unlink(name.constData());
    const sockaddr_un address = addressOf(m_serverPath);
    // The folder is the user's alone already; the socket is made so as well.
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::chmod(name.constData(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    m_listener = fd;
    m_acceptor = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_acceptor, &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (true) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN) {
                // Out of descriptors: the waiting start stays readable, so listening pauses a moment.
                m_acceptor->setEnabled(false);
                QTimer::singleShot(acceptPauseMs, m_acceptor, [this] { m_acceptor->setEnabled(true); });
            }
            return;
        }
        auto connection = std::make_shared<Connection>(fd);
        connection->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        // The message may arrive in pieces; it is gathered until whole.
        connect(connection->notifier, &QSocketNotifier::activated, this,
                [this, connection] { readMessage(connection); });
        const std::weak_ptr<Connection> idle = connection;
        QTimer::singleShot(idleTimeoutMs, connection->notifier, [idle] {
            if (const std::shared_ptr<Connection> held = idle.lock())
                held->finish();
        });
    }
}

void SingleInstance::readMessage(const std::shared_ptr<Connection> &connection)
{
    QByteArray &message = connection->message;
    bool ended = false;
    char buffer[4096];
    while (true) {
        const ssize_t read = ::read(connection->fd, buffer, sizeof buffer);
        if (read > 0) {
            message.append(buffer, read);
            if (message.size() > messageLimit) {
                connection->finish();
                return;
            }
        } else if (read < 0 && errno == EINTR) {
            continue;
        } else {
            // A sender that ends without the closing newline still meant its path.
            ended = read == 0 || errno != EAGAIN;
            break;
        }
    }
    const qsizetype end = message.indexOf('\n', messageHead.size());
    if (end < 0 && !ended)
        return;
    // Read once: nothing more is taken from this connection.
    connection->finish();
    if (!message.startsWith(messageHead))
        return;
    const QByteArray encoded = message.mid(messageHead.size(), end < 0 ? -1 : end - messageHead.size());
    m_pending.append(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded)));
    if (!ended)
        sendAll(connection->fd, answerOk, QDeadlineTimer(connectTimeoutMs));
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
    if (m_listener >= 0 || m_serverPath.isEmpty())
        return false;
    const int fd = connectTo(m_serverPath, QDeadlineTimer(connectTimeoutMs));
    if (fd < 0)
        return false;
    const QDeadlineTimer deadline(answerTimeoutMs);
    QByteArray answer;
    if (sendAll(fd, messageHead + absolutePath.toUtf8().toPercentEncoding("/") + '\n', deadline)) {
        char buffer[16];
        while (!answer.contains('\n') && answer.size() <= answerOk.size()) {
            const ssize_t read = ::read(fd, buffer, sizeof buffer);
            if (read > 0)
                answer.append(buffer, read);
            else if (read == 0 || (errno != EINTR && (errno != EAGAIN || !waitFor(fd, POLLIN, deadline))))
                break;
        }
    }
    ::close(fd);
    return answer == answerOk;
}

} // namespace Tarvosk
