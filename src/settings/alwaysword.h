#pragma once

class QWidget;

namespace Tarvosk {

// The sheet window's height when the settings close. With "Immer nach MS Word
// exportieren" only its toolbar shows (a maximised window is restored first).
// Without it, a window that shows its toolbar alone grows again, to end 64
// pixels (960 twips) above the bottom of the screen, when there is room.
void fitSheetToAlwaysWord(QWidget &sheet, bool alwaysWord, int toolbarHeight);

} // namespace Tarvosk
