#include "app/startup.h"

#include "app/form1.h"
#include "platform/desktoptools.h"
#include "platform/installedfonts.h"
#include "platform/messageboxservice.h"
#include "platform/singleinstance.h"
#include "rules/randomsource.h"
#include "sheet/sheetdocument.h"
#include "storage/filetyperegistration.h"
#include "storage/recoverycopy.h"
#include "storage/settingkeys.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Tarvosk {

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

// A modal dialog first, then the main window, then any other window on screen.
QWidget *windowInUse(QWidget &mainWindow)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (mainWindow.isVisible())
        return &mainWindow;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog))
            return window;
    }
    return nullptr;
}

void bringToFront(QWidget &window)
{
    // Un-minimised, not un-maximised: the window comes back as the user left it.
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
    // Where the desktop refuses to hand over the focus, the window at least asks for attention.
    QApplication::alert(&window);
}

} // namespace

void answerHandOffs(SingleInstance &instance, SettingsStore &settings, QWidget &mainWindow,
                    std::function<void()> loadHandedFile)
{
    QObject::connect(&instance, &SingleInstance::handOffRequested, &mainWindow,
                     [&settings, &mainWindow, loadHandedFile = std::move(loadHandedFile)] {
        // The later start wrote the path from its own process.
        settings.reload();
        if (loadHandedFile)
            loadHandedFile();
        if (QWidget *window = windowInUse(mainWindow))
            bringToFront(*window);
    });
}

int runTarvosk(char *programName, const QString &path)
{
    int argc = 1;
    char *argv[] = {programName, nullptr};
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarvosk"));
    QApplication::setApplicationName(QStringLiteral("Tarvosk"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    // Qt's own dialogs (files, printing) speak German like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    SettingsStore settings;

    // One instance at a time: a later start hands its file over (the path
    // first, then the signal), brings the running one to the front and ends.
    SingleInstance instance(SingleInstance::serverNameFor(settings.fileName()));
    if (instance.anotherIsRunning()) {
        if (!path.isEmpty())
            settings.write(Settings::HandOffPath, path);
        instance.signalRunningInstance();
        return 0;
    }
    instance.listen();

    SeededRandom random;
    MessageBoxService messages;
    SheetDocument document;
    RecoveryCopy recovery(document, settings);
    AppContext context{settings, random, messages, document, installedFontNames, registerCharacterFiles};
    context.recovery = &recovery;
    Form1 form(context);
    // Before the start-up screen, whose dialog may already be up when a later start signals.
    answerHandOffs(instance, settings, form, [&form] { form.answerHandOff(); });
    // A path that names no file is passed over silently.
    if (!form.Form_Load(QFileInfo(path).isFile() ? path : QString()))
        return 0; // ended on the start-up screen
    const int exitCode = QApplication::exec();
    // An ordinary end: whatever was unsaved, the user was asked or chose not to be.
    recovery.discard();
    return exitCode;
}

} // namespace Tarvosk
