#include "app/startup.h"

#include "app/form1.h"
#include "platform/desktoptools.h"
#include "platform/installedfonts.h"
#include "platform/messageboxservice.h"
#include "platform/singleinstance.h"
#include "rules/randomsource.h"
#include "storage/filetyperegistration.h"
#include "storage/settingkeys.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>

namespace Tarvosk {

QString commandLinePath(const QStringList &arguments)
{
    QString path = arguments.mid(1).join(u' ');
    path.remove(u'"');
    return path;
}

namespace {

void registerCharacterFiles()
{
    QFile icon(QStringLiteral(":/icons/fileicon1.svg"));
    QByteArray iconData;
    if (icon.open(QIODevice::ReadOnly))
        iconData = icon.readAll();
    const FileTypeRegistration registration(DesktopPaths::fromEnvironment(), QCoreApplication::applicationFilePath(),
                                            iconData, startToolDetached);
    registration.registerFileType();
}

} // namespace

int runTarvosk(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarvosk"));
    QApplication::setApplicationName(QStringLiteral("Tarvosk"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));

    SettingsStore settings;
    const QString path = commandLinePath(QApplication::arguments());

    // One instance at a time: a later start hands its file to the running one and ends.
    SingleInstance instance(SingleInstance::serverNameFor(settings.fileName()));
    if (instance.anotherIsRunning()) {
        if (!path.isEmpty()) {
            settings.write(Settings::HandOffPath, path);
            instance.signalRunningInstance();
        }
        return 0;
    }
    instance.listen();

    SeededRandom random;
    MessageBoxService messages;
    ProgramState state;
    Form1 form(AppContext{settings, random, messages, state, installedFontNames, registerCharacterFiles});
    // A path that names no file is passed over silently.
    if (!form.Form_Load(QFileInfo(path).isFile() ? path : QString()))
        return 0; // ended on the start-up screen
    return QApplication::exec();
}

} // namespace Tarvosk
