#include "app/form1.h"
#include "app/hoverwatch.h"
#include "app/iconbar.h"
#include "app/iconbutton.h"
#include "app/patternmenu.h"
#include "formfixture.h"
#include "storage/settingkeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// The pointer moving over a widget with no button held.
void hover(QWidget *widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A window with a text box above a bar of two icons and an abort icon.
struct BarWindow
{
    BarWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        text = new QLineEdit(&window);
        layout->addWidget(text);
        const IconEntry abort{u"imgAbort_0"_s, u":/icons/abort.svg"_s, u"Abbrechen"_s};
        bar = new IconBar(u"picControl0"_s,
                          {{u"imgButton0_0"_s, u":/icons/roll.svg"_s, u"Neu würfeln"_s},
                           {u"imgButton0_1"_s, u":/icons/forward.svg"_s, u"Weiter"_s}},
                          &abort, IconBar::Style::Toolbar, watch, &window);
        layout->addWidget(bar);
        window.resize(300, 80);
        window.show();
        window.activateWindow();
    }

    HoverWatch watch;
    QWidget window;
    QLineEdit *text;
    IconBar *bar;
};

} // namespace

class TestIconBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void watchCallsBackOnceTheCursorLeaves();
    void newWatchEndsTheOneBefore();
    void watchTicksByItsTimer();
    void iconsCarryTheirToolTips();
    void hoverFrameFollowsThePointer();
    void leavingForTheBarHidesTheFrame();
    void pressedLookLastsUntilRelease();
    void rightClickOffersThePatternMenu();
    void choosingAPatternStoresAndPaintsIt();
    void tabReachesTheIcons();
    void spaceAndEnterPressTheFocusedIcon_data();
    void spaceAndEnterPressTheFocusedIcon();
    void focusedIconShowsAFrame();
};

void TestIconBar::watchCallsBackOnceTheCursorLeaves()
{
    HoverWatch watch;
    QPoint cursor(40, 50);
    watch.setCursorSource([&cursor] { return cursor; });
    int left = 0;
    watch.watch(QRect(QPoint(10, 20), QSize(57, 97)), [&left] { ++left; });
    QVERIFY(watch.isWatching());

    // The far edges still belong to the area.
    for (const QPoint inside : {QPoint(10, 20), QPoint(67, 117), QPoint(67, 20), QPoint(10, 117)}) {
        cursor = inside;
        watch.tick();
        QCOMPARE(left, 0);
        QVERIFY(watch.isWatching());
    }
    cursor = QPoint(68, 117);
    watch.tick();
    QCOMPARE(left, 1);
    QVERIFY(!watch.isWatching());
    watch.tick();
    QCOMPARE(left, 1);

    // Above the area by one.
    watch.watch(QRect(QPoint(10, 20), QSize(24, 24)), [&left] { ++left; });
    cursor = QPoint(20, 19);
    watch.tick();
    QCOMPARE(left, 2);
}

void TestIconBar::newWatchEndsTheOneBefore()
{
    HoverWatch watch;
    QPoint cursor(5, 5);
    watch.setCursorSource([&cursor] { return cursor; });
    QStringList calls;
    watch.watch(QRect(0, 0, 24, 24), [&calls] { calls << u"first"_s; });
    watch.watch(QRect(100, 0, 24, 24), [&calls] { calls << u"second"_s; });
    QCOMPARE(calls, QStringList{u"first"_s});
    QVERIFY(watch.isWatching());

    // Ended at once, as when the pointer goes on to the bar beside the icons.
    watch.end();
    QCOMPARE(calls, (QStringList{u"first"_s, u"second"_s}));
    QVERIFY(!watch.isWatching());
    watch.end();
    QCOMPARE(calls.size(), 2);
}

void TestIconBar::watchTicksByItsTimer()
{
    QObject owner;
    auto *watch = new HoverWatch(&owner);
    const auto *timer = owner.findChild<QTimer *>(u"tmrMouseOff"_s);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 100);
    QVERIFY(!timer->isActive());

    QPoint cursor(5, 5);
    watch->setCursorSource([&cursor] { return cursor; });
    bool left = false;
    watch->watch(QRect(0, 0, 24, 24), [&left] { left = true; });
    QVERIFY(timer->isActive());
    cursor = QPoint(30, 5);
    QTRY_VERIFY_WITH_TIMEOUT(left, 1000);
    QVERIFY(!timer->isActive());
}

void TestIconBar::iconsCarryTheirToolTips()
{
    FormFixture fixture;
    Form1 &form = fixture.form();
    const std::array<std::pair<const char16_t *, const char16_t *>, 12> tips{{
        {u"imgButton0_0", u"Neu würfeln"},
        {u"imgButton0_1", u"Weiter"},
        {u"imgButton1_0", u"Zurück"},
        {u"imgButton1_1", u"Weiter"},
        {u"imgButton1_2", u"Charakterwerte ansehen"},
        {u"imgButton2_0", u"Zurück"},
        {u"imgButton2_1", u"Fertig"},
        {u"imgButton3_0", u"Spielerhistorie löschen"},
        {u"imgButton3_1", u"Zufall"},
        {u"imgAbort_0", u"Abbrechen"},
        {u"imgAbort_1", u"Abbrechen"},
        {u"imgAbort_2", u"Abbrechen"},
    }};
    for (const auto &[name, tip] : tips) {
        auto *icon = form.findChild<IconButton *>(QString::fromUtf16(name));
        QVERIFY2(icon, qPrintable(QString::fromUtf16(name)));
        QCOMPARE(icon->toolTip(), QString::fromUtf16(tip));
        QCOMPARE(icon->size(), QSize(24, 24));
        QVERIFY(!icon->pixmap().isNull());
    }
}

void TestIconBar::hoverFrameFollowsThePointer()
{
    FormFixture fixture;
    Form1 &form = fixture.form();
    form.Form_Load();
    HoverWatch *watch = form.hoverWatch();
    QPoint cursor;
    watch->setCursorSource([&cursor] { return cursor; });
    IconBar *bar = form.bar(0);
    IconButton *next = bar->icon(1);

    hover(next, QPoint(5, 7));
    QCOMPARE(bar->markedLeft(), next->x());
    QVERIFY(watch->isWatching());

    const QPoint anchor = next->mapToGlobal(QPoint(0, 0));
    cursor = anchor + QPoint(24, 24); // the far corner still belongs to the icon
    watch->tick();
    QCOMPARE(bar->markedLeft(), next->x());

    cursor = anchor + QPoint(25, 3);
    watch->tick();
    QCOMPARE(bar->markedLeft(), -1);
    QVERIFY(!watch->isWatching());

    // Pointing at another bar's icon moves the one frame there.
    hover(next, QPoint(3, 3));
    form.showStep(Form1::PersonalStep);
    IconButton *random = form.bar(3)->icon(1);
    hover(random, QPoint(3, 3));
    QCOMPARE(bar->markedLeft(), -1);
    QCOMPARE(form.bar(3)->markedLeft(), random->x());
}

void TestIconBar::leavingForTheBarHidesTheFrame()
{
    FormFixture fixture;
    Form1 &form = fixture.form();
    form.Form_Load();
    IconBar *bar = form.bar(0);
    hover(bar->icon(0), QPoint(4, 4));
    QVERIFY(bar->markedLeft() >= 0);
    hover(bar, QPoint(bar->width() / 2, 10));
    QCOMPARE(bar->markedLeft(), -1);
    QVERIFY(!form.hoverWatch()->isWatching());
}

void TestIconBar::pressedLookLastsUntilRelease()
{
    FormFixture fixture;
    Form1 &form = fixture.form();
    form.Form_Load();
    IconBar *bar = form.bar(0);
    IconButton *roll = bar->icon(0);
    QSignalSpy clicks(bar, &IconBar::iconClicked);

    hover(roll, QPoint(4, 4));
    QTest::mousePress(roll, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(roll->isPressedLook());
    QCOMPARE(bar->markedLeft(), -1);
    QTest::mouseRelease(roll, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!roll->isPressedLook());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().first().toInt(), 0);

    // Released outside the icon: no click.
    QTest::mousePress(roll, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(roll, Qt::LeftButton, {}, QPoint(40, 4));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!roll->isPressedLook());
}

void TestIconBar::rightClickOffersThePatternMenu()
{
    FormFixture fixture;
    fixture.settings.write(u"startup", u"Wallpaper", u"4"_s);
    Form1 &form = fixture.form();
    form.Form_Load();
    PatternMenu *menu = form.patternMenu();
    QCOMPARE(menu->actions().size(), 8);
    QCOMPARE(menu->entry(0)->text(), u"(&Keines)"_s);
    QCOMPARE(menu->entry(7)->text(), u"Fa&ces"_s);

    QTest::mouseClick(form.bar(0), Qt::RightButton, {}, QPoint(200, 10));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->checkedPattern(), 4);
    menu->hide();

    // A right click on an icon reaches its bar too.
    fixture.settings.write(Settings::Wallpaper, u"2"_s);
    QTest::mouseClick(form.bar(0)->icon(0), Qt::RightButton, {}, QPoint(4, 4));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->checkedPattern(), 2);
    menu->hide();

    // The pair in the personal data has no pattern menu.
    form.showStep(Form1::PersonalStep);
    QTest::mouseClick(form.bar(3), Qt::RightButton, {}, QPoint(2, 2));
    QTest::qWait(20);
    QVERIFY(!menu->isVisible());
}

void TestIconBar::choosingAPatternStoresAndPaintsIt()
{
    FormFixture fixture;
    Form1 &form = fixture.form();
    form.Form_Load();
    for (int i = 0; i < 3; ++i)
        QVERIFY(!form.bar(i)->hasPattern());

    form.patternMenu()->entry(3)->trigger();
    QCOMPARE(fixture.settings.read(u"Startup", u"Wallpaper"), u"3"_s);
    for (int i = 0; i < 3; ++i)
        QVERIFY(form.bar(i)->hasPattern());
    QVERIFY(!form.bar(3)->hasPattern());

    form.patternMenu()->entry(0)->trigger();
    QCOMPARE(fixture.settings.readNumber(Settings::Wallpaper), 0);
    QVERIFY(!form.bar(1)->hasPattern());

    // The stored pattern is painted at start-up; a number without a pattern paints none.
    FormFixture stored;
    stored.settings.write(Settings::Wallpaper, u"6"_s);
    stored.form().Form_Load();
    QVERIFY(stored.form().bar(2)->hasPattern());
    FormFixture unknown;
    unknown.settings.write(Settings::Wallpaper, u"99"_s);
    unknown.form().Form_Load();
    QVERIFY(!unknown.form().bar(2)->hasPattern());
}

void TestIconBar::tabReachesTheIcons()
{
    BarWindow bar;
    QVERIFY(QTest::qWaitForWindowActive(&bar.window));
    bar.text->setFocus();
    QTest::keyClick(bar.text, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), bar.bar->icon(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), bar.bar->icon(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), bar.bar->abortIcon());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), bar.bar->icon(1));
    QCOMPARE(bar.bar->icon(1)->toolTip(), u"Weiter"_s);

    // A click with the mouse leaves the focus where the typing is.
    bar.text->setFocus();
    QTest::mouseClick(bar.bar->icon(0), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(QApplication::focusWidget(), bar.text);
}

void TestIconBar::spaceAndEnterPressTheFocusedIcon_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("enter") << int(Qt::Key_Enter);
}

void TestIconBar::spaceAndEnterPressTheFocusedIcon()
{
    QFETCH(int, key);
    BarWindow bar;
    QVERIFY(QTest::qWaitForWindowActive(&bar.window));
    QSignalSpy clicks(bar.bar, &IconBar::iconClicked);
    QSignalSpy aborts(bar.bar, &IconBar::abortClicked);
    bar.bar->icon(1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bar.bar->icon(1), Qt::Key(key));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().first().toInt(), 1);
    QVERIFY(!bar.bar->icon(1)->isPressedLook());

    bar.bar->abortIcon()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bar.bar->abortIcon(), Qt::Key(key));
    QCOMPARE(aborts.count(), 1);
    QCOMPARE(clicks.count(), 1);

    // Other keys do nothing.
    QTest::keyClick(bar.bar->abortIcon(), Qt::Key_A);
    QCOMPARE(aborts.count(), 1);
}

void TestIconBar::focusedIconShowsAFrame()
{
    BarWindow bar;
    QVERIFY(QTest::qWaitForWindowActive(&bar.window));
    IconButton *icon = bar.bar->icon(0);
    bar.text->setFocus();
    const QImage resting = icon->grab().toImage();
    icon->setFocus(Qt::TabFocusReason);
    QVERIFY(icon->hasFocus());
    QVERIFY(icon->grab().toImage() != resting);
    bar.text->setFocus();
    QCOMPARE(icon->grab().toImage(), resting);
}

int runIconBarTests(int argc, char **argv)
{
    TestIconBar tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_iconbar.moc"
