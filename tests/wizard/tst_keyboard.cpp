#include "formfixture.h"
#include "wizard/frmstartup.h"
#include "widgets/hoverwatch.h"
#include "widgets/iconbar.h"
#include "widgets/iconbutton.h"
#include "widgets/patternmenu.h"
#include "widgets/readablecolour.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTabBar>
#include <QTimer>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// A key pressed where the focus is, as a user types it.
void press(int key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    QVERIFY2(target, "nothing has the focus");
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

// Tab until the widget has the focus; false when it never comes.
bool tabTo(const QWidget *widget)
{
    for (int presses = 0; presses < 60 && QApplication::focusWidget() != widget; ++presses)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget() == widget;
}

// Opens the focused list with Space, walks to the entry with the arrow keys, takes it with Enter.
void chooseByKeys(QComboBox *combo, const QString &entry)
{
    QCOMPARE(QApplication::focusWidget(), combo);
    press(Qt::Key_Space);
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    for (int presses = 0; presses < 30 && view->currentIndex().data().toString() != entry; ++presses)
        QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(view->currentIndex().data().toString(), entry);
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

// The pointer moving over a widget with no button held.
void hover(QWidget *widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QPalette darkPalette()
{
    QPalette dark;
    const std::pair<QPalette::ColorRole, QRgb> colours[] = {
        {QPalette::Window, 0x2b2b2b}, {QPalette::WindowText, 0xe0e0e0}, {QPalette::Base, 0x1e1e1e},
        {QPalette::Text, 0xe0e0e0}, {QPalette::Button, 0x353535}, {QPalette::ButtonText, 0xe0e0e0},
        {QPalette::Dark, 0x181818}, {QPalette::Highlight, 0x2a82da}, {QPalette::Link, 0x2a82da}};
    for (const auto &[role, rgb] : colours)
        dark.setColor(role, QColor(rgb));
    return dark;
}

} // namespace

class TestIconsAndKeys : public QObject
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

    // The stored pattern shows at once; a right click on a bar or icon offers the menu; the choice paints all bars.
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

    // From the start-up screen to a saved file without the mouse.
    void wholeCharacterByKeys()
    {
        FormFixture fixture;
        fixture.realStartupScreen = true;
        const QString file = fixture.dir.filePath(u"Heinrich.tvk"_s);
        fixture.fileDialogs.choices = {{file}};
        Form1 &form = fixture.form();

        // The start-up screen: Tab lights NEU, the arrows LADEN and back, Enter takes the lit one.
        StartupChoice litBefore = StartupChoice::Quit;
        QTimer::singleShot(0, [&litBefore] {
            auto *screen = qobject_cast<frmStartup *>(QApplication::activeModalWidget());
            QVERIFY(screen);
            QTest::keyClick(screen, Qt::Key_Return); // nothing lit: nothing chosen
            QTest::keyClick(screen, Qt::Key_Tab);
            QCOMPARE(screen->litChoice(), StartupChoice::Create);
            QTest::keyClick(screen, Qt::Key_Right);
            QCOMPARE(screen->litChoice(), StartupChoice::Edit);
            QTest::keyClick(screen, Qt::Key_Left);
            litBefore = screen->litChoice();
            QTest::keyClick(screen, Qt::Key_Return);
        });
        QVERIFY(form.Form_Load());
        QCOMPARE(litBefore, StartupChoice::Create);
        QVERIFY(form.isVisible() && !form.editExisting());
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        ValuesPage *values = form.valuesPage();
        QCOMPARE(QApplication::focusWidget(), values->Combo1);
        chooseByKeys(values->Combo1, u"Arzt"_s);
        press(Qt::Key_Tab);
        chooseByKeys(values->Combo2, u"weiblich"_s);
        QCOMPARE(form.record().sex, u"weiblich"_s);
        fixture.random.fallback = 0.905f;
        QVERIFY(tabTo(form.bar(0)->icon(0)));
        press(Qt::Key_Space); // "Neu würfeln"
        QCOMPARE(values->Frame2->value(0)->text(), u"91"_s);
        press(Qt::Key_Tab);
        press(Qt::Key_Return); // "Weiter"
        QCOMPARE(form.step(), Form1::SkillsStep);
        QTRY_COMPARE(QApplication::focusWidget(), form.skillsPage()->TabStrip1);

        // No key on step 2 reaches step 1.
        SkillsPage *skills = form.skillsPage();
        for (int presses = 0; presses < 40; ++presses) {
            press(Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            QVERIFY2(focus && !values->isAncestorOf(focus), qPrintable(focus ? focus->objectName() : u"none"_s));
        }
        QVERIFY(!values->Combo1->view()->isVisible());

        // A class skill learnt and unlearnt; in the school list, a language counted up twice and down once.
        QVERIFY(tabTo(skills->Frame9));
        QCOMPARE(skills->Frame9->currentRow(), 0);
        const QString pointsBefore = skills->Lern[0]->text();
        press(Qt::Key_Space);
        QVERIFY(looksLearnt(skills->Frame9, 0) && skills->Lern[0]->text() != pointsBefore);
        press(Qt::Key_Delete);
        QVERIFY(!looksLearnt(skills->Frame9, 0));
        QCOMPARE(skills->Lern[0]->text(), pointsBefore);
        QVERIFY(tabTo(skills->TabStrip1));
        press(Qt::Key_Right);
        SkillListFrame *school = skills->Frame8[1];
        QVERIFY(school->isVisible());
        QVERIFY(tabTo(school));
        for (int presses = 0; presses < 12 && school->currentRow() != 8; ++presses)
            press(Qt::Key_Down);
        QCOMPARE(school->currentRow(), 8);
        for (const int key : {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus})
            press(key);
        QCOMPARE(school->row(8)->text(), u"1x Sprechen+6 (In01)"_s);
        QVERIFY(looksLearnt(school, 8));
        // Off the last row the arrow stays; beside it, the next column.
        press(Qt::Key_Right);
        QVERIFY(school->currentRow() > 8 && school->row(school->currentRow())->x() > school->row(8)->x());
        QVERIFY(tabTo(form.bar(1)->icon(1)));
        press(Qt::Key_Space); // "Weiter"
        QCOMPARE(form.step(), Form1::PersonalStep);

        QTRY_COMPARE(QApplication::focusWidget(), form.personalPage()->Text1);
        QTest::keyClicks(QApplication::focusWidget(), u"Heinrich"_s);
        QVERIFY(tabTo(form.bar(2)->icon(1)));
        QVERIFY(fixture.messages.shown.isEmpty());
        press(Qt::Key_Return);
        Form8 *sheet = form.sheetWindow();
        QVERIFY(sheet && sheet->isVisible() && !form.isVisible());

        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        press(Qt::Key_S, Qt::ControlModifier);
        const auto read = CharacterFile::decode(readAll(file));
        QVERIFY(read);
        QCOMPARE(read->sheet.caption(CharacterSheet::nameCaption), u"Heinrich"_s);
        QVERIFY(fixture.document.isSaved());
    }

    // A screen reader finds a name for every button of the wizard's bars.
    void everyButtonHasAName()
    {
        FormFixture fixture;
        Form1 &form = fixture.loaded();
        for (int i = 0; i < 4; ++i)
            for (QWidget *button : form.bar(i)->buttonsInOrder()) {
                QAccessibleInterface *node = QAccessible::queryAccessibleInterface(button);
                QCOMPARE(node->role(), QAccessible::Button);
                QVERIFY2(!node->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(button->objectName()));
            }
    }

    // Learnt and other rows read clearly on the list's face (WCAG contrast) and differ, in light and dark.
    void skillRowsReadInAnyPalette_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QStyleFactory::create(u"Fusion"_s)->standardPalette();
        QTest::newRow("dark") << darkPalette();
        QPalette grey = darkPalette(); // a link colour as dark as the face
        grey.setColor(QPalette::Link, QColor(0x30, 0x30, 0x30));
        QTest::newRow("dark, dim link") << grey;
    }

    void skillRowsReadInAnyPalette()
    {
        QFETCH(QPalette, palette);
        FormFixture fixture;
        Form1 &form = fixture.form();
        form.setPalette(palette);
        form.Form_Load();
        const SkillListFrame *list = form.skillsPage()->Frame9;
        const QColor face = list->palette().color(QPalette::Window);
        QVERIFY(contrastRatio(list->learntColour(), face) >= 4.5);
        QVERIFY(contrastRatio(list->normalColour(), face) >= 4.5);
        QVERIFY(contrastRatio(list->learntColour(), list->normalColour()) >= 1.5
                || list->learntColour().hslHue() != list->normalColour().hslHue());
        // The drop-down arrow is drawn in the button text colour, on the button face.
        IconButton arrow(u"arrow"_s, u":/icons/dropdown.svg"_s, QString());
        arrow.setPalette(palette);
        arrow.setTinted(true);
        QVERIFY(contrastRatio(arrow.palette().color(QPalette::ButtonText), palette.color(QPalette::Button)) >= 4.5);
        const QImage picture = arrow.picture().toImage();
        QColor drawn;
        for (int y = 0; y < picture.height() && !drawn.isValid(); ++y)
            for (int x = 0; x < picture.width() && !drawn.isValid(); ++x)
                if (qAlpha(picture.pixel(x, y)) == 255)
                    drawn = picture.pixelColor(x, y);
        QCOMPARE(drawn.rgb(), palette.color(QPalette::ButtonText).rgb());
        // A readable colour is kept; one made readable keeps its hue.
        QCOMPARE(qRound(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white) * 100), 448);
        QCOMPARE(readableOn(QColor(0x00, 0x00, 0xee), Qt::white), QColor(0x00, 0x00, 0xee));
        QCOMPARE(readableOn(QColor(0x88, 0x88, 0xff), QColor(0xf0, 0xf0, 0xf0)).hslHue(), QColor(0x88, 0x88, 0xff).hslHue());
    }
};

int runIconsAndKeysTests(int argc, char **argv) { TestIconsAndKeys tests; return QTest::qExec(&tests, argc, argv); }

#include "tst_keyboard.moc"
