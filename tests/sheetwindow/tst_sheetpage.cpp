#include "sheetwindow/equipmentpane.h"
#include "sheetwindow/sheetpage.h"
#include "sheet/sheetdocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <algorithm>

using namespace Tarvosk;
using namespace Qt::StringLiterals;
using Hit = SheetLayout::Hit;
using Kind = Hit::Kind;

namespace {

// "L0".."L28" and the empty overflow line.
QStringList filledLines()
{
    QStringList lines;
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
        lines << u"L%1"_s.arg(line);
    return lines << QString();
}

// A shown, active page over a saved sheet with a name, a value, a tool tip on value 40 and the filled lines.
struct PageFixture
{
    PageFixture()
    {
        CharacterSheet sheet;
        sheet.setCaption(CharacterSheet::nameCaption, u"Ada Blackwood"_s);
        sheet.setValue(0, u"Edith"_s);
        sheet.setToolTip(40, u"*= Talent"_s);
        for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
            sheet.setEquipmentLine(line, u"L%1"_s.arg(line));
        document.load(sheet, QString());
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
    }

    EquipmentPane *pane() const { return page.equipmentPane(); }
    QLineEdit *editor(Hit label) const { return label.kind == Kind::EquipmentLine ? pane()->lineEditor() : page.textEditor(); }
    // Where a user clicks the label: its middle, low in an equipment line's band (in pane pixels), the page's corner for Nothing.
    QPoint at(Hit label) const
    {
        if (label.kind == Kind::Nothing)
            return {2, 2};
        if (label.kind == Kind::EquipmentLine)
            return {40, 16 * label.index + 15};
        const QRect rect = label.kind == Kind::Value ? SheetLayout::valueRect(label.index) : SheetLayout::captionRect(label.index);
        return page.pageTransform().mapRect(rect).center();
    }
    void click(Hit label)
    {
        QTest::mouseClick(label.kind == Kind::EquipmentLine ? pane() : static_cast<QWidget *>(&page), Qt::LeftButton, {}, at(label));
    }

    QString text(Hit label) const
    {
        const CharacterSheet &sheet = document.sheet();
        return label.kind == Kind::Value     ? sheet.value(label.index)
             : label.kind == Kind::Caption ? sheet.caption(label.index)
                                           : sheet.equipmentLine(label.index);
    }

    QStringList lines() const
    {
        const CharacterSheet &sheet = document.sheet();
        return QStringList(sheet.equipmentLines().begin(), sheet.equipmentLines().end()) << sheet.overflowLine();
    }

    // A right click released at a pane point, which may lie between pixels, then the entries clicked in turn.
    void chooseFromMenu(QPointF at, const QStringList &path)
    {
        QMouseEvent release(QEvent::MouseButtonRelease, at, pane()->mapToGlobal(at), Qt::RightButton, Qt::NoButton, {});
        QApplication::sendEvent(pane(), &release);
        QMenu *menu = pane()->menu();
        for (const QString &text : path) {
            QTRY_VERIFY(menu->isVisible());
            const QList<QAction *> actions = menu->actions();
            const auto entry = std::find_if(actions.begin(), actions.end(), [&text](QAction *a) { return a->text() == text; });
            QVERIFY2(entry != actions.end(), qPrintable(text));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*entry).center());
            menu = (*entry)->menu();
        }
        pane()->menu()->hide();
    }

    SheetDocument document;
    SheetPage page{document};
    QSignalSpy background{&page, &SheetPage::backgroundClicked};
};

// A label, the tip it shows, whether a click opens its editor.
struct LabelCase { Hit label; QString tip; bool opens; };
// A label's editor, closed by a key or else by a click on the next label (Nothing: the background).
struct EditCase { Hit label; int key; Hit next; bool committed; };
// A right click at a height in the pane, the menu entries clicked, and the equipment lines then.
struct MenuCase { qreal paneY; QStringList path; QStringList lines; };

} // namespace

class TestSheetPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A value shows its own tip only. A click opens the editor on a value and on the character's captions;
    // on a printed caption it does nothing at all, not even what the background does.
    void labelsShowTipsAndOpenTheEditor_data()
    {
        QTest::addColumn<LabelCase>("c");
        QTest::newRow("value 40") << LabelCase{{Kind::Value, 40}, u"*= Talent"_s, true};
        QTest::newRow("value 39") << LabelCase{{Kind::Value, 39}, {}, true};
        // The character's captions and the printed ones, on either side of each border.
        for (int caption : {0, 1, 33, 78})
            QTest::addRow("caption %d", caption) << LabelCase{{Kind::Caption, caption}, {}, true};
        for (int caption : {2, 32, 79})
            QTest::addRow("caption %d", caption) << LabelCase{{Kind::Caption, caption}, {}, false};
    }

    void labelsShowTipsAndOpenTheEditor()
    {
        QFETCH(LabelCase, c);
        const auto &[label, tip, opens] = c;
        PageFixture f;
        QHelpEvent help(QEvent::ToolTip, f.at(label), f.page.mapToGlobal(f.at(label)));
        QApplication::sendEvent(&f.page, &help);
        QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
        f.click(label);
        QVERIFY(f.page.editTarget() == (opens ? label : Hit{}));
        QCOMPARE(f.background.count(), 0);
    }

    // An editor opens with its label's text selected; Enter or a click on another label commits and marks
    // the sheet unsaved, Escape or a click on the background discards.
    void editorsCommitOrDiscard_data()
    {
        QTest::addColumn<EditCase>("c");
        const Hit nothing;
        QTest::newRow("caption, Return") << EditCase{{Kind::Caption, 0}, Qt::Key_Return, nothing, true};
        QTest::newRow("value, Escape") << EditCase{{Kind::Value, 0}, Qt::Key_Escape, nothing, false};
        QTest::newRow("value, background") << EditCase{{Kind::Value, 0}, 0, nothing, false};
        QTest::newRow("value, value") << EditCase{{Kind::Value, 14}, 0, {Kind::Value, 15}, true};
        QTest::newRow("value, line") << EditCase{{Kind::Value, 1}, 0, {Kind::EquipmentLine, 8}, true};
        QTest::newRow("line, Enter") << EditCase{{Kind::EquipmentLine, 0}, Qt::Key_Enter, nothing, true};
        QTest::newRow("line, Escape") << EditCase{{Kind::EquipmentLine, 3}, Qt::Key_Escape, nothing, false};
        QTest::newRow("line, background") << EditCase{{Kind::EquipmentLine, 8}, 0, nothing, false};
        QTest::newRow("line, line") << EditCase{{Kind::EquipmentLine, 5}, 0, {Kind::EquipmentLine, 7}, true};
        QTest::newRow("line, value") << EditCase{{Kind::EquipmentLine, 7}, 0, {Kind::Value, 1}, true};
    }

    void editorsCommitOrDiscard()
    {
        QFETCH(EditCase, c);
        const auto &[label, key, next, committed] = c;
        PageFixture f;
        const QString before = f.text(label);
        QLineEdit *editor = f.editor(label);
        f.click(label);
        QVERIFY(editor->isVisible() && editor->geometry().contains(f.at(label)) && QApplication::focusWidget() == editor);
        QCOMPARE(editor->selectedText(), before);
        QTest::keyClicks(editor, u"Neu"_s);
        if (key)
            QTest::keyClick(editor, Qt::Key(key));
        else
            f.click(next);

        QCOMPARE(f.text(label), committed ? u"Neu"_s : before);
        QCOMPARE(f.document.isSaved(), !committed);
        const bool reopened = next.kind != Kind::Nothing;
        QCOMPARE(editor->isVisible(), reopened && f.editor(next) == editor);
        QVERIFY(!reopened || f.editor(next)->text() == f.text(next));
        QCOMPARE(f.background.count(), int(!key && !reopened));
    }

    // The open line editor is dropped, not committed, when the menu opens; a heading picks nothing.
    void menuActsOnTheLineUnderTheRightClick_data()
    {
        QTest::addColumn<MenuCase>("c");
        const QStringList lines = filledLines();
        const auto with = [lines](int line, const QString &text) { QStringList changed = lines; changed[line] = text; return changed; };
        QTest::newRow("&&") << MenuCase{35.0, {u"&Feuerwaffen"_s, u"Faustfeuerwaffen"_s, u"Merwin && Hulbert (6x .44-40in, SA)"_s},
                                        with(2, u"Merwin & Hulbert (6x .44-40in, SA)"_s)};
        QTest::newRow("heading") << MenuCase{35.0, {u"&Feuerwaffen"_s, u"Faustfeuerwaffen"_s, u"ab 1896"_s}, lines};
        // Rounded, not cut: 15.5 is line 1.
        QTest::newRow("15.5") << MenuCase{15.5, {u"&Blankwaffen"_s, u"Säbel"_s}, with(1, u"Säbel"_s)};
        // How the lines shift is the sheet's; here the line under the click is the one.
        QTest::newRow("insert") << MenuCase{35.0, {u"Zeile &einfügen"_s}, lines.mid(0, 2) + QStringList{QString()} + lines.mid(2, 27)};
        QTest::newRow("delete") << MenuCase{35.0, {u"Zeile &löschen"_s}, lines.mid(0, 2) + lines.mid(3, 26) + QStringList(2)};
    }

    void menuActsOnTheLineUnderTheRightClick()
    {
        QFETCH(MenuCase, c);
        PageFixture f;
        f.click({Kind::EquipmentLine, 2});
        QTest::keyClicks(f.pane()->lineEditor(), u"verworfen"_s);
        f.chooseFromMenu(QPointF(40, c.paneY), c.path);
        QVERIFY(!f.pane()->lineEditor()->isVisible());
        QCOMPARE(f.background.count(), 1);
        QCOMPARE(f.lines(), c.lines);
        QCOMPARE(f.document.isSaved(), c.lines == filledLines());
    }
};

QTEST_MAIN(TestSheetPage)
#include "tst_sheetpage.moc"
