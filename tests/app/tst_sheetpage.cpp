#include "app/equipmentpane.h"
#include "app/sheetpage.h"
#include "sheet/charactersheet.h"
#include "sheet/equipmentcatalogue.h"
#include "sheet/sheetdocument.h"
#include "sheet/sheetlayout.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace Tarvosk;
using namespace Qt::StringLiterals;
using Hit = SheetLayout::Hit;

namespace {

// A shown, active page over a saved sheet with a name, a value and equipment lines "L0".."L28".
struct PageFixture
{
    PageFixture()
        : page(document)
    {
        CharacterSheet sheet;
        sheet.setCaption(CharacterSheet::nameCaption, u"Ada Blackwood"_s);
        sheet.setValue(0, u"Edith"_s);
        for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
            sheet.setEquipmentLine(line, u"L%1"_s.arg(line));
        document.replace(sheet);
        document.setSaved(true);
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
    }

    QLineEdit *text1() const { return page.findChild<QLineEdit *>(u"Text1"_s); }
    QLineEdit *text2() const { return page.findChild<QLineEdit *>(u"Text2"_s); }
    EquipmentPane *pane() const { return page.findChild<EquipmentPane *>(u"Picture3"_s); }

    void click(const QRect &pageRect) { QTest::mouseClick(&page, Qt::LeftButton, {}, page.pageTransform().mapRect(pageRect).center()); }
    void clickValue(int index) { click(SheetLayout::valueRect(index)); }
    void clickCaption(int index) { click(SheetLayout::captionRect(index)); }
    void clickLine(int paneY) { QTest::mouseClick(pane(), Qt::LeftButton, {}, QPoint(40, paneY)); }

    QStringList lines() const
    {
        const CharacterSheet &sheet = document.sheet();
        return QStringList(sheet.equipmentLines().begin(), sheet.equipmentLines().end()) << sheet.overflowLine();
    }

    SheetDocument document;
    SheetPage page;
};

// A right click in the pane at a pane point, then the entries clicked one
// after the other, each submenu waited for as a user would.
void chooseFromMenu(EquipmentPane *pane, QPointF at, const QStringList &path)
{
    const QPointF global = pane->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pane, &press);
    QApplication::sendEvent(pane, &release);
    QMenu *menu = pane->menu();
    QTRY_VERIFY(menu->isVisible());
    for (const QString &text : path) {
        QAction *entry = nullptr;
        for (QAction *action : menu->actions())
            if (action->text() == text)
                entry = action;
        QVERIFY2(entry, qPrintable(text));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        if (!entry->menu())
            break;
        menu = entry->menu();
        QTRY_VERIFY(menu->isVisible());
    }
    pane->menu()->hide();
}

} // namespace

class TestSheetPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesShowTheirToolTips();
    void textEditorCommitsOnEnterAndDiscardsOnEscape();
    void onlyTheCharactersCaptionsOpenTheEditor_data();
    void onlyTheCharactersCaptionsOpenTheEditor();
    void lineEditorCommitsOnEnterAndAnotherLine();
    void menuPicksIntoTheLineUnderTheRightClick_data();
    void menuPicksIntoTheLineUnderTheRightClick();
    void menuShowsTheCatalogue();
    void insertAndDeleteShiftThroughTheOverflowLine();
};

void TestSheetPage::valuesShowTheirToolTips()
{
    PageFixture f;
    const QString talent = u"*= Fähigkeiten die ungelernt und nur durch Talent erhöht sind"_s;
    CharacterSheet sheet = f.document.sheet();
    sheet.setToolTip(40, talent);
    f.document.replace(sheet);
    const auto hover = [&f](const QRect &pageRect) {
        const QPoint at = f.page.pageTransform().mapRect(pageRect).center();
        QHelpEvent help(QEvent::ToolTip, at, f.page.mapToGlobal(at));
        QApplication::sendEvent(&f.page, &help);
    };
    hover(SheetLayout::valueRect(40));
    QTRY_COMPARE(QToolTip::text(), talent);
    // A value without a tip and a caption show none.
    hover(SheetLayout::valueRect(39));
    QTRY_VERIFY(!QToolTip::isVisible());
    hover(SheetLayout::valueRect(40));
    QTRY_VERIFY(QToolTip::isVisible());
    hover(SheetLayout::captionRect(36));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestSheetPage::textEditorCommitsOnEnterAndDiscardsOnEscape()
{
    PageFixture f;
    QSignalSpy background(&f.page, &SheetPage::backgroundClicked);
    QLineEdit *text1 = f.text1();

    f.clickValue(0);
    QVERIFY(text1->isVisible());
    const QRect label = SheetLayout::valueRect(0);
    QCOMPARE(text1->x(), label.x());
    QCOMPARE(text1->width(), label.width());
    QCOMPARE(text1->y(), label.y() - 1);
    QCOMPARE(text1->selectedText(), u"Edith"_s);
    QCOMPARE(QApplication::focusWidget(), text1);
    QTest::keyClicks(text1, u"Ida"_s);
    QTest::keyClick(text1, Qt::Key_Return);
    QVERIFY(!text1->isVisible());
    QCOMPARE(f.document.sheet().value(0), u"Ida"_s);
    QVERIFY(!f.document.isSaved());

    f.document.setSaved(true);
    f.clickCaption(CharacterSheet::nameCaption);
    QTest::keyClicks(text1, u"Bert"_s);
    QTest::keyClick(text1, Qt::Key_Escape);
    QVERIFY(!text1->isVisible());
    QCOMPARE(f.document.sheet().caption(CharacterSheet::nameCaption), u"Ada Blackwood"_s);
    QVERIFY(f.document.isSaved());

    // Opening another label commits the open one; the background hides without committing.
    f.clickValue(14);
    QTest::keyClicks(text1, u"55"_s);
    f.clickValue(15);
    QCOMPARE(f.document.sheet().value(14), u"55"_s);
    QTest::keyClicks(text1, u"66"_s);
    QCOMPARE(background.count(), 0);
    QTest::mouseClick(&f.page, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!text1->isVisible());
    QCOMPARE(f.document.sheet().value(15), QString());
    QCOMPARE(background.count(), 1);
}

void TestSheetPage::onlyTheCharactersCaptionsOpenTheEditor_data()
{
    QTest::addColumn<int>("caption");
    QTest::addColumn<bool>("opens");
    for (int caption : {0, 1, 33, 57, 58, 78})
        QTest::addRow("%d", caption) << caption << true;
    for (int caption : {2, 15, 29, 32, 79, 84, 95})
        QTest::addRow("%d", caption) << caption << false;
}

void TestSheetPage::onlyTheCharactersCaptionsOpenTheEditor()
{
    QFETCH(int, caption);
    QFETCH(bool, opens);
    PageFixture f;
    QSignalSpy background(&f.page, &SheetPage::backgroundClicked);
    f.clickCaption(caption);
    QCOMPARE(f.text1()->isVisible(), opens);
    const Hit target = opens ? Hit{Hit::Kind::Caption, caption} : Hit{};
    QVERIFY(f.page.editTarget() == target);
    QCOMPARE(background.count(), 0);
}

void TestSheetPage::lineEditorCommitsOnEnterAndAnotherLine()
{
    PageFixture f;
    QLineEdit *text2 = f.text2();

    f.clickLine(3 * 16 + 15);
    QVERIFY(text2->isVisible());
    QCOMPARE(f.pane()->editedLine(), 3);
    QCOMPARE(text2->selectedText(), u"L3"_s);
    QCOMPARE(QApplication::focusWidget(), text2);
    QTest::keyClicks(text2, u"Laterne"_s);
    QTest::keyClick(text2, Qt::Key_Escape);
    QVERIFY(!text2->isVisible());
    QCOMPARE(f.lines().at(3), u"L3"_s);
    QVERIFY(f.document.isSaved());

    f.clickLine(0);
    QTest::keyClicks(text2, u"Laterne"_s);
    QTest::keyClick(text2, Qt::Key_Enter);
    QVERIFY(!text2->isVisible());
    QCOMPARE(f.lines().at(0), u"Laterne"_s);
    QVERIFY(!f.document.isSaved());

    // Another line, a value and Text2 hand over with a commit; the background discards.
    f.clickLine(16 * 5);
    QTest::keyClicks(text2, u"Hut"_s);
    f.clickLine(16 * 7 + 3);
    QCOMPARE(f.lines().at(5), u"Hut"_s);
    QCOMPARE(f.pane()->editedLine(), 7);
    QTest::keyClicks(text2, u"Stock"_s);
    f.clickValue(1);
    QCOMPARE(f.lines().at(7), u"Stock"_s);
    QVERIFY(!text2->isVisible());
    QTest::keyClicks(f.text1(), u"Wien"_s);
    f.clickLine(16 * 8);
    QCOMPARE(f.document.sheet().value(1), u"Wien"_s);
    QVERIFY(!f.text1()->isVisible());
    QTest::keyClicks(text2, u"Uhr"_s);
    QTest::mouseClick(&f.page, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!text2->isVisible());
    QCOMPARE(f.lines().at(8), u"L8"_s);
}

void TestSheetPage::menuPicksIntoTheLineUnderTheRightClick_data()
{
    QTest::addColumn<qreal>("paneY");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("stored");
    QTest::newRow("handgun with &&") << 35.0 << QStringList{u"&Feuerwaffen"_s, u"Faustfeuerwaffen"_s, u"Merwin && Hulbert (6x .44-40in, SA)"_s}
                                     << 2 << u"Merwin & Hulbert (6x .44-40in, SA)"_s;
    QTest::newRow("Seil") << 35.0 << QStringList{u"&Sonstiges"_s, u"Seil"_s} << 2 << u"Seil"_s;
    // Halves round to even: 15.5 is line 1, 14.5 line 0.
    QTest::newRow("15.5") << 15.5 << QStringList{u"&Blankwaffen"_s, u"Säbel"_s} << 1 << u"Säbel"_s;
    QTest::newRow("14.5") << 14.5 << QStringList{u"&Feuerwaffen"_s, u"Langwaffen"_s, u"Sharps 1874 (1x .45/70)"_s} << 0
                          << u"Sharps 1874 (1x .45/70)"_s;
    QTest::newRow("heading") << 35.0 << QStringList{u"&Feuerwaffen"_s, u"Faustfeuerwaffen"_s, u"ab 1896"_s} << 2 << u"L2"_s;
}

void TestSheetPage::menuPicksIntoTheLineUnderTheRightClick()
{
    QFETCH(qreal, paneY);
    QFETCH(QStringList, path);
    QFETCH(int, line);
    QFETCH(QString, stored);
    PageFixture f;
    QSignalSpy background(&f.page, &SheetPage::backgroundClicked);
    QStringList expected = f.lines();
    expected[line] = stored;
    // The open line editor is dropped, not committed, when the menu opens.
    f.clickLine(16 * line);
    QTest::keyClicks(f.text2(), u"verworfen"_s);

    chooseFromMenu(f.pane(), QPointF(40, paneY), path);
    QVERIFY(!f.text2()->isVisible());
    QCOMPARE(background.count(), 1);
    QCOMPARE(f.lines(), expected);
    QCOMPARE(f.document.isSaved(), stored == u"L%1"_s.arg(line));
}

// The submenus mirror the catalogue: separators stay separators, headings cannot be picked.
void TestSheetPage::menuShowsTheCatalogue()
{
    using namespace EquipmentCatalogue;
    PageFixture f;
    const QMenu *menu = f.pane()->menu();
    const std::pair<List, QString> submenus[] = {
        {List::Handguns, u"mnuFaustfeuer"_s}, {List::LongArms, u"mnuLang"_s},
        {List::Blades, u"mnuBlankwaffen"_s}, {List::Other, u"mnuGebrauch"_s}};
    for (const auto &[list, name] : submenus) {
        const QList<QAction *> actions = menu->findChild<QMenu *>(name)->actions();
        const QList<Entry> entries = EquipmentCatalogue::entries(list);
        QCOMPARE(actions.size(), entries.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->isSeparator(), entries[i].kind == Entry::Kind::Separator);
            if (!actions[i]->isSeparator())
                QCOMPARE(actions[i]->isEnabled(), entries[i].kind == Entry::Kind::Item);
            QCOMPARE(actions[i]->text(), entries[i].caption);
        }
    }
}

void TestSheetPage::insertAndDeleteShiftThroughTheOverflowLine()
{
    PageFixture f;
    const QStringList original = f.lines();

    chooseFromMenu(f.pane(), QPointF(40, 5), {u"Zeile &einfügen"_s});
    QStringList shifted = original.mid(0, CharacterSheet::equipmentLineCount);
    shifted.prepend(QString());
    QCOMPARE(f.lines(), shifted);
    QVERIFY(!f.document.isSaved());

    chooseFromMenu(f.pane(), QPointF(40, 15), {u"Zeile &löschen"_s});
    QCOMPARE(f.lines(), original);

    chooseFromMenu(f.pane(), QPointF(40, 16 * 28 + 4), {u"Zeile &löschen"_s});
    QStringList pulled = original;
    pulled[28] = QString();
    QCOMPARE(f.lines(), pulled);
}

QTEST_MAIN(TestSheetPage)
#include "tst_sheetpage.moc"
