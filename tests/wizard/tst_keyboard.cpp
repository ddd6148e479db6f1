#include "wizard/form1.h"
#include "wizard/frmstartup.h"
#include "wizard/listcombobox.h"
#include "wizard/personalpage.h"
#include "wizard/skilllistframe.h"
#include "wizard/skillspage.h"
#include "wizard/valueframe.h"
#include "wizard/valuespage.h"
#include "widgets/iconbar.h"
#include "widgets/iconbutton.h"
#include "widgets/readablecolour.h"
#include "sheetwindow/form8.h"
#include "formfixture.h"
#include "storage/characterfile.h"
#include "support/testfiles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTabBar>
#include <QTest>
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

bool looksLearnt(const SkillListFrame *frame, int row)
{
    return frame->row(row)->palette().color(QPalette::WindowText) == frame->learntColour();
}

// Every button of the tree has a name a screen reader can say.
QStringList namelessButtons(QWidget *window)
{
    QStringList nameless;
    QList<QAccessibleInterface *> open{QAccessible::queryAccessibleInterface(window)};
    while (!open.isEmpty()) {
        QAccessibleInterface *node = open.takeLast();
        if (!node)
            continue;
        if (node->role() == QAccessible::Button && node->text(QAccessible::Name).trimmed().isEmpty())
            nameless << node->object()->objectName();
        for (int i = 0; i < node->childCount(); ++i)
            open << node->child(i);
    }
    return nameless;
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

class TestKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        for (const Form1::Step step : {Form1::ValuesStep, Form1::SkillsStep, Form1::PersonalStep}) {
            form.showStep(step);
            for (int i = 0; i < 4; ++i)
                for (QWidget *button : form.bar(i)->buttonsInOrder())
                    QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::Button);
            QCOMPARE(namelessButtons(&form), QStringList());
        }
    }

    // Learnt and other rows read clearly on the list's face and differ from each other, in light and dark,
    // by contrast measured as screen readers do.
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

int runKeyboardTests(int argc, char **argv)
{
    TestKeyboard tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_keyboard.moc"
