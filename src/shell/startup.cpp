#include "shell/startup.h"

#include "shell/displaycheck.h"
#include "formats/sheetformats.h"
#include "platform/desktoptools.h"
#include "platform/filedialogsonscreen.h"
#include "platform/installedfonts.h"
#include "platform/messageboxservice.h"
#include "platform/singleinstance.h"
#include "rules/randomsource.h"
#include "session/charactersession.h"
#include "storage/filetyperegistration.h"
#include "storage/fontnamecheck.h"
#include "storage/recoverycopy.h"
#include "storage/settingkeys.h"
#include "wizard/form1.h"
#include "wizard/frmstartup.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>

#include <memory>
#include <utility>

namespace Tarvosk {

namespace {

QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void registerCharacterFiles()
{
    CharacterFileType files{resource(QStringLiteral(":/desktop/tarvosk-tvkfile.xml")),
                            resource(QStringLiteral(":/desktop/") + FileTypeRegistration::installedEntryName),
                            resource(QStringLiteral(":/icons/fileicon1.svg"))};
    const FileTypeRegistration registration(DesktopPaths::fromEnvironment(), QCoreApplication::applicationFilePath(),
                                            std::move(files), startToolDetached);
    registration.registerFileType();
}

// Wayland finds the window's icon through the desktop entry of this name.
QString desktopEntryInUse()
{
    const bool installed = !installedDesktopEntry(DesktopPaths::fromEnvironment()).isEmpty();
    return QFileInfo(installed ? FileTypeRegistration::installedEntryName : FileTypeRegistration::desktopEntryName)
        .completeBaseName();
}

// A modal dialog first, then the main window (none before it is built), then any other window on screen.
QWidget *windowInUse(QWidget *mainWindow)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (mainWindow && mainWindow->isVisible())
        return mainWindow;
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

QString handOffPath(const QString &commandLinePath)
{
    QString path = commandLinePath;
    path.remove(u'"');
    return path.trimmed().isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

void answerHandOffs(SingleInstance &instance, SettingsStore &settings, std::function<QWidget *()> mainWindow,
                    std::function<void(const QString &path)> openHandedFile)
{
    QObject::connect(&instance, &SingleInstance::handOffRequested, &instance,
                     [&settings, mainWindow = std::move(mainWindow),
                      openHandedFile = std::move(openHandedFile)](const QString &path) {
        // The message carries the path; the copy in the settings is spent, so it can never open again later.
        settings.reload();
        if (!settings.read(Settings::HandOffPath).isEmpty())
            settings.write(Settings::HandOffPath, QString());
        if (QWidget *window = windowInUse(mainWindow()))
            bringToFront(*window);
        if (!path.isEmpty())
            openHandedFile(path);
    });
}

int runTarvosk(char *programName, const QString &path, SettingsStore &settings, const SheetFormats &formats)
{
    int argc = 1;
    char *argv[] = {programName, nullptr};
    auto displayCheck = std::make_unique<DisplayCheck>();
    QApplication app(argc, argv);
    displayCheck.reset();
    QApplication::setOrganizationName(QStringLiteral("Tarvosk"));
    QApplication::setApplicationName(QStringLiteral("Tarvosk"));
    QGuiApplication::setDesktopFileName(desktopEntryInUse());
    // Qt's own dialogs (files, printing) speak German like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // One instance at a time: a later start stores its path (the older way),
    // hands it over in the message itself, brings the running one to the front and ends.
    SingleInstance instance(SingleInstance::serverPathFor(settings.fileName()));
    if (instance.claim() == SingleInstance::Role::Secondary) {
        const QString handed = handOffPath(path);
        if (!handed.isEmpty())
            settings.write(Settings::HandOffPath, handed);
        if (instance.handOff(handed))
            return 0;
        // Nobody took it: this start opens the file itself.
    }

    SeededRandom random;
    MessageBoxService messages;
    FileDialogsOnScreen dialogs;
    CharacterSession session({settings, messages, dialogs, formats.all(),
                              [](const QString &name) { return CheckFontName(name, installedFontNames()); },
                              RecoveryCopy::defaultPath()});
    // A logout with unsaved work keeps it for the next start.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &session,
                     [&session](QSessionManager &) { session.keepForLogout(); });
    AppContext context{settings, random, messages, session, installedFontNames, registerCharacterFiles};
    context.fileDialogs = &dialogs;
    std::unique_ptr<Form1> form;
    // From the start: a later start may hand over while the start-up screen is up and the wizard
    // not built yet. Until the sheet shows, a handed file waits in the session, as the wizard does it.
    answerHandOffs(instance, settings, [&form] { return form.get(); }, [&form, &session](const QString &handed) {
        if (form)
            form->answerHandOff(handed);
        else if (!handed.isEmpty())
            session.holdHandOff(handed);
    });
    // Every window's icon is drawn from the picture at several sizes: not on the way to the first one.
    bool iconSet = false;
    const auto setProgramIcon = [&iconSet] {
        if (!std::exchange(iconSet, true))
            QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    };
    // Where the start-up screen is the first window, it needs nothing of the wizard: it shows at
    // once, and the wizard is built at the user's choice. The rest of the start keeps its order.
    const bool screenFirst = !session.hasRecovery() && !QFileInfo(path).isFile()
                             && settings.readNumber(Settings::StartupScreen) == 1;
    if (screenFirst) {
        const StartupChoice choice = frmStartup::ask(nullptr, setProgramIcon);
        if (choice == StartupChoice::Quit)
            return 0;
        context.askStartup = [choice] { return choice; };
    }
    setProgramIcon();
    form = std::make_unique<Form1>(context);
    if (!form->Form_Load(path))
        return 0; // ended on the start-up screen
    const int exitCode = QApplication::exec();
    // An ordinary end: whatever was unsaved, the user was asked or chose not to be.
    session.end();
    return exitCode;
}

} // namespace Tarvosk
