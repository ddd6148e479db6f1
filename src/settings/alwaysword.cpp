#include "settings/alwaysword.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Tarvosk {

namespace {

constexpr int screenBottomGap = 960 / 15;

} // namespace

void fitSheetToAlwaysWord(QWidget &sheet, bool alwaysWord, int toolbarHeight)
{
    if (alwaysWord) {
        if (sheet.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
            sheet.showNormal();
        sheet.resize(sheet.width(), toolbarHeight);
        return;
    }
    if (sheet.height() != toolbarHeight)
        return;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect outer = sheet.frameGeometry();
    const int frameHeight = outer.height() - sheet.height();
    const int height = area.bottom() + 1 - outer.top() - screenBottomGap - frameHeight;
    if (height > 0)
        sheet.resize(sheet.width(), height);
}

} // namespace Tarvosk
