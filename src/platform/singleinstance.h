#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace Tarvosk {

// Keeps the program to one running instance per user and settings store. A
// later start finds the running one, signals it and ends; the running one
// announces each signal with handOffRequested().
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // Instances that share a settings file share a server name, since the
    // hand-off itself travels through the settings.
    static QString serverNameFor(const QString &settingsFile);

    explicit SingleInstance(QString serverName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answers on the server name.
    bool anotherIsRunning() const;
    // Sends the hand-off signal to the running instance; true when it was delivered.
    bool signalRunningInstance() const;
    // Becomes the running instance; false when the name cannot be taken.
    bool listen();

Q_SIGNALS:
    void handOffRequested();

private:
    void readSignal();

    QString m_serverName;
    QLocalServer *m_server = nullptr;
};

} // namespace Tarvosk
