#include "widgets/dropdownpanel.h"
#include "sheetwindow/form8.h"
#include "widgets/iconbutton.h"
#include "widgets/windowplacement.h"
#include "sheetwindow/equipmentpane.h"
#include "sheetwindow/sheetpage.h"
#include "sheetwindow/sheettoolbar.h"
#include "formats/sheetformats.h"
#include "session/charactersession.h"
#include "sheet/sheetdocument.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "support/recordingmessages.h"
#include "support/scriptedfiledialogs.h"
#include "support/testfiles.h"

#include <QAccessible>
#include <QAction>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

using Answer = MessageService::Answer;

namespace {

// Sheet windows over a temporary settings file, with recorded messages.
struct Fixture
{
    explicit Fixture(bool openNow = false) { if (openNow) open(); }

    // A new window, shown and active, in place of the one before; it opens no Word document and prints to PDF.
    void open()
    {
        form = std::make_unique<Form8>(SheetWindowContext{settings, messages, session, dialogs,
                                                          [](const QUrl &) { return true; },
                                                          [] { return std::unique_ptr<QPrinter>(); }});
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(u"Tarvosk.conf"_s)};
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    SheetFormats formats{settings};
    CharacterSession session{{settings, messages, dialogs, formats.all()}};
    SheetDocument &document = session.document();
    std::unique_ptr<Form8> form;
};

// Whether "Neu" is clicked first, the sheet edited, "AlwaysWord", the answer, questions asked, the window closed.
struct QuestionCase { bool newFirst, edited; QString alwaysWord; Answer answer; int asked; bool closed; };

} // namespace

class TestForm8 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Closing and "Neu" ask before unsaved work goes, unless the window is the toolbar alone.
    void saveQuestionGuardsClosingAndNewCharacter_data()
    {
        QTest::addColumn<QuestionCase>("c");
        QTest::newRow("saved") << QuestionCase{false, false, u"0"_s, Answer::Yes, 0, true};
        QTest::newRow("unsaved, no") << QuestionCase{false, true, u"0"_s, Answer::No, 1, true};
        // The save dialog is cancelled: the window stays open and nothing is lost.
        QTest::newRow("unsaved, yes, save failed") << QuestionCase{false, true, u"0"_s, Answer::Yes, 1, false};
        QTest::newRow("unsaved, AlwaysWord") << QuestionCase{false, true, u"1"_s, Answer::Yes, 0, true};
        // No begins the new character, whose window then closes unasked; Yes only saves, so closing asks again.
        QTest::newRow("new, no") << QuestionCase{true, true, u"0"_s, Answer::No, 1, true};
        QTest::newRow("new, yes") << QuestionCase{true, true, u"0"_s, Answer::Yes, 2, false};
    }

    void saveQuestionGuardsClosingAndNewCharacter()
    {
        QFETCH(QuestionCase, c);
        Fixture f;
        f.settings.write(Settings::AlwaysWord, c.alwaysWord);
        if (c.edited)
            QVERIFY(f.document.setValue(0, u"Hans Gruber"_s));
        f.open();
        QSignalSpy requests(f.form.get(), &Form8::newCharacterRequested);
        f.messages.answers = {c.answer, c.answer};
        if (c.newFirst)
            QTest::mouseClick(f.form->toolbar()->icon(SheetToolbar::NewButton), Qt::LeftButton);
        QCOMPARE(requests.count(), int(c.newFirst && c.closed));
        QCOMPARE(f.form->close(), c.closed);
        QCOMPARE(f.messages.shown.size(), c.asked);
        for (const RecordingMessages::Shown &question : std::as_const(f.messages.shown))
            QCOMPARE(question.text, u"Charakter speichern ?"_s);
    }

    // The window opens where the last one closed; toolbar-only with "AlwaysWord", the full height kept for later.
    void geometryComesBackInTheNextWindow()
    {
        Fixture f(true);
        const QRect place(60, 90, 700, 420);
        f.form->setGeometry(place);
        QTRY_COMPARE(f.form->geometry(), place);
        QVERIFY(f.form->close());
        f.settings.write(Settings::AlwaysWord, u"1"_s);
        f.open();
        QVERIFY(f.form->isToolbarOnly());
        QCOMPARE(f.form->geometry(), QRect(place.topLeft(), QSize(700, f.form->toolbar()->height())));
        QVERIFY(f.form->close());
        f.settings.write(Settings::AlwaysWord, u"0"_s);
        f.open();
        QCOMPARE(f.form->geometry(), place);

        // A double-click beside the page fits the width to it; on the page it is the page's.
        QWidget *viewport = f.form->paper()->viewport();
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, f.form->page()->geometry().center());
        QCOMPARE(f.form->width(), 700);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(3, 3));
        QTRY_VERIFY(f.form->width() < 700 && viewport->width() >= f.form->page()->width());
        // Below 617 x 100 the window is laid out as at 617 x 100.
        f.form->resize(617, 100);
        const QRect smallest = f.form->paper()->geometry();
        f.form->resize(300, 40);
        QCOMPARE(f.form->paper()->geometry(), smallest);
    }

    // Each start, the frame is known only once the first window shows: five starts leave the size as it was.
    void sizeHoldsFromStartToStart()
    {
        Fixture f;
        f.settings.write(Settings::SheetWindow, u"width"_s, u"9000"_s);
        f.settings.write(Settings::SheetWindow, u"height"_s, u"7500"_s);
        const QMargins before = WindowPlacement::assumedFrame();
        for (int start = 0; start < 5; ++start) {
            WindowPlacement::setAssumedFrame({});
            f.open();
            QVERIFY(f.form->close());
            QCOMPARE(f.settings.read(Settings::SheetWindow, u"width"_s) + u'x' + f.settings.read(Settings::SheetWindow, u"height"_s),
                     u"9000x7500"_s);
        }
        WindowPlacement::setAssumedFrame(before);
    }

    // A screen reader finds a name for every toolbar button; the keys the tips name are Qt's, in German.
    void toolbarButtonsAreNamedWithQtsKeys()
    {
        QTranslator german;
        QVERIFY(german.load(QLocale(QLocale::German, QLocale::Germany), u"qtbase"_s, u"_"_s,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&german);
        Fixture f(true);
        QCoreApplication::removeTranslator(&german);
        SheetToolbar *toolbar = f.form->toolbar();
        for (QWidget *button : toolbar->buttonsInOrder()) {
            const QAccessibleInterface *face = QAccessible::queryAccessibleInterface(button);
            QCOMPARE(face->role(), QAccessible::Button);
            QCOMPARE(face->text(QAccessible::Name), button->toolTip());
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName()));
        }
        QCOMPARE(toolbar->icon(SheetToolbar::SaveButton)->toolTip(), u"Speichern (Strg+S)"_s);
        QCOMPARE(toolbar->dropDown(SheetToolbar::SaveButton)->toolTip(), u"Speichern unter (Strg+Umschalt+S)"_s);
    }

    // The keys scroll the sheet from the start, and the page shows it; Tab leads on to the toolbar.
    void focusShowsOnPageAndToolbar()
    {
        Fixture f(true);
        QTRY_VERIFY(f.form->paper()->hasFocus());
        QVERIFY(f.form->page()->isFocusShown());
        QTest::keyClick(f.form->paper(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.form->toolbar()->icon(SheetToolbar::NewButton));
        QVERIFY(!f.form->page()->isFocusShown());
    }

    // Ctrl+Z takes back an edit made in place, Ctrl+Y and Ctrl+Shift+Z bring it again; the equipment
    // menu names the step and greys out what there is none of.
    void undoAndRedoByKeysAndMenu()
    {
        Fixture f(true);
        SheetPage *page = f.form->page();
        QAction *undo = f.form->command(Form8::Command::Undo);
        QAction *redo = f.form->command(Form8::Command::Redo);
        QVERIFY(page->equipmentPane()->menu()->actions().contains(undo));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());

        const QPoint name = page->pageTransform().mapRect(SheetLayout::captionRect(CharacterSheet::nameCaption)).center();
        QTest::mouseClick(page, Qt::LeftButton, {}, name);
        QTest::keyClicks(page->textEditor(), u"Ada"_s);
        QTest::keyClick(page->textEditor(), Qt::Key_Return);
        QCOMPARE(f.document.sheet().caption(CharacterSheet::nameCaption), u"Ada"_s);
        QVERIFY(undo->isEnabled() && undo->text() == u"Rückgängig: Bezeichnung"_s && !redo->isEnabled());

        QTest::keyClick(f.form.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.document.sheet().caption(CharacterSheet::nameCaption), QString());
        QVERIFY(f.document.isSaved() && !undo->isEnabled() && redo->text() == u"Wiederholen: Bezeichnung"_s);
        QTest::keyClick(f.form.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.document.sheet().caption(CharacterSheet::nameCaption), u"Ada"_s);
        QTest::keyClick(f.form.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(f.form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.document.sheet().caption(CharacterSheet::nameCaption), u"Ada"_s);
        QVERIFY(!f.document.isSaved());
    }

    // Ctrl+Shift+P and the print menu's second row preview the one page in the settings' orientation, printerless.
    void printPreviewShowsThePage()
    {
        Fixture f;
        f.settings.write(Settings::Orientation, u"1"_s);
        f.open();
        QList<std::pair<int, QPageLayout::Orientation>> shown;
        QTimer looker;
        connect(&looker, &QTimer::timeout, [&shown] {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            const auto *pages = preview->findChild<QPrintPreviewWidget *>();
            shown.append({pages->pageCount(), pages->orientation()});
            preview->close();
        });
        looker.start(20);
        QTest::keyClick(f.form.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        SheetToolbar *toolbar = f.form->toolbar();
        QTest::mouseClick(toolbar->dropDown(SheetToolbar::PrintButton), Qt::LeftButton);
        DropDownPanel *panel = toolbar->panel();
        QTRY_VERIFY(panel->isVisible());
        QTest::mouseClick(panel, Qt::LeftButton, {}, panel->actionGeometry(panel->rowAction(1)).center());
        QTRY_COMPARE(shown.size(), 2);
        for (const auto &[pages, orientation] : std::as_const(shown))
            QVERIFY(pages == 1 && orientation == QPageLayout::Landscape);
        QVERIFY(f.messages.shown.isEmpty());
    }

    // A place and size stored on a larger screen, or absurd ones, still open the whole window on this one.
    void opensWhollyOnTheScreen_data()
    {
        QTest::addColumn<QStringList>("stored"); // left, top, width, height in twips
        // Other places are kept on the screen as WindowPlacement's own test shows; here the stored numbers overflow.
        QTest::newRow("far above") << QStringList{u"300"_s, u"-99999999999999"_s, u"9000"_s, u"7000"_s};
        QTest::newRow("larger than the screen") << QStringList{u"-5000"_s, u"200"_s, u"90000"_s, u"45000000000"_s};
    }

    void opensWhollyOnTheScreen()
    {
        QFETCH(QStringList, stored);
        Fixture f;
        for (int i = 0; i < 4; ++i)
            f.settings.write(Settings::SheetWindow, QStringList{u"left"_s, u"top"_s, u"width"_s, u"height"_s}[i], stored[i]);
        f.open();
        const QRect area = WindowPlacement::availableArea(), frame = f.form->frameGeometry();
        QCOMPARE(frame.size(), stored[3] == u"7000"_s ? QSize(600, 467) : area.size());
        QVERIFY2(area.contains(frame),
                 qPrintable(u"%1 x %2 at %3, %4"_s.arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())));
    }

    // The drop-downs of "Öffnen" (recent files) and "Speichern"; the toolbar's pattern and its right click.
    void toolbarMenus()
    {
        Fixture f;
        f.settings.write(Settings::Wallpaper, u"4"_s);
        f.settings.write(Settings::Recent, u"0", u"/home/spieler/Helden/Ada.tvk"_s);
        f.settings.write(Settings::Recent, u"1", u"C:\\Spiele\\Tom & Jerry.tvk"_s);
        f.settings.write(Settings::Recent, u"2", u"C:\\Spiele\\"_s);
        f.open();
        SheetToolbar *toolbar = f.form->toolbar();
        DropDownPanel *panel = toolbar->panel();
        QTest::mouseClick(toolbar->dropDown(SheetToolbar::OpenButton), Qt::LeftButton);
        QTRY_VERIFY(panel->isVisible());
        QStringList rows;
        for (int row = 0; row < panel->rowCount(); ++row)
            rows << panel->rowText(row);
        QCOMPARE(rows, (QStringList{u"Ada.tvk"_s, u"Tom & Jerry.tvk"_s, u"(leer)"_s, u"(leer)"_s}));
        QVERIFY(panel->rowAction(1)->isEnabled() && !panel->rowAction(2)->isEnabled());

        // Pointing at the save icon switches to its menu, at one without a menu closes it.
        const auto pointAt = [toolbar, panel](int icon) {
            const QPoint at = toolbar->icon(icon)->mapToGlobal(QPoint(8, 8));
            QMouseEvent move(QEvent::MouseMove, panel->mapFromGlobal(at), at, Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(panel, &move);
        };
        pointAt(SheetToolbar::SaveButton);
        QTRY_VERIFY(panel->isVisible() && toolbar->openDropDown() == SheetToolbar::SaveButton);
        pointAt(SheetToolbar::WordButton);
        QTRY_VERIFY(!panel->isVisible());
        // The second row of the save menu saves under a new name.
        QTest::mouseClick(toolbar->dropDown(SheetToolbar::SaveButton), Qt::LeftButton);
        QTRY_VERIFY(panel->isVisible());
        QSignalSpy saveAs(f.form->command(Form8::Command::SaveAs), &QAction::triggered);
        QTest::mouseClick(panel, Qt::LeftButton, {}, panel->actionGeometry(panel->rowAction(1)).center());
        QCOMPARE(saveAs.count(), 1);
        QTRY_VERIFY(!panel->isVisible());

        QVERIFY(toolbar->hasPattern());
        f.settings.write(Settings::Wallpaper, u"0"_s);
        QVERIFY(!toolbar->hasPattern());
        QSignalSpy patternMenus(f.form.get(), &Form8::patternMenuRequested);
        QTest::mouseClick(toolbar, Qt::RightButton, {}, QPoint(toolbar->width() - 40, 10));
        QCOMPARE(patternMenus.count(), 1);
    }

    // Only a drag that carries a file is offered a copy; the drop asks before the unsaved sheet goes, after the drag.
    void fileComesInByDrag()
    {
        Fixture f;
        const QString file = f.dir.filePath(u"Ada.tvk"_s);
        CharacterSheet ada;
        ada.setCaption(CharacterSheet::nameCaption, u"Ada"_s);
        QVERIFY(writeFile(file, CharacterFile::encode(ada, {})));
        f.document.setValue(0, u"ungespeichert"_s);
        f.open();
        QMimeData dragged, text;
        dragged.setUrls({QUrl::fromLocalFile(file)});
        text.setText(u"Ada"_s);
        for (const QMimeData *data : {&dragged, &text}) {
            QDragEnterEvent enter(QPoint(40, 200), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(f.form.get(), &enter);
            QCOMPARE(enter.isAccepted() && enter.dropAction() == Qt::CopyAction, data == &dragged);
        }
        f.messages.answers = {Answer::No};
        QDropEvent drop(QPointF(40, 200), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QApplication::sendEvent(f.form.get(), &drop);
        QVERIFY(f.messages.shown.isEmpty());
        QTRY_COMPARE(f.document.sheet().caption(CharacterSheet::nameCaption), u"Ada"_s);
        QCOMPARE(f.messages.shown.size(), 1);
    }

    // Each key and icon triggers its command; a dialog it opens is closed as soon as it shows.
    void keysAndIconsTriggerTheirCommands()
    {
        using C = Form8::Command;
        const std::tuple<const char16_t *, int, C> cases[] = {
            {u"Ctrl+N", 0, C::NewCharacter}, {u"Ctrl+O", 1, C::Open}, {u"Ctrl+S", 2, C::Save},
            {u"Ctrl+Shift+S", -1, C::SaveAs}, {u"Ctrl+P", 3, C::Print}, {u"", 4, C::Word},
            {u"", 5, C::Settings}, {u"", 6, C::Delete}};
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        closer.start(20);
        for (const auto &[keys, icon, command] : cases) {
            Fixture f;
            f.open();
            f.messages.answers = {Answer::No};
            QSignalSpy triggered(f.form->command(command), &QAction::triggered);
            const QKeySequence sequence(QString::fromUtf16(keys));
            if (!sequence.isEmpty())
                QTest::keySequence(f.form.get(), sequence);
            if (icon >= 0)
                QTest::mouseClick(f.form->toolbar()->icon(icon), Qt::LeftButton);
            QVERIFY2(triggered.count() == int(!sequence.isEmpty()) + int(icon >= 0), qPrintable(QString::number(icon)));
            // Only deleting asks first (the sheet is saved).
            QCOMPARE(f.messages.shown.isEmpty() ? QString() : f.messages.shown.constFirst().text,
                     command == C::Delete ? u"Charakter unwiederruflich löschen ?"_s : QString());
        }
    }
};

QTEST_MAIN(TestForm8)
#include "tst_form8.moc"
