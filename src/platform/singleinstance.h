#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QSocketNotifier;

namespace Tarvosk {

// Keeps the program to one running instance per user and settings store. A
// later start finds the running one, hands it a path and ends; the running one
// announces each path with handOffRequested().
//
// The server is a Unix socket in a folder only the user can enter, spoken to
// with the system's calls: Qt's network module, with the libraries it brings,
// would load at every start for this alone. A lock file
// beside it, held by the running instance for its whole life, decides who
// runs, so simultaneous starts end with one running instance and a socket
// left by a killed one is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role { Primary, Secondary, Failed };

    // The socket's full path for a settings file, in $XDG_RUNTIME_DIR, or in
    // a private folder of our own under the temporary folder when that is
    // unsafe. Empty when neither folder is safe to use.
    static QString serverPathFor(const QString &settingsFile);

    explicit SingleInstance(QString serverPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    QString serverPath() const;

    // Becomes the running instance (Primary) or finds it (Secondary). Failed
    // when the folder is unsafe, the server cannot listen, or a running
    // instance holds the lock but does not answer. A later call gives the
    // first call's role.
    Role claim();
    Role role() const;

    // Sends the running instance an absolute path (empty: just come to the
    // front) and waits until it has read the whole message; true then.
    bool handOff(const QString &absolutePath) const;

Q_SIGNALS:
    // Emitted from the event loop, never inside the socket's own handler, and
    // never while a receiver of the previous hand-off has not yet returned,
    // so a receiver may ask the user in a modal dialog.
    void handOffRequested(const QString &path);

private:
    struct Connection;

    Role takeLockOrConnect();
    bool startServer();
    void acceptConnections();
    void readMessage(const std::shared_ptr<Connection> &connection);
    void deliverNext();

    QString m_serverPath;
    Role m_role = Role::Failed;
    bool m_claimed = false;
    int m_lockFile = -1;
    int m_listener = -1;
    QSocketNotifier *m_acceptor = nullptr;
    QStringList m_pending;
    bool m_delivering = false;
};

} // namespace Tarvosk
