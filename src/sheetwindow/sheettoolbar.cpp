#include "sheetwindow/sheettoolbar.h"

#include "widgets/dropdownpanel.h"
#include "widgets/iconbutton.h"
#include "storage/settingkeys.h"

#include <QMouseEvent>

#include <algorithm>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

// The keys as Qt writes them in the user's language ("Strg+S" in German).
QString keysText(const QKeySequence &keys)
{
    return keys.toString(QKeySequence::NativeText);
}

QString withKeys(const QString &text, const QKeySequence &keys)
{
    return keys.isEmpty() ? text : text + u" ("_s + keysText(keys) + u')';
}

std::vector<IconEntry> toolbarIcons()
{
    using Toolbar = SheetToolbar;
    return {
        IconEntry::ofPicture(u"imgButton_0"_s, u"new"_s, withKeys(u"Neuer Charakter"_s, Toolbar::keys(Toolbar::NewButton))),
        IconEntry::ofPicture(u"imgButton_1"_s, u"open"_s, withKeys(u"Öffnen"_s, Toolbar::keys(Toolbar::OpenButton))),
        IconEntry::ofPicture(u"imgButton_2"_s, u"save"_s, withKeys(u"Speichern"_s, Toolbar::keys(Toolbar::SaveButton))),
        IconEntry::ofPicture(u"imgButton_3"_s, u"print"_s, withKeys(u"Drucken"_s, Toolbar::keys(Toolbar::PrintButton))),
        IconEntry::ofPicture(u"imgButton_4"_s, u"word"_s, u"Datenblatt in Word"_s),
        IconEntry::ofPicture(u"imgButton_5"_s, u"settings"_s, u"Einstellungen"_s),
        IconEntry::ofPicture(u"imgButton_6"_s, u"delete"_s, u"Charakter löschen"_s),
    };
}

} // namespace

QString OnlyFile(const QString &xCompletePath)
{
    const qsizetype slash = std::max(xCompletePath.lastIndexOf(u'\\'), xCompletePath.lastIndexOf(u'/'));
    return xCompletePath.mid(slash + 1);
}

QKeySequence SheetToolbar::keys(Button button)
{
    switch (button) {
    case NewButton: return QKeySequence::New;
    case OpenButton: return QKeySequence::Open;
    case SaveButton: return QKeySequence::Save;
    case PrintButton: return QKeySequence::Print;
    default: return {};
    }
}

QKeySequence SheetToolbar::saveAsKeys()
{
    // Not every desktop's key scheme binds it.
    const QKeySequence standard(QKeySequence::SaveAs);
    return standard.isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) : standard;
}

QKeySequence SheetToolbar::previewKeys()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P);
}

SheetToolbar::SheetToolbar(const SettingsStore &settings, HoverWatch &hoverWatch, QWidget *parent)
    : IconBar(u"picControl"_s, toolbarIcons(), nullptr, Style::Toolbar, hoverWatch, parent)
    , m_settings(settings)
    , m_panel(new DropDownPanel(this))
{
    addDropDown(OpenButton, IconEntry::ofPicture(u"imgDropDown_1"_s, u"dropdown"_s, u"Zuletzt geöffnet"_s));
    addDropDown(SaveButton, IconEntry::ofPicture(u"imgDropDown_2"_s, u"dropdown"_s, withKeys(u"Speichern unter"_s, saveAsKeys())));
    addDropDown(PrintButton, IconEntry::ofPicture(u"imgDropDown_3"_s, u"dropdown"_s, withKeys(u"Druckvorschau"_s, previewKeys())));
    connect(this, &IconBar::dropDownClicked, this, &SheetToolbar::toggleDropDown);
    connect(m_panel, &DropDownPanel::rowChosen, this, &SheetToolbar::Choosen);
    connect(m_panel, &QMenu::aboutToHide, this, [this] {
        if (!m_switching)
            setOpenDropDown(-1);
    });
    m_panel->installEventFilter(this);
}

SheetToolbar::~SheetToolbar() = default;

DropDownPanel *SheetToolbar::panel() const
{
    return m_panel;
}

void SheetToolbar::toggleDropDown(int index)
{
    if (openDropDown() == index)
        m_panel->hide();
    else
        showDropDown(index);
}

void SheetToolbar::clearMarks()
{
    m_panel->hide();
    setOpenDropDown(-1);
    setMark(-1);
}

void SheetToolbar::showDropDown(int index)
{
    if (!dropDown(index))
        return;
    if (m_panel->isVisible()) {
        m_switching = true;
        m_panel->hide();
        m_switching = false;
    }
    MakeMenu(index);
    setOpenDropDown(index);
    m_panel->setAttribute(Qt::WA_NoMouseReplay, false);
    m_panel->popup(mapToGlobal(QPoint(icon(index)->x(), height())));
}

void SheetToolbar::MakeMenu(int index)
{
    std::vector<DropDownRow> rows;
    if (index == OpenButton) {
        for (int r = 0; r < Settings::RecentCount; ++r) {
            const QString path = m_settings.read(Settings::Recent, QString::number(r));
            const QString file = OnlyFile(path);
            if (file.isEmpty())
                rows.emplace_back(u"(leer)"_s, QString(), QString(), false);
            else
                rows.emplace_back(file, QString(), path);
        }
    } else if (index == SaveButton) {
        rows.emplace_back(u"Speichern"_s, keysText(keys(SaveButton)));
        rows.emplace_back(u"Speichern unter"_s, keysText(saveAsKeys()));
    } else {
        rows.emplace_back(u"Drucken"_s, keysText(keys(PrintButton)));
        rows.emplace_back(u"Druckvorschau"_s, keysText(previewKeys()));
    }
    m_menu = index;
    m_panel->setRows(rows);
}

void SheetToolbar::Choosen(int row)
{
    if (m_menu == SaveButton) {
        if (row == 0 || row == 1)
            Q_EMIT saveChosen(row == 1);
    } else if (m_menu == PrintButton) {
        if (row == 0 || row == 1)
            Q_EMIT printChosen(row == 1);
    } else if (m_menu == OpenButton) {
        Q_EMIT recentFileChosen(row);
    }
}

int SheetToolbar::iconAt(QPoint globalPos) const
{
    const QPoint pos = mapFromGlobal(globalPos);
    for (int i = 0; icon(i); ++i) {
        if (iconArea(i).contains(pos))
            return i;
    }
    return -1;
}

// The open menu has the pointer to itself; what the pointer does over the toolbar is read here.
bool SheetToolbar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_panel)
        return IconBar::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        if (!m_panel->geometry().contains(at)) {
            const int index = iconAt(at);
            if (index >= 0 && index != openDropDown()) {
                if (dropDown(index))
                    showDropDown(index);
                else
                    m_panel->hide();
            }
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A press on the open menu's arrow only closes the menu; one elsewhere goes on to what it hits.
        const QPoint at = mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        const IconButton *arrow = dropDown(openDropDown());
        if (arrow && arrow->geometry().contains(at))
            m_panel->setAttribute(Qt::WA_NoMouseReplay, true);
    }
    return IconBar::eventFilter(watched, event);
}

} // namespace Tarvosk
