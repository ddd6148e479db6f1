#include "sheet/sheetdocument.h"
#include "storage/characterfile.h"
#include "storage/characterfilename.h"
#include "storage/characterfiles.h"
#include "storage/recoverycopy.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "support/recordingmessages.h"
#include "support/scriptedfiledialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

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

// A document with its character files over a temporary folder, which is the current directory.
struct Fixture
{
    Fixture() { QDir::setCurrent(dir.path()); }
    ~Fixture() { QDir::setCurrent(QDir::tempPath()); }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString recent(int k) const { return settings.read(Settings::Recent, QString::number(k)); }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(u"Tarvosk.conf"_s)};
    SheetDocument document;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    CharacterFiles files{{settings, document, messages, dialogs,
                          [](const QString &name) {
                              return name == u"Liberation Serif" ? name : u"Times New Roman"_s;
                          }}};
};

} // namespace

class TestCharacterFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Saved and loaded again, every stored field comes back; loaded and saved again, the bytes are the same.
    void roundTrip()
    {
        Fixture f;
        f.settings.write(Settings::LabelsFont, Settings::FontSize, u"9,5"_s);
        f.settings.write(Settings::ValuesFont, Settings::FontName, u"Liberation Serif"_s);
        f.settings.write(Settings::HeadlineFont, Settings::FontBold, u"True"_s);
        f.document.replace(fullSheet());
        f.document.setSaved(false);
        f.dialogs.choices = {{f.path(u"Held"_s)}};
        bool askName = false;
        QVERIFY(f.files.SaveCharacterFile(askName));
        QVERIFY(askName);
        const QString file = f.path(u"Held.tvk"_s);
        QCOMPARE(f.document.fileName(), file);
        QVERIFY(f.document.isSaved());

        const QByteArray bytes = readAll(file);
        QCOMPARE(bytes.count("\r\n"), CharacterFile::lineCount);
        QCOMPARE(bytes.count('\n'), CharacterFile::lineCount);
        QVERIFY(bytes.contains("\xdc" "berschrift 1 \xe4\xf6\xfc\xdf\r\n"));
        QVERIFY(bytes.contains(": 12 \x80 \x96 \xbbGro\xdf\xab\r\n"));
        QVERIFY(bytes.endsWith(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n18\r\nTimes New Roman\r\n"
                               " 0 \r\n 0 \r\n 0 \r\n 0 \r\n9.5\r\nTimes New Roman\r\n"
                               " 0 \r\n 0 \r\n 0 \r\n 0 \r\n8.25\r\nLiberation Serif\r\n0\r\n1\r\n1\r\n"));

        f.document.replace(CharacterSheet());
        f.document.markSaved(QString());
        QVERIFY(f.files.LoadCharacterFile(u"\""_s + file + u"\""_s));
        QCOMPARE(f.document.sheet(), fullSheet());
        QCOMPARE(f.settings.read(Settings::LabelsFont, Settings::FontSize), u"9.5"_s);
        askName = false;
        QVERIFY(f.files.SaveCharacterFile(askName));
        QVERIFY(!askName);
        QCOMPARE(readAll(file), bytes);
        QVERIFY(f.messages.shown.isEmpty());
        // A line break in an option (a settings file edited by hand) cannot shift the lines.
        QCOMPARE(CharacterFile::encode(CharacterSheet(), {u"Times\nNew\rRoman"_s}).count('\n'), CharacterFile::sheetLineCount + 1);
    }

    // A file made by hand: LF alone, 318 lines leave the options alone; more lines set those they have.
    void optionBlock_data()
    {
        QTest::addColumn<QString>("saveFont");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected"); // Headline bold, italic, strikethru, underline, size, name
        const QStringList untouched{u"-"_s, u"-"_s, u"-"_s, u"-"_s, u"-"_s, u"-"_s};
        QTest::newRow("318 lines") << u"1"_s << QStringList() << untouched;
        QTest::newRow("SaveFont 0") << u"0"_s << QStringList{u" 1 "_s, u" 1 "_s, u" 1 "_s, u" 1 "_s, u"12"_s} << untouched;
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
        Fixture f;
        f.settings.write(Settings::SaveFont, saveFont);
        QVERIFY(writeFile(f.path(u"hand.tvk"_s), handMade(options)));
        QVERIFY(f.files.LoadCharacterFile(f.path(u"hand.tvk"_s)));
        QCOMPARE(f.document.sheet().caption(0), u"Zeile 1"_s);
        QCOMPARE(f.document.sheet().equipmentLine(28), u"Zeile 318"_s);
        QStringList stored;
        for (const QStringView key : {Settings::FontBold, Settings::FontItalic, Settings::FontStrikethru,
                                      Settings::FontUnderline, Settings::FontSize, Settings::FontName})
            stored << f.settings.read(Settings::HeadlineFont, key, u"-");
        QCOMPARE(stored, expected);
    }

    // Nothing changes for a file that is no character: not the sheet, its file, its flag or the recent files.
    void badFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loads");
        const QByteArray full = handMade({});
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("one line") << QByteArray("Held\r\n") << false;
        QTest::newRow("317 lines") << full.left(full.lastIndexOf("Zeile 318")) << false;
        QTest::newRow("NUL byte") << QByteArray(full).insert(20, '\0') << false;
        QByteArray longLine = full;
        longLine.insert(0, QByteArray(CharacterFile::longestLine + 1, 'x'));
        QTest::newRow("line over 64 KiB") << longLine << false;
        QTest::newRow("325 lines, no final line end") << handMade({u" 1 "_s, u"1"_s, u"0"_s, u"0"_s, u"9"_s, u"Arial"_s, u"x"_s}).chopped(1) << true;
        QByteArray many = full;
        for (int i = CharacterFile::sheetLineCount; i < 10000; ++i)
            many += "0\n";
        QTest::newRow("10000 lines") << many << true;
        QTest::newRow("CR alone, bytes no code page has") << handMade({}, "\r").replace("Zeile 1\r", "\x81\x8d\x8f\x90\x9d\r") << true;
    }

    void badFilesChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        Fixture f;
        f.document.setValue(0, u"Alter Wert"_s);
        f.document.markSaved(u"/alt/Held.tvk"_s);
        f.document.setValue(1, u"ungespeichert"_s);
        f.settings.write(Settings::Recent, u"0", u"/alt/Held.tvk"_s);
        const CharacterSheet before = f.document.sheet();
        QVERIFY(writeFile(f.path(u"neu.tvk"_s), content));
        QCOMPARE(f.files.LoadCharacterFile(f.path(u"neu.tvk"_s)), loads);
        if (loads) {
            QVERIFY(f.messages.shown.isEmpty());
            QCOMPARE(f.document.fileName(), f.path(u"neu.tvk"_s));
            QVERIFY(f.document.isSaved());
            // The undefined bytes read back as themselves.
            if (content.startsWith("\x81"))
                QCOMPARE(CharacterFile::encode(f.document.sheet(), {}).left(6), QByteArray("\x81\x8d\x8f\x90\x9d\r"));
            return;
        }
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"Fehler beim Laden !"_s);
        QCOMPARE(f.messages.shown[0].title, u"Kritischer Fehler"_s);
        QCOMPARE(f.document.sheet(), before);
        QCOMPARE(f.document.fileName(), u"/alt/Held.tvk"_s);
        QVERIFY(!f.document.isSaved());
        QCOMPARE(f.recent(0), u"/alt/Held.tvk"_s);
        QCOMPARE(f.recent(1), QString());
    }

    // Paths: ".tvk" anywhere, in any case; otherwise silence. A folder or a missing file is a load error.
    void pathsAndRecentFiles()
    {
        Fixture f;
        const QByteArray content = CharacterFile::encode(fullSheet(), {});
        for (const QString &name : {u"a.tvk"_s, u"b.TVK.bak"_s, u"c.tvk"_s, u"d.tvk"_s, u"e.tvk"_s, u"held.mcx"_s})
            QVERIFY(writeFile(f.path(name), content));
        QVERIFY(!f.files.LoadCharacterFile(f.path(u"held.mcx"_s)));
        QVERIFY(f.messages.shown.isEmpty());
        for (const QString &name : {u"a.tvk"_s, u"b.TVK.bak"_s, u"c.tvk"_s, u"d.tvk"_s})
            QVERIFY(f.files.LoadCharacterFile(f.path(name)));
        QCOMPARE(f.recent(0), f.path(u"d.tvk"_s));
        QCOMPARE(f.recent(3), f.path(u"a.tvk"_s));
        // Entry "2" swaps with entry "0"; a new one pushes the last out.
        QVERIFY(f.files.LoadCharacterFile(f.path(u"b.TVK.bak"_s)));
        QCOMPARE(f.recent(0), f.path(u"b.TVK.bak"_s));
        QCOMPARE(f.recent(2), f.path(u"d.tvk"_s));
        QVERIFY(f.files.LoadCharacterFile(f.path(u"e.tvk"_s)));
        QCOMPARE(f.recent(0), f.path(u"e.tvk"_s));
        QCOMPARE(f.recent(3), f.path(u"d.tvk"_s));

        for (const QString &bad : {f.dir.path() + u"/ordner.tvk"_s, f.path(u"fehlt.tvk"_s)}) {
            QDir().mkpath(f.dir.filePath(u"ordner.tvk"_s));
            f.messages.shown.clear();
            QVERIFY(!f.files.LoadCharacterFile(bad));
            QCOMPARE(f.messages.shown.size(), 1);
        }
        // The open dialog: its filter, and a cancel that does nothing.
        QVERIFY(!f.files.LoadCharacterFile(QString()));
        QCOMPARE(f.dialogs.shown.last().filter, u"Valdris Charaktere (*.tvk)|*.tvk"_s);
        QCOMPARE(f.recent(0), f.path(u"e.tvk"_s));
    }

    void defaultNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("offered");
        QTest::newRow("Held taken") << u"Held"_s << QStringList{u"Held.tvk"_s} << u"Held2"_s;
        QTest::newRow("stem shortened") << u"Alexander"_s << QStringList{u"Alexander.tvk"_s} << u"Alexande2"_s;
        QTest::newRow("once per number") << u"Alexander"_s << QStringList{u"Alexander.tvk"_s, u"Alexande2.tvk"_s}
                                         << u"Alexand3"_s;
        QTest::newRow("nobody2") << QString() << QStringList{u"nobody.tvk"_s} << u"nobody2"_s;
        QTest::newRow("slash") << u"A/B"_s << QStringList() << u"A-B"_s;
        QTest::newRow("all taken") << u"Held"_s << QStringList{u"*"_s} << QString();
    }

    void defaultNames()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, taken);
        QFETCH(QString, offered);
        const std::optional<QString> result = defaultCharacterName(
            name, [&taken](const QString &file) { return taken.contains(u"*"_s) || taken.contains(file); });
        QCOMPARE(result.value_or(QString()), offered);
    }

    // The save dialog: the default name, the extension rule, the other types, cancelling and failing.
    void saving()
    {
        Fixture f;
        f.document.setCaption(0, u"Held"_s);
        f.document.setSaved(false);
        QVERIFY(writeFile(f.path(u"Held.tvk"_s), "alt"));
        QString exported;
        f.files.addExportType({u"Word Dokument (*.docx)"_s, u".docx"_s, [&exported](const QString &path) { exported = path; }});
        f.dialogs.choices = {{f.path(u"Held"_s), 2}, {}, {f.path(u"Held.txt"_s)}, {f.path(u"Held"_s)},
                             {f.path(u"Held.TVK"_s)}};
        f.messages.answers = {MessageService::Answer::No};
        bool askName = false;
        QVERIFY(!f.files.SaveCharacterFile(askName));
        QCOMPARE(f.dialogs.shown[0].initialName, u"Held2"_s);
        QCOMPARE(f.dialogs.shown[0].filter,
                 u"Valdris Charaktere (*.tvk)|*.tvk|Word Dokument (*.docx)|*.docx"_s);
        QCOMPARE(exported, f.path(u"Held.docx"_s));
        // Cancelled: nothing written.
        QVERIFY(!f.files.SaveCharacterFile(askName));
        QCOMPARE(f.document.fileName(), QString());
        QVERIFY(!f.document.isSaved());
        QVERIFY(f.files.SaveCharacterFile(askName));
        QCOMPARE(f.document.fileName(), f.path(u"Held.txt.tvk"_s));
        // "Held" becomes Held.tvk, which the dialog did not confirm: No keeps the old file.
        askName = true;
        QVERIFY(!f.files.SaveCharacterFile(askName));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(readAll(f.path(u"Held.tvk"_s)), QByteArray("alt"));
        QVERIFY(f.files.SaveCharacterFile(askName));
        QCOMPARE(f.document.fileName(), f.path(u"Held.TVK"_s));

        // A target that cannot be written (a folder): the message, the file name and the flag as before.
        f.document.setValue(3, u"neu"_s);
        f.dialogs.choices = {{f.path(u"ordner.tvk"_s)}};
        QDir().mkpath(f.path(u"ordner.tvk"_s));
        QVERIFY(!f.files.SaveCharacterFile(askName));
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown[1].text, u"Fehler beim Speichern"_s);
        QCOMPARE(f.document.fileName(), f.path(u"Held.TVK"_s));
        QVERIFY(!f.document.isSaved());
    }

    void noNameLeft()
    {
        Fixture f;
        f.document.setCaption(0, u"N"_s);
        QVERIFY(writeFile(f.path(u"N.tvk"_s), "x"));
        for (int n = 2; n <= 999; ++n)
            QVERIFY(writeFile(f.path(u"N%1.tvk"_s.arg(n)), "x"));
        bool askName = false;
        QVERIFY(!f.files.SaveCharacterFile(askName));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"Es wird langsam Zeit, sich einen neuen Namen auszudenken !!!"_s);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // The sheet's own clearing is the sheet model's test; here: this sheet is cleared, its printed labels kept.
    void deleting()
    {
        Fixture f;
        QVERIFY(writeFile(f.path(u"Held.tvk"_s), CharacterFile::encode(fullSheet(), {})));
        QVERIFY(f.files.LoadCharacterFile(f.path(u"Held.tvk"_s)));
        f.document.setCaption(2, u"Spielerin"_s);
        f.files.DeleteCharacter();
        QVERIFY(!QFile::exists(f.path(u"Held.tvk"_s)));
        QCOMPARE(f.document.sheet().caption(0) + f.document.sheet().caption(2), u"Spielerin"_s);
        QCOMPARE(f.document.fileName(), f.path(u"Held.tvk"_s));
        QVERIFY(!f.document.isSaved());
        // Again, with the file gone: no message.
        f.files.DeleteCharacter();
        QVERIFY(f.messages.shown.isEmpty());
    }

    // While the sheet is unsaved a copy is kept; saving removes it; No at the next start removes it too.
    // Yes, after a real kill, is the character start's test.
    void recoveryCopy()
    {
        Fixture f;
        const QString copy = f.path(u"state/Tarvosk/recovery.tvk"_s);
        {
            RecoveryCopy recovery(f.document, f.settings, copy);
            f.document.replace(fullSheet());
            QVERIFY(!QFile::exists(copy));
            f.document.setSaved(false);
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 3 * RecoveryCopy::writeInterval);
            f.document.setSaved(true);
            QVERIFY(!QFile::exists(copy));
            f.document.setValue(7, u"blau"_s);
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 3 * RecoveryCopy::writeInterval);
        }
        RecoveryCopy recovery(f.document, f.settings, copy);
        f.messages.answers = {MessageService::Answer::No};
        QVERIFY(!recovery.offerRestore(f.messages));
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!recovery.offerRestore(f.messages));
        QCOMPARE(f.messages.shown.size(), 1);
    }

    // Mutated files never crash the loader, and what it takes it writes back as 339 lines.
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

    void speed_data()
    {
        QTest::addColumn<bool>("saving");
        QTest::newRow("load") << false;
        QTest::newRow("save") << true;
    }

    void speed()
    {
        QFETCH(bool, saving);
        Fixture f;
        const QString file = f.path(u"Held.tvk"_s);
        f.document.replace(fullSheet());
        f.document.markSaved(file);
        bool askName = false;
        QVERIFY(f.files.SaveCharacterFile(askName));
        QBENCHMARK {
            if (saving)
                f.files.SaveCharacterFile(askName);
            else
                f.files.LoadCharacterFile(file);
        }
    }
};

QTEST_GUILESS_MAIN(TestCharacterFile)
#include "tst_characterfile.moc"
