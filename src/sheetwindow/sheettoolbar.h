#pragma once

#include "widgets/iconbar.h"

#include <QKeySequence>

namespace Tarvosk {

class DropDownPanel;
class SettingsStore;

// The file name of a path: what follows its last "\" or "/"; the whole path
// when it has neither; empty when it ends with one.
QString OnlyFile(const QString &xCompletePath);

// The toolbar of the sheet window (picControl): seven icons, a drop-down arrow
// beside "Öffnen" (the recent files), one beside "Speichern" (save, save as)
// and one beside "Drucken" (print, print preview).
// While a menu is open, pointing at the other arrow's icon opens that one's
// menu instead, and pointing at an icon without an arrow closes it.
class SheetToolbar : public IconBar
{
    Q_OBJECT

public:
    enum Button { NewButton, OpenButton, SaveButton, PrintButton, WordButton, SettingsButton, DeleteButton };

    SheetToolbar(const SettingsStore &settings, HoverWatch &hoverWatch, QWidget *parent = nullptr);

    // The keys of a button's command, Qt's standard ones, which its tip names; empty where it has none.
    static QKeySequence keys(Button button);
    static QKeySequence saveAsKeys();
    static QKeySequence previewKeys();
    ~SheetToolbar() override;

    DropDownPanel *panel() const;
    // The arrow's click: opens the menu of its button, or closes it when it is open.
    void toggleDropDown(int index);
    // Takes away the hover frame and closes the menu.
    void clearMarks();

Q_SIGNALS:
    // A row of the recent-files menu, 0 the most recent.
    void recentFileChosen(int row);
    // "Speichern" (false) or "Speichern unter" (true) from the save menu.
    void saveChosen(bool askForName);
    // "Drucken" (false) or "Druckvorschau" (true) from the print menu.
    void printChosen(bool preview);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Fills the menu of a button with an arrow.
    void MakeMenu(int index);
    void showDropDown(int index);
    void Choosen(int row);
    // The icon (with its arrow) under this screen point; -1 for none.
    int iconAt(QPoint globalPos) const;

    const SettingsStore &m_settings;
    DropDownPanel *m_panel;
    int m_menu = -1; // the button whose rows the menu holds
    bool m_switching = false;
};

} // namespace Tarvosk
