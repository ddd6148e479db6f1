#include "wizard/form1.h"
#include "widgets/hoverwatch.h"
#include "widgets/iconbar.h"
#include "widgets/iconbutton.h"
#include "widgets/patternmenu.h"
#include "formfixture.h"
#include "storage/settingkeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// The pointer moving over a widget with no button held.
void hover(QWidget *widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class TestIconBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One frame, under the pointer, shared by all bars; a press puts it out and shows the pressed look.
    void pointerFramesAndPressesTheIcons()
    {
        FormFixture fixture;
        Form1 &form = fixture.loaded();
        HoverWatch *watch = form.hoverWatch();
        QPoint cursor;
        watch->setCursorSource([&cursor] { return cursor; });
        IconBar *bar = form.bar(0);
        IconButton *next = bar->icon(1);

        hover(next, QPoint(5, 7));
        QCOMPARE(bar->markedLeft(), next->x());
        const QPoint anchor = next->mapToGlobal(QPoint(0, 0));
        cursor = anchor + QPoint(24, 24); // the far corner still belongs to the icon
        watch->tick();
        QCOMPARE(bar->markedLeft(), next->x());
        cursor = anchor + QPoint(25, 3); // now the watch's own timer finds it gone
        QTRY_COMPARE_WITH_TIMEOUT(bar->markedLeft(), -1, 1000);

        // Off the icons onto the bar itself: the frame goes at once.
        hover(next, QPoint(4, 4));
        hover(bar, QPoint(bar->width() / 2, 10));
        QCOMPARE(bar->markedLeft(), -1);
        QVERIFY(!watch->isWatching());

        IconButton *roll = bar->icon(0);
        hover(roll, QPoint(4, 4));
        QTest::mousePress(roll, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(roll->isPressedLook());
        QCOMPARE(bar->markedLeft(), -1);
        QTest::mouseRelease(roll, Qt::LeftButton, {}, QPoint(40, 4));

        // Pointing at another bar's icon moves the one frame there.
        hover(next, QPoint(3, 3));
        form.showStep(Form1::PersonalStep);
        IconButton *random = form.bar(3)->icon(1);
        hover(random, QPoint(3, 3));
        QCOMPARE(bar->markedLeft(), -1);
        QCOMPARE(form.bar(3)->markedLeft(), random->x());
    }

    // The stored pattern is painted from the start; a right click on a step's bar, or on an icon in it,
    // offers the menu, and the choice is stored and painted on every step's bar.
    void patternMenuStoresAndPaintsTheChoice()
    {
        FormFixture fixture;
        fixture.settings.write(Settings::Wallpaper, u"2"_s);
        Form1 &form = fixture.loaded();
        QVERIFY(form.bar(0)->hasPattern());
        PatternMenu *menu = form.patternMenu();
        for (const auto &[target, at, chosen] : {std::tuple<QWidget *, QPoint, int>(form.bar(0), QPoint(200, 10), 3),
                                                 std::tuple<QWidget *, QPoint, int>(form.bar(0)->icon(0), QPoint(4, 4), 0)}) {
            const int before = fixture.settings.readNumber(Settings::Wallpaper);
            QTest::mouseClick(target, Qt::RightButton, {}, at);
            QTRY_VERIFY(menu->isVisible());
            QCOMPARE(menu->checkedPattern(), before);
            menu->entry(chosen)->trigger();
            menu->hide();
            QCOMPARE(fixture.settings.readNumber(Settings::Wallpaper), chosen);
            for (int i = 0; i < 4; ++i)
                QCOMPARE(form.bar(i)->hasPattern(), i < 3 && chosen != 0);
        }

        // The pair in the personal data has no pattern menu.
        form.showStep(Form1::PersonalStep);
        QTest::mouseClick(form.bar(3), Qt::RightButton, {}, QPoint(2, 2));
        QTest::qWait(20);
        QVERIFY(!menu->isVisible());
    }

    // Tab reaches the icons, the focused one shows a frame, Enter presses it (Space and Return: wholeCharacterByKeys).
    void keyboardReachesAndPressesTheIcons()
    {
        HoverWatch watch;
        QWidget window;
        auto *text = new QLineEdit(&window);
        const IconEntry abort{u"imgAbort_0"_s, u":/icons/abort.svg"_s, u"Abbrechen"_s};
        auto *bar = new IconBar(u"picControl0"_s,
                                {{u"imgButton0_0"_s, u":/icons/roll.svg"_s, u"Neu würfeln"_s},
                                 {u"imgButton0_1"_s, u":/icons/forward.svg"_s, u"Weiter"_s}},
                                &abort, IconBar::Style::Toolbar, watch, &window);
        bar->setGeometry(0, 30, 300, IconBar::toolbarHeight);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy clicks(bar, &IconBar::iconClicked);
        QSignalSpy aborts(bar, &IconBar::abortClicked);

        text->setFocus();
        const QImage resting = bar->icon(0)->grab().toImage();
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), bar->icon(0));
        QVERIFY(bar->icon(0)->grab().toImage() != resting);
        QTest::keyClick(bar->icon(0), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), bar->icon(1));
        QTest::keyClick(bar->icon(1), Qt::Key_Enter);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(std::pair(clicks.first().first().toInt(), bar->icon(1)->isPressedLook()), std::pair(1, false));
        QTest::keyClick(bar->icon(1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), bar->abortIcon());
        QTest::keyClick(bar->abortIcon(), Qt::Key_Enter);
        QTest::keyClick(bar->abortIcon(), Qt::Key_A); // other keys do nothing
        QCOMPARE(aborts.count(), 1);
        QCOMPARE(clicks.count(), 1);

        // A click with the mouse leaves the focus where the typing is.
        text->setFocus();
        QTest::mouseClick(bar->icon(0), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(QApplication::focusWidget(), text);
        QCOMPARE(bar->icon(0)->grab().toImage(), resting);
    }
};

int runIconBarTests(int argc, char **argv)
{
    TestIconBar tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_iconbar.moc"
