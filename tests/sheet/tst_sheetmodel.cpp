#include "sheet/charactersheet.h"
#include "sheet/sheetdocument.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

enum class Field { Caption, Value, ToolTip, Equipment };

int countOf(Field field)
{
    switch (field) {
    case Field::Caption:
        return CharacterSheet::captionCount;
    case Field::Value:
    case Field::ToolTip:
        return CharacterSheet::valueCount;
    case Field::Equipment:
        return CharacterSheet::equipmentLineCount + 1; // with the overflow line
    }
    return 0;
}

const QString &read(const CharacterSheet &sheet, Field field, int index)
{
    switch (field) {
    case Field::Caption:
        return sheet.caption(index);
    case Field::Value:
        return sheet.value(index);
    case Field::ToolTip:
        return sheet.toolTip(index);
    case Field::Equipment:
        break;
    }
    return sheet.equipmentLine(index);
}

bool write(CharacterSheet &sheet, Field field, int index, const QString &text)
{
    switch (field) {
    case Field::Caption:
        return sheet.setCaption(index, text);
    case Field::Value:
        return sheet.setValue(index, text);
    case Field::ToolTip:
        return sheet.setToolTip(index, text);
    case Field::Equipment:
        break;
    }
    return sheet.setEquipmentLine(index, text);
}

// Every field holds a text of its own.
CharacterSheet filledSheet()
{
    CharacterSheet sheet;
    for (Field field : {Field::Caption, Field::Value, Field::ToolTip, Field::Equipment}) {
        for (int i = 0; i < countOf(field); ++i)
            write(sheet, field, i, u"%1 %2"_s.arg(int(field)).arg(i));
    }
    return sheet;
}

bool isWeaponCell(int index)
{
    return index >= 129 && index <= 145 && (index - 129) % 4 == 0;
}

} // namespace

Q_DECLARE_METATYPE(Field)

class TestSheetModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blankSheetShowsThePrintedLabels();
    void blankSheetHoldsOnlyTheStandardWeapons();
    void clearingKeepsTheLabelsAndTheOverflowLine();
    void indexesOutsideTheSheetAreRefused_data();
    void indexesOutsideTheSheetAreRefused();
    void fieldsHoldOneLine();
    void insertingPushesLine28IntoTheOverflowLine();
    void removingPullsTheOverflowLineBack();
    void removingTheOverflowLineEmptiesIt();

    void documentStartsBlankAndSaved();
    void realEditMarksUnsavedOnce_data();
    void realEditMarksUnsavedOnce();
    void sameTextChangesNothing_data();
    void sameTextChangesNothing();
    void documentRefusesIndexesOutsideTheSheet();
    void shiftingAnEmptyListChangesNothing();
    void replaceKeepsFileAndSavedFlag();
    void markSavedSetsFileAndFlag();
};

void TestSheetModel::blankSheetShowsThePrintedLabels()
{
    const CharacterSheet sheet;
    for (int i = 0; i < CharacterSheet::captionCount; ++i) {
        // The general skills are printed; name, class and further skill rows wait for the character.
        const bool empty = i < 2 || (i >= 58 && i <= 78);
        QVERIFY2(sheet.caption(i).isEmpty() == empty, qPrintable(u"caption %1"_s.arg(i)));
    }
    QCOMPARE(sheet.caption(27), u" Au"_s);
    QCOMPARE(sheet.caption(33), u"Allgemeinbildung"_s);
    QCOMPARE(sheet.caption(57), u"Verkleiden"_s);
    QCOMPARE(sheet.caption(84), u"Ausrüstung"_s);
    QCOMPARE(sheet.caption(95), u"Schmecken"_s);
}

void TestSheetModel::blankSheetHoldsOnlyTheStandardWeapons()
{
    const CharacterSheet sheet;
    for (int i = 0; i < CharacterSheet::valueCount; ++i) {
        QVERIFY2(sheet.value(i).isEmpty() != isWeaponCell(i), qPrintable(u"value %1"_s.arg(i)));
        QVERIFY(sheet.toolTip(i).isEmpty());
    }
    QCOMPARE(sheet.value(129), u"Dolch"_s);
    QCOMPARE(sheet.value(133), u"waffenl.Kampf"_s);
    QCOMPARE(sheet.value(145), u"Schrotflinte"_s);
    for (int line = 0; line <= CharacterSheet::overflowLineIndex; ++line)
        QVERIFY(sheet.equipmentLine(line).isEmpty());
}

void TestSheetModel::clearingKeepsTheLabelsAndTheOverflowLine()
{
    const CharacterSheet blank;
    const CharacterSheet filled = filledSheet();
    CharacterSheet cleared = filled;
    cleared.clearCharacter();

    for (int i = 0; i < CharacterSheet::captionCount; ++i) {
        const CharacterSheet &expected = CharacterSheet::isCharacterCaption(i) ? blank : filled;
        QCOMPARE(cleared.caption(i), expected.caption(i));
    }
    QCOMPARE(cleared.values(), blank.values());
    QCOMPARE(cleared.toolTips(), blank.toolTips());
    QCOMPARE(cleared.equipmentLines(), blank.equipmentLines());
    QCOMPARE(cleared.overflowLine(), filled.overflowLine());
    QVERIFY(!cleared.overflowLine().isEmpty());
}

void TestSheetModel::indexesOutsideTheSheetAreRefused_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    const std::pair<const char *, Field> fields[] = {{"caption", Field::Caption},
                                                     {"value", Field::Value},
                                                     {"tool tip", Field::ToolTip},
                                                     {"equipment", Field::Equipment}};
    for (const auto &[name, field] : fields) {
        QTest::addRow("%s -1", name) << field << -1;
        QTest::addRow("%s count", name) << field << countOf(field);
        QTest::addRow("%s INT_MIN", name) << field << INT_MIN;
        QTest::addRow("%s INT_MAX", name) << field << INT_MAX;
    }
}

void TestSheetModel::indexesOutsideTheSheetAreRefused()
{
    QFETCH(Field, field);
    QFETCH(int, index);
    CharacterSheet sheet;
    QVERIFY(!write(sheet, field, index, u"x"_s));
    QVERIFY(read(sheet, field, index).isEmpty());
    QCOMPARE(sheet, CharacterSheet());
    if (field == Field::Equipment) {
        QVERIFY(!sheet.insertEquipmentLine(index));
        QVERIFY(!sheet.removeEquipmentLine(index));
    }
}

void TestSheetModel::fieldsHoldOneLine()
{
    CharacterSheet sheet;
    QVERIFY(sheet.setCaption(0, u"Anna\r\nvon\tBerg"_s));
    QVERIFY(sheet.setValue(12, u"a\nb"_s));
    QVERIFY(sheet.setEquipmentLine(3, u"Seil\r"_s));
    QCOMPARE(sheet.caption(0), u"Anna  von Berg"_s);
    QCOMPARE(sheet.value(12), u"a b"_s);
    QCOMPARE(sheet.equipmentLine(3), u"Seil "_s);
    // The cleaned text is the one compared: writing it again changes nothing.
    QVERIFY(!sheet.setValue(12, u"a\rb"_s));
}

void TestSheetModel::insertingPushesLine28IntoTheOverflowLine()
{
    CharacterSheet sheet = filledSheet();
    const CharacterSheet before = sheet;
    QVERIFY(sheet.insertEquipmentLine(0));
    QVERIFY(sheet.equipmentLine(0).isEmpty());
    for (int line = 1; line <= CharacterSheet::overflowLineIndex; ++line)
        QCOMPARE(sheet.equipmentLine(line), before.equipmentLine(line - 1));

    // The line pushed out of sight comes back with the next removal.
    QVERIFY(sheet.removeEquipmentLine(0));
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
        QCOMPARE(sheet.equipmentLine(line), before.equipmentLine(line));
    QVERIFY(sheet.overflowLine().isEmpty());
}

void TestSheetModel::removingPullsTheOverflowLineBack()
{
    CharacterSheet sheet = filledSheet();
    const CharacterSheet before = sheet;
    QVERIFY(sheet.removeEquipmentLine(5));
    for (int line = 0; line < 5; ++line)
        QCOMPARE(sheet.equipmentLine(line), before.equipmentLine(line));
    for (int line = 5; line < CharacterSheet::overflowLineIndex; ++line)
        QCOMPARE(sheet.equipmentLine(line), before.equipmentLine(line + 1));
    QVERIFY(sheet.overflowLine().isEmpty());
}

void TestSheetModel::removingTheOverflowLineEmptiesIt()
{
    CharacterSheet sheet = filledSheet();
    const auto lines = sheet.equipmentLines();
    QVERIFY(sheet.removeEquipmentLine(CharacterSheet::overflowLineIndex));
    QVERIFY(sheet.overflowLine().isEmpty());
    QCOMPARE(sheet.equipmentLines(), lines);
}

void TestSheetModel::documentStartsBlankAndSaved()
{
    const SheetDocument document;
    QCOMPARE(document.sheet(), CharacterSheet());
    QVERIFY(document.isSaved());
    QVERIFY(document.fileName().isEmpty());
}

void TestSheetModel::realEditMarksUnsavedOnce_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::newRow("caption") << Field::Caption << 40;
    QTest::newRow("value") << Field::Value << 196;
    QTest::newRow("equipment") << Field::Equipment << 0;
    QTest::newRow("overflow") << Field::Equipment << CharacterSheet::overflowLineIndex;
}

void TestSheetModel::realEditMarksUnsavedOnce()
{
    QFETCH(Field, field);
    QFETCH(int, index);
    SheetDocument document;
    QSignalSpy captions(&document, &SheetDocument::captionChanged);
    QSignalSpy values(&document, &SheetDocument::valueChanged);
    QSignalSpy equipment(&document, &SheetDocument::equipmentChanged);
    QSignalSpy saved(&document, &SheetDocument::savedChanged);

    const auto edit = [&](const QString &text) {
        switch (field) {
        case Field::Caption:
            return document.setCaption(index, text);
        case Field::Value:
            return document.setValue(index, text);
        default:
            return document.setEquipmentLine(index, text);
        }
    };
    QVERIFY(edit(u"eins"_s));
    QVERIFY(edit(u"zwei"_s));

    QCOMPARE(read(document.sheet(), field, index), u"zwei"_s);
    QVERIFY(!document.isSaved());
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().first().toBool(), false);
    QSignalSpy &own = field == Field::Caption ? captions : field == Field::Value ? values : equipment;
    QCOMPARE(captions.size() + values.size() + equipment.size(), 2);
    QCOMPARE(own.size(), 2);
    if (field != Field::Equipment)
        QCOMPARE(own.first().first().toInt(), index);
}

void TestSheetModel::sameTextChangesNothing_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::newRow("printed label") << Field::Caption << 2;
    QTest::newRow("empty caption") << Field::Caption << 0;
    QTest::newRow("weapon") << Field::Value << 129;
    QTest::newRow("empty value") << Field::Value << 0;
    QTest::newRow("empty line") << Field::Equipment << 28;
}

void TestSheetModel::sameTextChangesNothing()
{
    QFETCH(Field, field);
    QFETCH(int, index);
    SheetDocument document;
    document.markSaved(u"/tmp/held.tvk"_s);
    QSignalSpy captions(&document, &SheetDocument::captionChanged);
    QSignalSpy values(&document, &SheetDocument::valueChanged);
    QSignalSpy equipment(&document, &SheetDocument::equipmentChanged);
    QSignalSpy saved(&document, &SheetDocument::savedChanged);

    const QString same = read(document.sheet(), field, index);
    const bool changed = field == Field::Caption ? document.setCaption(index, same)
                       : field == Field::Value   ? document.setValue(index, same)
                                                 : document.setEquipmentLine(index, same);
    QVERIFY(!changed);
    QVERIFY(document.isSaved());
    QCOMPARE(captions.size() + values.size() + equipment.size() + saved.size(), 0);
}

void TestSheetModel::documentRefusesIndexesOutsideTheSheet()
{
    SheetDocument document;
    QSignalSpy captions(&document, &SheetDocument::captionChanged);
    QSignalSpy values(&document, &SheetDocument::valueChanged);
    QSignalSpy equipment(&document, &SheetDocument::equipmentChanged);
    QSignalSpy saved(&document, &SheetDocument::savedChanged);

    QVERIFY(!document.setCaption(CharacterSheet::captionCount, u"x"_s));
    QVERIFY(!document.setValue(-1, u"x"_s));
    QVERIFY(!document.setEquipmentLine(CharacterSheet::overflowLineIndex + 1, u"x"_s));
    QVERIFY(!document.insertEquipmentLine(-1));
    QVERIFY(!document.removeEquipmentLine(INT_MAX));

    QVERIFY(document.isSaved());
    QCOMPARE(document.sheet(), CharacterSheet());
    QCOMPARE(captions.size() + values.size() + equipment.size() + saved.size(), 0);
}

void TestSheetModel::shiftingAnEmptyListChangesNothing()
{
    SheetDocument document;
    QSignalSpy equipment(&document, &SheetDocument::equipmentChanged);
    QVERIFY(!document.insertEquipmentLine(0));
    QVERIFY(!document.removeEquipmentLine(0));
    QVERIFY(document.isSaved());
    QCOMPARE(equipment.size(), 0);

    QVERIFY(document.setEquipmentLine(28, u"Seil"_s));
    document.setSaved(true);
    QVERIFY(document.insertEquipmentLine(0));
    QCOMPARE(document.sheet().overflowLine(), u"Seil"_s);
    QVERIFY(!document.isSaved());
    QCOMPARE(equipment.size(), 2);
}

void TestSheetModel::replaceKeepsFileAndSavedFlag()
{
    SheetDocument document;
    document.markSaved(u"/tmp/held.tvk"_s);
    QSignalSpy replaced(&document, &SheetDocument::sheetReplaced);
    QSignalSpy saved(&document, &SheetDocument::savedChanged);
    QSignalSpy file(&document, &SheetDocument::fileNameChanged);

    CharacterSheet composed;
    composed.setToolTip(37, u"*= Fähigkeiten die ungelernt und nur durch Talent erhöht sind"_s);
    QVERIFY(composed != CharacterSheet()); // a tool tip alone makes another sheet
    document.replace(composed);
    QCOMPARE(document.sheet(), composed);
    QCOMPARE(replaced.size(), 1);

    // The same sheet again, as a second load of one file, is announced too.
    document.replace(composed);
    QCOMPARE(replaced.size(), 2);

    QVERIFY(document.isSaved());
    QCOMPARE(document.fileName(), u"/tmp/held.tvk"_s);
    QCOMPARE(saved.size() + file.size(), 0);
}

void TestSheetModel::markSavedSetsFileAndFlag()
{
    SheetDocument document;
    QVERIFY(document.setValue(0, u"Spielerin"_s));
    QSignalSpy saved(&document, &SheetDocument::savedChanged);
    QSignalSpy file(&document, &SheetDocument::fileNameChanged);

    document.markSaved(u"/tmp/held.tvk"_s);
    QVERIFY(document.isSaved());
    QCOMPARE(document.fileName(), u"/tmp/held.tvk"_s);
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().first().toBool(), true);
    QCOMPARE(file.size(), 1);
    QCOMPARE(file.first().first().toString(), u"/tmp/held.tvk"_s);

    document.markSaved(u"/tmp/held.tvk"_s);
    QCOMPARE(saved.size() + file.size(), 2);

    // A composition forgets the file.
    document.setFileName(QString());
    QVERIFY(document.fileName().isEmpty());
    QCOMPARE(file.size(), 2);
}

QTEST_GUILESS_MAIN(TestSheetModel)
#include "tst_sheetmodel.moc"
