#include "app/dropdownpanel.h"
#include "app/form8.h"
#include "app/iconbutton.h"
#include "app/sheetpage.h"
#include "app/sheettoolbar.h"
#include "app/windowplacement.h"
#include "sheet/sheetdocument.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "support/recordingmessages.h"

#include <QAction>
#include <QFile>
#include <QMimeData>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

using Answer = MessageService::Answer;

namespace {

// A sheet window over a temporary settings file, with recorded messages.
struct Fixture
{
    Fixture()
        : settings(dir.filePath(u"Tarvosk.conf"_s))
    {
    }

    std::unique_ptr<Form8> window()
    {
        return std::make_unique<Form8>(SheetWindowContext{settings, messages, document});
    }

    // An edit the user has not saved.
    void editSheet() { QVERIFY(document.setValue(0, u"Hans Gruber"_s)); }

    QTemporaryDir dir;
    SettingsStore settings;
    RecordingMessages messages;
    SheetDocument document;
};

void showAndActivate(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint globalPos, Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent event(type, widget->mapFromGlobal(globalPos), globalPos, button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QPoint centreOf(const QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

} // namespace

class TestForm8 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closingAsksToSaveUnsavedWork_data();
    void closingAsksToSaveUnsavedWork();
    void newCharacterAsksThenRaisesTheFlag_data();
    void newCharacterAsksThenRaisesTheFlag();
    void geometryComesBackInTheNextWindow();
    void toolbarOnlyModeAndSmallestLayout();
    void dropDownMenusListRecentFilesAndSaving();
    void handOffReadsAndClearsThePath();
    void shortcutsTriggerTheirCommands_data();
    void shortcutsTriggerTheirCommands();
    void deleteAsksFirst();
    void onlyFileDraggedFilesAreTakenIn();
    void toolbarFollowsThePatternAndOffersItsMenu();
};

void TestForm8::closingAsksToSaveUnsavedWork_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("alwaysWord");
    QTest::addColumn<bool>("beginNewCharacter");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");

    QTest::newRow("saved sheet") << false << u"0"_s << false << Answer::Yes << false << true;
    QTest::newRow("unsaved, no") << true << u"0"_s << false << Answer::No << true << true;
    // Saving cannot succeed yet: the window stays open and nothing is lost.
    QTest::newRow("unsaved, yes, save failed") << true << u"0"_s << false << Answer::Yes << true << false;
    QTest::newRow("unsaved, AlwaysWord") << true << u"1"_s << false << Answer::Yes << false << true;
    QTest::newRow("new character begun") << true << u"0"_s << true << Answer::Yes << false << true;
}

void TestForm8::closingAsksToSaveUnsavedWork()
{
    QFETCH(bool, edited);
    QFETCH(QString, alwaysWord);
    QFETCH(bool, beginNewCharacter);
    QFETCH(Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);

    Fixture fixture;
    fixture.settings.write(Settings::AlwaysWord, alwaysWord);
    if (edited)
        fixture.editSheet();
    auto form = fixture.window();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->windowTitle(), u"Valdris 1880 Character Creator"_s);
    if (beginNewCharacter) {
        fixture.messages.answers = {Answer::No};
        QTest::mouseClick(form->toolbar()->icon(SheetToolbar::NewButton), Qt::LeftButton);
        QVERIFY(form->isNewCharacter());
        fixture.messages.shown.clear();
    }

    fixture.messages.answers = {answer};
    QCOMPARE(form->close(), closed);
    QCOMPARE(form->isVisible(), !closed);
    QCOMPARE(fixture.messages.shown.size(), asked ? 1 : 0);
    if (asked) {
        const RecordingMessages::Shown &question = fixture.messages.shown.constFirst();
        QCOMPARE(question.text, u"Charakter speichern ?"_s);
        QCOMPARE(question.title, u"Warnung"_s);
        QCOMPARE(question.icon, MessageService::Icon::Question);
        QCOMPARE(question.buttons, MessageService::Buttons::YesNo);
    }
}

void TestForm8::newCharacterAsksThenRaisesTheFlag_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("alwaysWord");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("started");

    QTest::newRow("saved sheet") << false << u"0"_s << Answer::Yes << false << true;
    QTest::newRow("unsaved, no") << true << u"0"_s << Answer::No << true << true;
    // Yes saves and stops there; the user starts the new character with a second click.
    QTest::newRow("unsaved, yes") << true << u"0"_s << Answer::Yes << true << false;
    QTest::newRow("unsaved, AlwaysWord") << true << u"1"_s << Answer::Yes << false << true;
}

void TestForm8::newCharacterAsksThenRaisesTheFlag()
{
    QFETCH(bool, edited);
    QFETCH(QString, alwaysWord);
    QFETCH(Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, started);

    Fixture fixture;
    fixture.settings.write(Settings::AlwaysWord, alwaysWord);
    if (edited)
        fixture.editSheet();
    auto form = fixture.window();
    form->show();
    QSignalSpy requests(form.get(), &Form8::newCharacterRequested);
    fixture.messages.answers = {answer};
    QTest::mouseClick(form->toolbar()->icon(SheetToolbar::NewButton), Qt::LeftButton);
    QCOMPARE(fixture.messages.shown.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(fixture.messages.shown.constFirst().text, u"Charakter speichern ?"_s);
    QCOMPARE(requests.count(), started ? 1 : 0);
    QCOMPARE(form->isNewCharacter(), started);
}

// The window opens where the last one was closed, with its size; the double-click fits it to the page.
void TestForm8::geometryComesBackInTheNextWindow()
{
    Fixture fixture;
    auto first = fixture.window();
    // Without a remembered size: 9375 x 7140 twips, frame included.
    QCOMPARE(first->size().grownBy(WindowPlacement::frameMargins(*first)), QSize(9375 / 15, 7140 / 15));
    first->show();
    QVERIFY(QTest::qWaitForWindowExposed(first.get()));
    const QRect place(130, 90, 700, 420);
    first->setGeometry(place);
    QTRY_COMPARE(first->geometry(), place);
    QVERIFY(first->close());
    first.reset();

    auto second = fixture.window();
    QCOMPARE(second->geometry(), place);
    second->show();
    QVERIFY(QTest::qWaitForWindowExposed(second.get()));

    // On the page a double-click is the page's; beside it, it gives the width that shows the page whole.
    QWidget *viewport = second->paper()->viewport();
    const QMargins frame = WindowPlacement::frameMargins(*second);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, second->page()->geometry().center());
    QCOMPARE(second->width(), 700);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(second->width() + frame.left() + frame.right(), 9375 / 15);
    QCOMPARE(second->height(), 420);
}

void TestForm8::toolbarOnlyModeAndSmallestLayout()
{
    Fixture fixture;
    fixture.settings.write(Settings::SheetWindow, u"height", u"9000"_s);
    fixture.settings.write(Settings::AlwaysWord, u"1"_s);
    auto form = fixture.window();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(form->isToolbarOnly());
    QCOMPARE(form->height(), form->toolbar()->height());
    QVERIFY(form->paper()->geometry().top() >= form->height());
    QVERIFY(form->close());
    // The full sheet's height is kept for when the option is off again.
    QCOMPARE(fixture.settings.read(Settings::SheetWindow, u"height"), u"9000"_s);

    // Below 617 x 100 the window is laid out as at 617 x 100.
    fixture.settings.write(Settings::AlwaysWord, u"0"_s);
    form = fixture.window();
    QVERIFY(!form->isToolbarOnly());
    form->show();
    form->resize(617, 100);
    const QRect smallest = form->paper()->geometry();
    const int toolbarWidth = form->toolbar()->width();
    form->resize(300, 40);
    QCOMPARE(form->paper()->geometry(), smallest);
    QCOMPARE(form->toolbar()->width(), toolbarWidth);
    // At the smallest width the page shows whole, beside its scroll bar.
    QVERIFY(form->paper()->viewport()->width() >= form->page()->width());
}

void TestForm8::dropDownMenusListRecentFilesAndSaving()
{
    Fixture fixture;
    fixture.settings.write(Settings::Recent, u"0", u"/home/spieler/Helden/Ada.tvk"_s);
    fixture.settings.write(Settings::Recent, u"1", u"C:\\Spiele\\Tom & Jerry.tvk"_s);
    fixture.settings.write(Settings::Recent, u"2", u"C:\\Spiele\\"_s);
    auto form = fixture.window();
    showAndActivate(*form);
    SheetToolbar *toolbar = form->toolbar();
    DropDownPanel *panel = toolbar->panel();

    // Enter on the focused arrow opens the recent files.
    IconButton *recentArrow = toolbar->dropDown(SheetToolbar::OpenButton);
    recentArrow->setFocus();
    QTest::keyClick(recentArrow, Qt::Key_Return);
    QTRY_VERIFY(panel->isVisible());
    QCOMPARE(toolbar->openDropDown(), int(SheetToolbar::OpenButton));
    QCOMPARE(panel->rowCount(), 4);
    QCOMPARE(panel->rowText(0), u"Ada.tvk"_s);
    QCOMPARE(panel->rowText(1), u"Tom & Jerry.tvk"_s);
    QCOMPARE(panel->rowText(2), u"(leer)"_s);
    QCOMPARE(panel->rowText(3), u"(leer)"_s);
    QVERIFY(panel->rowAction(0)->isEnabled());
    QVERIFY(!panel->rowAction(3)->isEnabled());
    QVERIFY(panel->geometry().top() >= toolbar->mapToGlobal(QPoint(0, toolbar->height())).y());

    // Pointing at the other arrow's icon shows its menu; at an icon without one, the menu closes.
    sendMouse(panel, QEvent::MouseMove, centreOf(toolbar->icon(SheetToolbar::SaveButton)));
    QTRY_VERIFY(panel->isVisible());
    QCOMPARE(toolbar->openDropDown(), int(SheetToolbar::SaveButton));
    QCOMPARE(panel->rowCount(), 2);
    QCOMPARE(panel->rowText(0), u"Speichern"_s);
    QCOMPARE(panel->rowText(1), u"Speichern unter"_s);
    sendMouse(panel, QEvent::MouseMove, centreOf(toolbar->icon(SheetToolbar::PrintButton)));
    QTRY_VERIFY(!panel->isVisible());
    QCOMPARE(toolbar->openDropDown(), -1);

    // A row chosen closes the menu and does its work.
    QSignalSpy saves(toolbar, &SheetToolbar::saveChosen);
    QTest::mouseClick(toolbar->dropDown(SheetToolbar::SaveButton), Qt::LeftButton);
    QTRY_VERIFY(panel->isVisible());
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->actionGeometry(panel->rowAction(1)).center());
    QCOMPARE(saves.count(), 1);
    QCOMPARE(saves.constFirst().constFirst().toBool(), true);
    QTRY_VERIFY(!panel->isVisible());
    QCOMPARE(toolbar->markedLeft(), -1);
}

void TestForm8::handOffReadsAndClearsThePath()
{
    Fixture fixture;
    auto form = fixture.window();
    form->Form_DblClick(); // nothing handed over: nothing happens
    // The second start is another process: the path reaches the file, not this store.
    const QString path = u"/home/spieler/Helden/Ada.tvk"_s;
    QFile file(fixture.settings.fileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Temp]\nLoad=" + path.toUtf8() + '\n');
    file.close();
    form->Form_DblClick();
    QCOMPARE(fixture.settings.read(Settings::HandOffPath), QString());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains(path.toUtf8()));
}

void TestForm8::shortcutsTriggerTheirCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<Form8::Command>("command");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");

    QTest::newRow("new") << int(Qt::Key_N) << Qt::KeyboardModifiers(Qt::ControlModifier)
                         << Form8::Command::NewCharacter << u"imgButton_0"_s << u"Strg+N"_s;
    QTest::newRow("open") << int(Qt::Key_O) << Qt::KeyboardModifiers(Qt::ControlModifier) << Form8::Command::Open
                          << u"imgButton_1"_s << u"Strg+O"_s;
    QTest::newRow("save") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::ControlModifier) << Form8::Command::Save
                          << u"imgButton_2"_s << u"Strg+S"_s;
    QTest::newRow("save as") << int(Qt::Key_S) << (Qt::ControlModifier | Qt::ShiftModifier)
                             << Form8::Command::SaveAs << u"imgDropDown_2"_s << u"Strg+Umschalt+S"_s;
    QTest::newRow("print") << int(Qt::Key_P) << Qt::KeyboardModifiers(Qt::ControlModifier) << Form8::Command::Print
                           << u"imgButton_3"_s << u"Strg+P"_s;
}

void TestForm8::shortcutsTriggerTheirCommands()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(Form8::Command, command);
    QFETCH(QString, button);
    QFETCH(QString, shown);

    Fixture fixture;
    auto form = fixture.window();
    showAndActivate(*form);
    QSignalSpy triggered(form->command(command), &QAction::triggered);
    QSignalSpy newCharacter(form.get(), &Form8::newCharacterRequested);
    QTest::keyClick(form.get(), Qt::Key(key), modifiers);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(newCharacter.count(), command == Form8::Command::NewCharacter ? 1 : 0);
    auto *icon = form->findChild<IconButton *>(button);
    QVERIFY(icon);
    QVERIFY2(icon->toolTip().endsWith(u" ("_s + shown + u')'), qPrintable(icon->toolTip()));
}

void TestForm8::deleteAsksFirst()
{
    Fixture fixture;
    auto form = fixture.window();
    form->show();
    fixture.messages.answers = {Answer::No};
    QTest::mouseClick(form->toolbar()->icon(SheetToolbar::DeleteButton), Qt::LeftButton);
    QCOMPARE(fixture.messages.shown.size(), 1);
    const RecordingMessages::Shown &question = fixture.messages.shown.constFirst();
    QCOMPARE(question.text, u"Charakter unwiederruflich löschen ?"_s);
    QCOMPARE(question.title, u"Löschen"_s);
    QCOMPARE(question.icon, MessageService::Icon::Question);
    QCOMPARE(question.buttons, MessageService::Buttons::YesNo);
}

// A drag is offered a copy only when it carries a file.
void TestForm8::onlyFileDraggedFilesAreTakenIn()
{
    Fixture fixture;
    auto form = fixture.window();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const auto offered = [&form](const QMimeData &data) {
        QDragEnterEvent enter(QPoint(40, 200), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    };
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(u"/home/spieler/Helden/Ada.tvk"_s)});
    QVERIFY(offered(file));
    QMimeData text;
    text.setText(u"Ada"_s);
    QVERIFY(!offered(text));
}

void TestForm8::toolbarFollowsThePatternAndOffersItsMenu()
{
    Fixture fixture;
    fixture.settings.write(Settings::Wallpaper, u"4"_s);
    auto form = fixture.window();
    form->show();
    SheetToolbar *toolbar = form->toolbar();
    QVERIFY(toolbar->hasPattern());
    // The main window's pattern menu stores the choice.
    fixture.settings.write(Settings::Wallpaper, u"0"_s);
    QVERIFY(!toolbar->hasPattern());

    QSignalSpy menus(form.get(), &Form8::patternMenuRequested);
    const QPoint strip(toolbar->width() - 40, 10);
    QTest::mouseClick(toolbar, Qt::RightButton, {}, strip);
    QCOMPARE(menus.count(), 1);
    QCOMPARE(menus.constFirst().constFirst().toPoint(), toolbar->mapToGlobal(strip));
}

QTEST_MAIN(TestForm8)
#include "tst_form8.moc"
