#include "sheet/charactersheet.h"
#include "sheet/sheetdocument.h"
#include "storage/characterfile.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// Every field holds a text of its own.
CharacterSheet filledSheet()
{
    CharacterSheet sheet;
    for (int i = 0; i < CharacterSheet::valueCount; ++i) {
        sheet.setCaption(i, u"c%1"_s.arg(i));
        sheet.setValue(i, u"v%1"_s.arg(i));
        sheet.setToolTip(i, u"t%1"_s.arg(i));
        sheet.setEquipmentLine(i, u"e%1"_s.arg(i));
    }
    return sheet;
}

// Lines 0..28, then the overflow line.
QStringList linesOf(const CharacterSheet &sheet)
{
    return QStringList(sheet.equipmentLines().begin(), sheet.equipmentLines().end()) << sheet.overflowLine();
}

} // namespace

class TestSheetModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clearingKeepsTheLabelsAndTheOverflowLine()
    {
        const CharacterSheet blank;
        QCOMPARE(blank.caption(0) + blank.caption(33) + blank.value(128) + blank.value(129), u"AllgemeinbildungDolch"_s);
        const CharacterSheet filled = filledSheet();
        CharacterSheet cleared = filled;
        cleared.clearCharacter();
        // Name, class and the skill rows belong to the character; the other captions are printed labels.
        for (int i = 0; i < CharacterSheet::captionCount; ++i)
            QCOMPARE(cleared.caption(i), (i <= 1 || (i >= 33 && i <= 78) ? blank : filled).caption(i));
        QCOMPARE(cleared.values(), blank.values());
        QCOMPARE(cleared.toolTips(), blank.toolTips());
        QCOMPARE(linesOf(cleared), QStringList(29) << u"e29"_s);
    }

    // A field holds one line; what lies outside the sheet is refused and reads empty.
    void writesOneLineInsideTheSheetOnly()
    {
        CharacterSheet sheet;
        QVERIFY(sheet.setCaption(0, u"Anna\r\nvon\tBerg"_s) && sheet.setValue(12, u"a\nb"_s) && sheet.setEquipmentLine(3, u"Seil\r"_s));
        QCOMPARE(sheet.caption(0) + u'|' + sheet.value(12) + u'|' + sheet.equipmentLine(3), u"Anna  von Berg|a b|Seil "_s);
        QVERIFY(!sheet.setValue(12, u"a\rb"_s)); // the cleaned text is the one compared

        sheet = filledSheet();
        const auto past = std::tuple(CharacterSheet::captionCount, CharacterSheet::valueCount, CharacterSheet::overflowLineIndex + 1);
        for (const auto &[caption, value, line] : {std::tuple(-1, -1, -1), past}) {
            const QList<bool> accepted{sheet.setCaption(caption, u"x"_s), sheet.setValue(value, u"x"_s), sheet.setToolTip(value, u"x"_s),
                                       sheet.setEquipmentLine(line, u"x"_s), sheet.insertEquipmentLine(line), sheet.removeEquipmentLine(line)};
            QCOMPARE(accepted, QList<bool>(6, false));
            QVERIFY(sheet.caption(caption).isEmpty() && sheet.value(value).isEmpty() && sheet.toolTip(value).isEmpty()
                    && sheet.equipmentLine(line).isEmpty());
        }
        QCOMPARE(sheet, filledSheet());
    }

    // Inserting pushes line 28 into the overflow line; removing pulls it back and empties the overflow line.
    void shiftingEquipmentLines()
    {
        const CharacterSheet filled = filledSheet();
        for (int line : {0, 5, 28, CharacterSheet::overflowLineIndex}) {
            for (bool insert : {true, false}) {
                CharacterSheet sheet = filled;
                QStringList expected = linesOf(filled);
                expected.insert(insert ? line : expected.size(), QString());
                expected.removeAt(insert ? expected.size() - 1 : line);
                QVERIFY(insert ? sheet.insertEquipmentLine(line) : sheet.removeEquipmentLine(line));
                QCOMPARE(linesOf(sheet), expected);
            }
        }
    }

    // Every commit marks the sheet unsaved, even an unchanged text; only a change signals; outside takes nothing.
    void everyCommitMarksUnsavedOnlyChangesSignal()
    {
        SheetDocument document;
        QSignalSpy captions(&document, &SheetDocument::captionChanged), values(&document, &SheetDocument::valueChanged),
            equipment(&document, &SheetDocument::equipmentChanged), saved(&document, &SheetDocument::savedChanged);
        const CharacterSheet &sheet = document.sheet();
        const QList<bool> outside{document.setCaption(-1, u"x"_s), document.setValue(CharacterSheet::valueCount, u"x"_s),
                                  document.setEquipmentLine(CharacterSheet::overflowLineIndex + 1, u"x"_s),
                                  document.insertEquipmentLine(-1), document.removeEquipmentLine(30)};
        QCOMPARE(outside, QList<bool>(outside.size(), false));
        QVERIFY(document.isSaved() && saved.isEmpty());

        const QList<std::function<bool()>> unchanged{
            [&] { return document.setCaption(2, sheet.caption(2)); }, [&] { return document.setValue(129, sheet.value(129)); },
            [&] { return document.setEquipmentLine(28, QString()); }, [&] { return document.insertEquipmentLine(0); },
            [&] { return document.removeEquipmentLine(0); }};
        const QList<std::function<bool()>> changes{
            [&] { return document.setCaption(40, u"eins"_s); }, [&] { return document.setValue(196, u"zwei"_s); },
            [&] { return document.setEquipmentLine(0, u"drei"_s); },
            [&] { return document.setEquipmentLine(CharacterSheet::overflowLineIndex, u"vier"_s); },
            [&] { return document.insertEquipmentLine(0); }, [&] { return document.removeEquipmentLine(0); }};
        const auto commitEach = [&](const QList<std::function<bool()>> &edits) {
            for (const auto &edit : edits) {
                document.markSaved(QString());
                saved.clear();
                QVERIFY(edit());
                QVERIFY(!document.isSaved() && saved.size() == 1 && !saved.first().first().toBool());
            }
        };
        commitEach(unchanged);
        QCOMPARE(captions.size() + values.size() + equipment.size(), 0);
        commitEach(changes);
        QCOMPARE((QList<qsizetype>{captions.size(), values.size(), equipment.size()}), QList<qsizetype>({1, 1, 4}));
        QVERIFY(captions.first().first().toInt() == 40 && values.first().first().toInt() == 196);
        QCOMPARE(sheet.caption(40) + sheet.value(196) + sheet.equipmentLine(0), u"einszweidrei"_s);
    }

    void savedFlagAndFile()
    {
        SheetDocument document;
        QVERIFY(document.setValue(0, u"Spielerin"_s));
        QSignalSpy saved(&document, &SheetDocument::savedChanged), file(&document, &SheetDocument::fileNameChanged),
            replaced(&document, &SheetDocument::sheetReplaced);
        document.markSaved(u"/tmp/held.tvk"_s);
        document.markSaved(u"/tmp/held.tvk"_s);
        QVERIFY(document.isSaved() && saved.size() == 1 && saved.first().first().toBool());
        QVERIFY(file.size() == 1 && document.fileName() == u"/tmp/held.tvk");

        // A sheet loaded again is announced even when equal, and each whole change sets file and flag as it means.
        CharacterSheet composed;
        composed.setToolTip(37, u"*= ungelernt"_s);
        composed.setCaption(CharacterSheet::nameCaption, u"Ada"_s);
        QSignalSpy loaded(&document, &SheetDocument::loaded);
        document.load(composed, u"/tmp/ada.tvk"_s);
        document.load(composed, u"/tmp/ada.tvk"_s);
        QVERIFY(document.sheet() == composed && replaced.size() == 2 && loaded.size() == 2);
        QVERIFY(document.isSaved() && document.fileName() == u"/tmp/ada.tvk");
        struct Whole { std::function<void()> change; QString file; bool saved; QString name; };
        const Whole changes[] = {
            {[&] { document.compose(composed); }, QString(), false, u"Ada"_s},
            {[&] { document.restore(composed, u"/tmp/alt.tvk"_s); }, u"/tmp/alt.tvk"_s, false, u"Ada"_s},
            {[&] { document.blankCharacter(); }, u"/tmp/alt.tvk"_s, false, QString()},
            {[&] { document.clear(); }, QString(), true, QString()},
        };
        for (const Whole &whole : changes) {
            document.setValue(3, u"vorher"_s); // each begins a new history
            whole.change();
            QVERIFY(!document.canUndo() && !document.canRedo());
            QCOMPARE(document.fileName(), whole.file);
            QCOMPARE(document.isSaved(), whole.saved);
            QCOMPARE(document.sheet().caption(CharacterSheet::nameCaption), whole.name);
        }
        QCOMPARE(loaded.size(), 2);
    }

    // Every kind of edit, undone to the start and redone, gives the same file at each step; only the file's state is saved.
    void undoAndRedoRetraceEveryStep()
    {
        SheetDocument document;
        QVERIFY(!document.canUndo() && !document.canRedo() && document.undoName().isEmpty());
        document.load(filledSheet(), u"/tmp/ada.tvk"_s);
        const auto file = [&document] { return CharacterFile::encode(document.sheet(), {}); };
        QList<QByteArray> states{file()};
        const std::pair<QString, std::function<void()>> edits[] = {
            {u"Bezeichnung"_s, [&] { document.setCaption(CharacterSheet::nameCaption, u"Ada"_s); }},
            {u"Wert"_s, [&] { document.setValue(44, u"+12"_s); }},
            {u"Ausrüstung"_s, [&] { document.setEquipmentLine(2, u"Dolch"_s); }},
            {u"Zeile einfügen"_s, [&] { document.insertEquipmentLine(1); }},
            {u"Zeile löschen"_s, [&] { document.removeEquipmentLine(0); }},
            {u"Ausrüstung"_s, [&] { document.setEquipmentLine(CharacterSheet::overflowLineIndex, u"Rest"_s); }},
        };
        for (const auto &[name, edit] : edits) {
            edit();
            QCOMPARE(document.undoName(), name);
            states << file();
        }
        document.setValue(44, u"+12"_s); // the same text: no step

        QSignalSpy history(&document, &SheetDocument::historyChanged);
        for (qsizetype i = states.size() - 1; i > 0; --i) {
            QCOMPARE(document.redoName(), i == states.size() - 1 ? QString() : edits[i].first);
            QVERIFY(document.undo());
            QCOMPARE(file(), states[i - 1]);
            QCOMPARE(document.isSaved(), i == 1);
        }
        QVERIFY(!document.undo() && document.isSaved());
        for (qsizetype i = 1; i < states.size(); ++i) {
            QVERIFY(document.redo());
            QCOMPARE(file(), states[i]);
            QVERIFY(!document.isSaved());
        }
        QVERIFY(!document.redo());
        QCOMPARE(history.size(), 12);
    }

    // Saved midway, that state is the saved one; an edit after undoing past it loses the way back.
    void savedStateAlongTheHistory()
    {
        SheetDocument document;
        QSignalSpy saved(&document, &SheetDocument::savedChanged);
        document.setValue(0, u"1"_s);
        document.setValue(0, u"2"_s);
        document.markSaved(u"/tmp/held.tvk"_s);
        QVERIFY(document.undo() && !document.isSaved());
        QVERIFY(document.redo() && document.isSaved());
        QVERIFY(document.undo());
        document.setValue(0, u"3"_s);
        QVERIFY(!document.canRedo());
        QVERIFY(document.undo() && document.redo() && !document.isSaved()); // "3" was never saved
        QVERIFY(document.undo() && document.sheet().value(0) == u"1" && !document.isSaved());
        QVERIFY(document.undo() && document.sheet().value(0).isEmpty() && !document.isSaved());
        // The flag changed with every edit, undo and redo that crossed the saved state.
        QCOMPARE(saved.size(), 5);

        // The oldest steps are forgotten, and with them a saved state among them.
        document.markSaved(u"/tmp/held.tvk"_s);
        for (std::size_t i = 0; i <= SheetHistory::maximumSteps; ++i)
            document.setValue(0, QString::number(i + 10));
        std::size_t undone = 0;
        while (document.undo())
            ++undone;
        QCOMPARE(undone, SheetHistory::maximumSteps);
        QCOMPARE(document.sheet().value(0), u"10"_s);
        QVERIFY(!document.isSaved());
    }
};

QTEST_GUILESS_MAIN(TestSheetModel)
#include "tst_sheetmodel.moc"
