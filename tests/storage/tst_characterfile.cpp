#include "sheet/sheetstyle.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "storage/sheetstylereader.h"
#include "support/testfiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// Every stored field filled, with the texts a German sheet holds; a few lines left empty.
CharacterSheet fullSheet()
{
    CharacterSheet sheet;
    for (int i = 0; i < CharacterFile::storedCaptionCount; ++i)
        sheet.setCaption(i, i == 40 ? QString() : u"Überschrift %1 äöüß"_s.arg(i));
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, i % 17 == 3 ? QString() : u"Wert %1: 12 € – »Groß«"_s.arg(i));
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        sheet.setEquipmentLine(i, i == 5 ? QString() : u"Säbel & Schild %1"_s.arg(i));
    return sheet;
}

// The lines of a hand-made file: the sheet's 318, then the given option lines.
QByteArray handMade(const QStringList &options, const QByteArray &lineEnd = "\n")
{
    QByteArray bytes;
    for (int i = 0; i < CharacterFile::sheetLineCount; ++i)
        bytes += "Zeile " + QByteArray::number(i + 1) + lineEnd;
    for (const QString &option : options)
        bytes += option.toLatin1() + lineEnd;
    return bytes;
}

// A settings store of its own in a temporary folder.
struct TempSettings
{
    QTemporaryDir dir;
    SettingsStore store{dir.filePath(u"Tarvosk.conf"_s)};
};

QString noSuchFont(const QString &name)
{
    return name == u"Liberation Serif" ? name : u"Times New Roman"_s;
}

} // namespace

class TestCharacterFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Written and read again, every stored field comes back; its options taken over and written again, the bytes are the same.
    void roundTrip()
    {
        TempSettings s;
        s.store.write(Settings::LabelsFont, Settings::FontSize, u"9,5"_s);
        s.store.write(Settings::ValuesFont, Settings::FontName, u"Liberation Serif"_s);
        s.store.write(Settings::HeadlineFont, Settings::FontBold, u"True"_s);
        const QByteArray bytes = CharacterFile::encode(fullSheet(), CharacterFile::optionBlock(readSheetStyle(s.store)));
        QCOMPARE(bytes.count("\r\n"), CharacterFile::lineCount);
        QCOMPARE(bytes.count('\n'), CharacterFile::lineCount);
        QVERIFY(bytes.contains("\xdc" "berschrift 1 \xe4\xf6\xfc\xdf\r\n"));
        QVERIFY(bytes.contains(": 12 \x80 \x96 \xbbGro\xdf\xab\r\n"));
        QVERIFY(bytes.endsWith(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n18\r\nTimes New Roman\r\n"
                               " 0 \r\n 0 \r\n 0 \r\n 0 \r\n9.5\r\nTimes New Roman\r\n"
                               " 0 \r\n 0 \r\n 0 \r\n 0 \r\n8.25\r\nLiberation Serif\r\n0\r\n1\r\n1\r\n"));

        const QString file = s.dir.filePath(u"Held.tvk"_s);
        QVERIFY(!CharacterFile::write(file, bytes));
        const std::optional<CharacterFile::Contents> contents = CharacterFile::read(file);
        QVERIFY(contents);
        QCOMPARE(contents->sheet, fullSheet());
        QCOMPARE(contents->options.size(), CharacterFile::optionLineCount);
        TempSettings other;
        CharacterFile::takeOverOptions(contents->options, other.store, noSuchFont);
        QCOMPARE(CharacterFile::encode(contents->sheet, CharacterFile::optionBlock(readSheetStyle(other.store))), bytes);
        // A line break in an option (a settings file edited by hand) cannot shift the lines.
        QCOMPARE(CharacterFile::encode(CharacterSheet(), {u"Times\nNew\rRoman"_s}).count('\n'), CharacterFile::sheetLineCount + 1);
    }

    // A file made by hand, LF alone: the option lines it has are taken over, and only when SaveFont is 1.
    void optionBlock_data()
    {
        QTest::addColumn<QString>("saveFont");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected"); // Headline bold, italic, strikethru, underline, size, name
        QTest::newRow("SaveFont 0") << u"0"_s << QStringList{u" 1 "_s, u" 1 "_s, u" 1 "_s, u" 1 "_s, u"12"_s} << QStringList(6, u"-"_s);
        QTest::newRow("flag forms, comma, unknown font")
            << u"1"_s << QStringList{u" 1 "_s, u"Falsch"_s, u""_s, u"10"_s, u"12,75pt"_s, u"Gibtsnicht Sans"_s}
            << QStringList{u"True"_s, u"False"_s, u"True"_s, u"False"_s, u"12.75"_s, u"Times New Roman"_s};
        QTest::newRow("part of the block") << u"1"_s << QStringList{u"False"_s, u"false"_s, u" 0 "_s}
                                           << QStringList{u"False"_s, u"True"_s, u"False"_s, u"-"_s, u"-"_s, u"-"_s};
    }

    void optionBlock()
    {
        QFETCH(QString, saveFont);
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        TempSettings s;
        s.store.write(Settings::SaveFont, saveFont);
        const std::optional<CharacterFile::Contents> contents = CharacterFile::decode(handMade(options));
        QVERIFY(contents);
        CharacterFile::takeOverOptions(contents->options, s.store, noSuchFont);
        QStringList stored;
        for (const QStringView key : {Settings::FontBold, Settings::FontItalic, Settings::FontStrikethru,
                                      Settings::FontUnderline, Settings::FontSize, Settings::FontName})
            stored << s.store.read(Settings::HeadlineFont, key, u"-");
        QCOMPARE(stored, expected);
    }

    // A size a file brings is stored as written; the style, and so the page and the next file, keep it in range.
    void sizesThroughTheStyle()
    {
        // The line of the option block (headline, labels, values size), its text, as stored, as written again.
        for (const auto &[line, text, stored, written] :
             {std::tuple{4, u"40"_s, u"40"_s, u"18"_s}, {10, u"12,75pt"_s, u"12.75"_s, u"10"_s}, {16, u"2"_s, u"2"_s, u"6"_s}}) {
            QStringList options = CharacterFile::optionBlock(SheetStyle());
            options[line] = text;
            const std::optional<CharacterFile::Contents> contents = CharacterFile::decode(handMade(options));
            QVERIFY(contents);
            TempSettings s;
            CharacterFile::takeOverOptions(contents->options, s.store, {});
            const CharacterFile::OptionSlot slot = CharacterFile::optionSlots()[std::size_t(line)];
            QCOMPARE(s.store.read(slot.section, slot.key), stored);
            QCOMPARE(CharacterFile::optionBlock(readSheetStyle(s.store))[line], written);
            // A file drawn with its own options is held to the same range.
            const TempSettings blank;
            QCOMPARE(CharacterFile::optionBlock(readSheetStyle(blank.store, contents->options))[line], written);
        }
    }

    // What is a character file and what is not; what is, comes back as it was.
    void decode_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("options"); // -1: no character file
        const QByteArray full = handMade({});
        QTest::newRow("317 lines") << full.left(full.lastIndexOf("Zeile 318")) << -1;
        QTest::newRow("NUL byte") << QByteArray(full).insert(20, '\0') << -1;
        QTest::newRow("line over 64 KiB") << QByteArray(CharacterFile::longestLine + 1, 'x') + full << -1;
        QTest::newRow("318 lines") << full << 0;
        QTest::newRow("325 lines, no final line end")
            << handMade({u" 1 "_s, u"1"_s, u"0"_s, u"0"_s, u"9"_s, u"Arial"_s, u"x"_s}).chopped(1) << 7;
        QTest::newRow("10000 lines") << full + QByteArray("0\n").repeated(10000 - CharacterFile::sheetLineCount)
                                     << CharacterFile::optionLineCount;
        QTest::newRow("CR alone, bytes no code page has")
            << handMade({}, "\r").replace("Zeile 1\r", "\x81\x8d\x8f\x90\x9d\r") << 0;
    }

    void decode()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, options);
        const std::optional<CharacterFile::Contents> contents = CharacterFile::decode(content);
        QCOMPARE(contents.has_value(), options >= 0);
        if (!contents)
            return;
        QCOMPARE(contents->options.size(), options);
        QCOMPARE(contents->sheet.value(0), u"Zeile 93"_s);
        // The undefined bytes read back as themselves.
        if (content.startsWith("\x81"))
            QCOMPARE(CharacterFile::encode(contents->sheet, {}).left(6), QByteArray("\x81\x8d\x8f\x90\x9d\r"));
    }

    // Mutated files never crash the reader, and what it takes it writes back as 318 sheet lines.
    void mutatedFiles()
    {
        const QByteArray original = CharacterFile::encode(fullSheet(), {u" 1 "_s, u"0"_s, u"8,5"_s});
        QRandomGenerator random(1880);
        int loaded = 0;
        for (int round = 0; round < 10000; ++round) {
            QByteArray bytes = original;
            const int mutations = 1 + int(random.bounded(8));
            for (int m = 0; m < mutations; ++m) {
                const qsizetype at = random.bounded(qsizetype(bytes.size() + 1));
                switch (random.bounded(5)) {
                case 0: if (at < bytes.size()) bytes[at] = char(random.bounded(256)); break;
                case 1: bytes.insert(at, "\r\n\0\r\x81"[random.bounded(5)]); break;
                case 2: bytes.truncate(at); break;
                case 3: bytes.remove(at, random.bounded(400)); break;
                case 4: bytes.insert(at, bytes.mid(random.bounded(qsizetype(bytes.size() + 1)), 300)); break;
                }
            }
            const std::optional<CharacterFile::Contents> contents = CharacterFile::decode(bytes);
            if (!contents)
                continue;
            ++loaded;
            QCOMPARE(CharacterFile::encode(contents->sheet, {}).count("\r\n"), CharacterFile::sheetLineCount);
            QVERIFY(contents->options.size() <= CharacterFile::optionLineCount);
        }
        QVERIFY(loaded > 1000);
    }
};

QTEST_GUILESS_MAIN(TestCharacterFile)
#include "tst_characterfile.moc"
