#include "sheetwindow/form8.h"

#include "print/sheetlookfromstyle.h"
#include "print/sheetprinter.h"
#include "session/charactersession.h"
#include "settings/frmsettings.h"
#include "settings/userguide.h"
#include "sheet/backgroundpattern.h"
#include "sheet/sheetdocument.h"
#include "sheet/sheetstyle.h"
#include "sheetwindow/equipmentpane.h"
#include "sheetwindow/printpreview.h"
#include "sheetwindow/sheetpage.h"
#include "sheetwindow/sheettoolbar.h"
#include "sheetwindow/wordexport.h"
#include "storage/settingkeys.h"
#include "widgets/dropdownpanel.h"
#include "widgets/hoverwatch.h"
#include "widgets/iconbutton.h"
#include "widgets/windowplacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

const QString caption = u"Valdris 1880 Character Creator"_s;

// The window is laid out as if it were at least this large.
constexpr int layoutWidth = 617;
constexpr int layoutHeight = 100;
// The paper's distances from the window's edges (the viewport is W - 32 wide and H - 56 high).
constexpr int paperLeft = 8;
constexpr int paperTop = 32;
constexpr int viewportWidthLoss = 32;
constexpr int viewportHeightLoss = 56;
// Width and height of the whole window, frame included, when none is remembered, and the width that fits the page.
constexpr double defaultWidthTwips = 9375;
constexpr double defaultHeightTwips = 7140;

// Qt's keys for undo and redo, with the other usual ones for redo.
QList<QKeySequence> undoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Undo);
    return keys.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)} : keys;
}

QList<QKeySequence> redoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &usual : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        if (!keys.contains(usual))
            keys.append(usual);
    }
    return keys;
}

// The first file of a drag's file list; empty when it carries none.
QString draggedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

Form8::Form8(SheetWindowContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_hoverWatch(new HoverWatch(this))
{
    setObjectName(u"Form8"_s);
    setWindowTitle(caption);
    setAcceptDrops(true);
    buildWindow();
    Form_Load();
}

Form8::~Form8() = default;

void Form8::buildWindow()
{
    m_toolbar = new SheetToolbar(m_context.settings, *m_hoverWatch, this);
    connect(m_toolbar, &IconBar::iconClicked, this, &Form8::imgButton_Click);
    connect(m_toolbar, &IconBar::patternMenuRequested, this, [this](QPoint at) {
        m_toolbar->clearMarks();
        Q_EMIT patternMenuRequested(at);
    });
    connect(m_toolbar, &SheetToolbar::saveChosen, this, [this](bool askForName) {
        m_page->hideEditors();
        command(askForName ? Command::SaveAs : Command::Save)->trigger();
    });
    connect(m_toolbar, &SheetToolbar::recentFileChosen, this, &Form8::recentFileChosen);
    connect(m_toolbar, &SheetToolbar::printChosen, this, [this](bool preview) {
        m_page->hideEditors();
        command(preview ? Command::PrintPreview : Command::Print)->trigger();
    });

    m_paper = new QScrollArea(this);
    m_paper->setObjectName(u"Picture1"_s);
    m_paper->viewport()->setObjectName(u"Picture1_viewport"_s);
    m_paper->viewport()->setToolTip(u"Doppelklick verkleinert passend"_s);
    m_paper->viewport()->setBackgroundRole(QPalette::Dark);
    m_paper->viewport()->installEventFilter(this);
    m_paper->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_paper->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_paper->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QScrollBar *scrollBar = m_paper->verticalScrollBar();
    scrollBar->setObjectName(u"VScroll1"_s);
    // Greyed out while the whole page shows, as there is nothing to scroll to.
    connect(scrollBar, &QScrollBar::rangeChanged, scrollBar,
            [scrollBar](int minimum, int maximum) { scrollBar->setEnabled(maximum > minimum); });

    m_page = new SheetPage(m_context.session.document());
    // A character opened shows from its top.
    connect(&m_context.session.document(), &SheetDocument::loaded, this,
            [this] { m_paper->verticalScrollBar()->setValue(0); });
    m_page->setObjectName(u"Picture2"_s);
    m_paper->setWidget(m_page);
    connect(m_page, &SheetPage::backgroundClicked, m_toolbar, &SheetToolbar::clearMarks);
    connect(m_page, &SheetPage::editorFocused, m_toolbar, &SheetToolbar::clearMarks);
    m_paper->setFocusPolicy(Qt::StrongFocus);
    m_paper->installEventFilter(this);

    addCommand(Command::NewCharacter, u"Neuer Charakter"_s, {SheetToolbar::keys(SheetToolbar::NewButton)},
               &Form8::newCharacter);
    addCommand(Command::Open, u"Öffnen"_s, {SheetToolbar::keys(SheetToolbar::OpenButton)}, &Form8::openCharacter);
    addCommand(Command::Save, u"Speichern"_s, {SheetToolbar::keys(SheetToolbar::SaveButton)}, &Form8::saveCharacter);
    addCommand(Command::SaveAs, u"Speichern unter"_s, {SheetToolbar::saveAsKeys()}, &Form8::saveCharacterAs);
    addCommand(Command::Print, u"Drucken"_s, {SheetToolbar::keys(SheetToolbar::PrintButton)}, &Form8::printCharacter);
    addCommand(Command::PrintPreview, u"Druckvorschau"_s, {SheetToolbar::previewKeys()}, &Form8::showPrintPreview);
    addCommand(Command::Undo, u"Rückgängig"_s, undoKeys(), &Form8::undo);
    addCommand(Command::Redo, u"Wiederholen"_s, redoKeys(), &Form8::redo);
    connect(&m_context.session.document(), &SheetDocument::historyChanged, this, &Form8::showHistory);
    showHistory();
    m_page->equipmentPane()->addHistoryActions(command(Command::Undo), command(Command::Redo));
    addCommand(Command::Word, u"Datenblatt in Word"_s, {}, &Form8::exportToWord);
    addCommand(Command::Settings, u"Einstellungen"_s, {}, &Form8::showSettings);
    addCommand(Command::Delete, u"Charakter löschen"_s, {}, &Form8::deleteCharacter);

    connect(&m_context.settings, &SettingsStore::settingChanged, this, &Form8::settingChanged);
    connect(&m_context.settings, &SettingsStore::sectionDeleted, this, [this] {
        showPattern();
        applyLook();
    });
}

void Form8::addCommand(Command which, const QString &text, const QList<QKeySequence> &shortcuts,
                       void (Form8::*slot)())
{
    auto *action = new QAction(text, this);
    action->setShortcuts(shortcuts);
    connect(action, &QAction::triggered, this, [this, slot] {
        // A shortcut typed in an editor keeps what was typed; a toolbar click has hidden the editor already.
        m_page->commitEditors();
        (this->*slot)();
    });
    addAction(action);
    m_commands[std::size_t(which)] = action;
}

void Form8::showHistory()
{
    const SheetDocument &document = m_context.session.document();
    const auto show = [](QAction *action, const QString &caption, const QString &step) {
        action->setText(step.isEmpty() ? caption : caption + u": "_s + step);
        action->setEnabled(!step.isEmpty());
    };
    show(command(Command::Undo), u"Rückgängig"_s, document.undoName());
    show(command(Command::Redo), u"Wiederholen"_s, document.redoName());
}

void Form8::undo()
{
    m_context.session.document().undo();
}

void Form8::redo()
{
    m_context.session.document().redo();
}

void Form8::showPrintPreview()
{
    const std::unique_ptr<QPrinter> printer = chosenPrinter();
    Tarvosk::showPrintPreview(this, printer.get(), m_context.session.document().sheet(), m_context.session.style(),
                              m_context.settings);
}

void Form8::Form_Load()
{
    const SettingsStore &settings = m_context.settings;
    m_newCharacter = false;
    m_toolbarOnly = settings.readNumber(Settings::AlwaysWord) != 0;

    // The remembered size is the whole window's, frame included.
    const QSize area = WindowPlacement::availableArea().size();
    const auto storedPixels = [&settings](QStringView key, double fallback, int largest) {
        double twips = settings.readSize(Settings::SheetWindow, key, fallback);
        if (!(twips > 0))
            twips = fallback;
        // Limited before it becomes a whole number: an absurd size must not overflow into a tiny window.
        return int(std::lround(std::clamp(twips / twipsPerPixel, 1.0, double(std::max(1, largest)))));
    };
    const int width = storedPixels(u"width", defaultWidthTwips, area.width());
    if (m_toolbarOnly)
        WindowPlacement::resizeCountingFrame(*this, QSize(width, IconBar::toolbarHeight), Qt::Horizontal);
    else
        WindowPlacement::resizeCountingFrame(*this, QSize(width, storedPixels(u"height", defaultHeightTwips, area.height())),
                                             Qt::Horizontal | Qt::Vertical);
    WindowPlacement::placeRemembered(*this, settings, Settings::SheetWindow, Qt::AlignCenter);

    showPattern();
    applyLook();
    layOut();
    // The keys scroll the sheet from the start; Tab leads on to the toolbar, which alone has it otherwise.
    if (!m_toolbarOnly)
        m_paper->setFocus();
}

void Form8::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void Form8::layOut()
{
    if (isMinimized())
        return;
    const int w = std::max(width(), layoutWidth);
    const int h = std::max(height(), layoutHeight);
    m_toolbar->setGeometry(0, 0, w, IconBar::toolbarHeight);
    // The viewport inside the paper's frame, the scroll bar beside it.
    const int extraWidth = 2 * m_paper->frameWidth() + m_paper->verticalScrollBar()->sizeHint().width();
    m_paper->setGeometry(paperLeft, paperTop, w - viewportWidthLoss + extraWidth,
                         h - viewportHeightLoss + 2 * m_paper->frameWidth());
}

void Form8::fitWidthToPage()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QMargins frame = WindowPlacement::frameMargins(*this);
    const int outer = int(defaultWidthTwips) / twipsPerPixel;
    resize(std::max(outer - frame.left() - frame.right(), 1), height());
}

void Form8::rememberGeometry()
{
    SettingsStore &settings = m_context.settings;
    const QMargins frame = WindowPlacement::frameMargins(*this);
    // A maximised window is remembered as it will come back: at its normal place and size.
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const QRect inner = normal ? geometry() : normalGeometry();
    const QRect outer = inner.marginsAdded(frame);
    const auto write = [&settings](QStringView key, int pixels) {
        settings.write(Settings::SheetWindow, key, QString::number(WindowPlacement::twipsFromPixels(pixels)));
    };
    if (normal) {
        WindowPlacement::rememberPlace(*this, settings, Settings::SheetWindow);
    } else {
        write(u"left", outer.left());
        write(u"top", outer.top());
    }
    write(u"width", outer.width());
    // The toolbar alone is no height to come back to once the whole sheet shows again.
    if (!m_toolbarOnly)
        write(u"height", outer.height());
}

void Form8::closeEvent(QCloseEvent *event)
{
    rememberGeometry();
    m_toolbar->clearMarks();
    // A sheet that was to be saved and is not stays open, so nothing is lost.
    if (!m_newCharacter && !m_context.session.maySetAside()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Form8::showPattern()
{
    const std::optional<QImage> strip =
        barPattern(m_context.settings.readNumber(Settings::Wallpaper), palette().color(QPalette::Button));
    if (strip)
        m_toolbar->setPattern(*strip);
}

void Form8::applyLook()
{
    m_page->setLook(sheetLookFromStyle(m_context.session.style()));
}

void Form8::settingChanged(const QString &section, const QString &key)
{
    if (Settings::Wallpaper.matches(section, key)) {
        showPattern();
        return;
    }
    const auto isSection = [&section](QStringView name) { return section.compare(name, Qt::CaseInsensitive) == 0; };
    if (isSection(Settings::HeadlineFont) || isSection(Settings::LabelsFont) || isSection(Settings::ValuesFont)
        || Settings::Line0On.matches(section, key) || Settings::Line1On.matches(section, key))
        applyLook();
}

bool Form8::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_paper && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        m_page->setFocusShown(event->type() == QEvent::FocusIn);
    if (watched == m_paper->viewport()) {
        const auto offPage = [this](QPoint pos) { return !m_page->geometry().contains(pos); };
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            if (offPage(static_cast<QMouseEvent *>(event)->position().toPoint())) {
                fitWidthToPage();
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
            if (offPage(static_cast<QMouseEvent *>(event)->position().toPoint()))
                backgroundClicked();
            break;
        case QEvent::ToolTip:
            // The hint belongs to the viewport, not to the page lying on it.
            if (!offPage(static_cast<QHelpEvent *>(event)->pos())) {
                QToolTip::hideText();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form8::mousePressEvent(QMouseEvent *event)
{
    backgroundClicked();
    QWidget::mousePressEvent(event);
}

void Form8::backgroundClicked()
{
    m_page->hideEditors();
    m_toolbar->clearMarks();
}

void Form8::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void Form8::dragMoveEvent(QDragMoveEvent *event)
{
    if (draggedFile(event->mimeData()).isEmpty())
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Form8::dropEvent(QDropEvent *event)
{
    const QString file = draggedFile(event->mimeData());
    if (file.isEmpty())
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // After the drop has ended: the save question must not hold the file manager's drag.
    QMetaObject::invokeMethod(this, [this, file] { m_context.session.handOff(file); }, Qt::QueuedConnection);
}

void Form8::Form_DblClick(const QString &path)
{
    m_context.session.handOff(path);
}

void Form8::imgButton_Click(int index)
{
    static constexpr std::array<Command, 7> commands{Command::NewCharacter, Command::Open,  Command::Save,
                                                     Command::Print,        Command::Word,  Command::Settings,
                                                     Command::Delete};
    if (index < 0 || index >= int(commands.size()))
        return;
    // A toolbar click drops what an editor holds.
    m_page->hideEditors();
    m_toolbar->clearMarks();
    command(commands[std::size_t(index)])->trigger();
}

void Form8::recentFileChosen(int row)
{
    m_page->hideEditors();
    m_context.session.openRecent(row);
}

void Form8::newCharacter()
{
    using SaveAnswer = CharacterSession::SaveAnswer;
    // After a Yes the user starts the new character with a second click.
    const SaveAnswer answer = m_context.session.askToSave();
    if (answer != SaveAnswer::NotDue && answer != SaveAnswer::Discarded)
        return;
    m_newCharacter = true;
    Q_EMIT newCharacterRequested();
}

void Form8::openCharacter()
{
    m_context.session.open();
}

void Form8::saveCharacter()
{
    m_context.session.save();
}

void Form8::saveCharacterAs()
{
    m_context.session.save(true);
}

std::unique_ptr<QPrinter> Form8::chosenPrinter() const
{
    return m_context.choosePrinter ? m_context.choosePrinter() : SheetPrinter::chosenPrinter(m_context.settings);
}

void Form8::printCharacter()
{
    const std::unique_ptr<QPrinter> printer = chosenPrinter();
    SheetPrinter::printSheet(printer.get(), m_context.session.document().sheet(), m_context.session.style(),
                             m_context.settings, m_context.fileDialogs, m_context.messages);
}

void Form8::exportToWord()
{
    Tarvosk::exportToWord(this, m_context.session, m_context.openDocument);
}

void Form8::showSettings()
{
    SettingsContext context{m_context.settings};
    for (std::size_t i = 0; i < context.fileIcons.size(); ++i) {
        QFile icon(u":/icons/fileicon%1.svg"_s.arg(i + 1));
        if (icon.open(QIODevice::ReadOnly))
            context.fileIcons[i] = icon.readAll();
    }
    context.showPatternMenu = [this](QPoint at) { Q_EMIT patternMenuRequested(at); };
    context.toolbarOnlyHeight = IconBar::toolbarHeight;
    context.version = QStringLiteral(TARVOSK_VERSION);
    context.homePage = userGuideUrl(QCoreApplication::applicationDirPath());
    frmSettings::showModal(this, std::move(context));
    // The dialog has sized the window for "AlwaysWord" already; the window follows the mode it chose.
    m_toolbarOnly = m_context.settings.readNumber(Settings::AlwaysWord) != 0;
    if (!m_toolbarOnly)
        m_paper->setFocus();
}

void Form8::deleteCharacter()
{
    m_context.session.deleteCharacter();
}

bool Form8::LoadCharacterFile(const QString &path)
{
    return m_context.session.openAtStart(path);
}

bool Form8::isNewCharacter() const { return m_newCharacter; }
bool Form8::isToolbarOnly() const { return m_toolbarOnly; }
SheetToolbar *Form8::toolbar() const { return m_toolbar; }
QScrollArea *Form8::paper() const { return m_paper; }
SheetPage *Form8::page() const { return m_page; }
HoverWatch *Form8::hoverWatch() const { return m_hoverWatch; }
QAction *Form8::command(Command which) const { return m_commands[std::size_t(which)]; }

} // namespace Tarvosk
