#pragma once

#include "storage/filetyperegistration.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>

namespace Tarvosk {

class SettingsStore;

// What the settings dialog needs from the program; tests give their own.
struct SettingsContext
{
    SettingsStore &settings;
    // The four pictures character files can show (SVG), the first the default.
    std::array<QByteArray, 4> fileIcons{};
    // Where the desktop keeps the character file type and its icon.
    DesktopPaths desktop = DesktopPaths::fromEnvironment();
    // "&Anpassen": the main window's pattern menu at this screen point.
    std::function<void(QPoint)> showPatternMenu{};
    // The inner height of the sheet window when it shows its toolbar alone.
    int toolbarOnlyHeight = 26;
    // For the "Über" page: the program's version ("0.1") and the maker's web page.
    QString version{};
    QUrl homePage{};
    // Opens a web page in the browser; none means the desktop's way.
    std::function<void(const QUrl &)> openUrl{};
};

} // namespace Tarvosk
