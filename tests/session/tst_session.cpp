#include "formats/sheetformats.h"
#include "session/charactersession.h"
#include "sheet/sheetdocument.h"
#include "sheet/sheetstyle.h"
#include "storage/characterfile.h"
#include "storage/recoverycopy.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "support/recordingmessages.h"
#include "support/scriptedfiledialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Tarvosk;
using namespace Qt::StringLiterals;
using Answer = MessageService::Answer;

namespace {

const QString saveQuestionText = u"Charakter speichern ?"_s;
const std::optional<Answer> escape; // the user pressed Escape or closed the box

// A sheet told apart from others by its name; the rest filled as a German sheet is.
CharacterSheet sheetOf(const QString &name)
{
    CharacterSheet sheet;
    for (int i = 0; i < CharacterFile::storedCaptionCount; ++i)
        sheet.setCaption(i, u"Überschrift %1 äöüß"_s.arg(i));
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, u"Wert %1: 12 € – »Groß«"_s.arg(i));
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        sheet.setEquipmentLine(i, u"Säbel & Schild %1"_s.arg(i));
    sheet.setCaption(CharacterSheet::nameCaption, name);
    return sheet;
}

QByteArray characterBytes(const CharacterSheet &sheet, const QStringList &trailingLines = {})
{
    return CharacterFile::encode(sheet, CharacterFile::optionBlock(SheetStyle()), trailingLines);
}

int modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode) : 0;
}

// Puts a "file" with the content, a "folder" or a "fifo" at the path; anything else leaves it free.
bool place(const QString &kind, const QString &path, const QByteArray &content = {})
{
    if (kind == u"folder")
        return QDir().mkpath(path);
    if (kind == u"fifo")
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return kind != u"file" || writeFile(path, content);
}

bool makeLink(const QString &target, const QString &link)
{
    QDir().mkpath(QFileInfo(link).absolutePath());
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

// While it lives, files may not grow past 4 KiB, as under "ulimit -f": with SIGXFSZ ignored, a write fails with EFBIG.
struct FileSizeLimit
{
    FileSizeLimit()
    {
        ::getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{4096, old.rlim_max};
        set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old); }

    rlimit old{};
    bool set = false;
};

// A session over a temporary folder, which is the current directory (default names are looked up there).
struct Fixture
{
    Fixture() { QDir::setCurrent(dir.path()); }
    ~Fixture() { QDir::setCurrent(QDir::tempPath()); }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString recent(int k) const { return settings.read(Settings::Recent, QString::number(k)); }
    SheetDocument &document() const { return session.document(); }
    // A character file of that name, holding a sheet of that name.
    QString character(const QString &name)
    {
        const QString file = path(name + u".tvk"_s);
        writeFile(file, characterBytes(sheetOf(name)));
        return file;
    }
    QStringList texts() const
    {
        QStringList all;
        for (const RecordingMessages::Shown &shown : messages.shown)
            all << shown.text;
        return all;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(u"Tarvosk.conf"_s)};
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    SheetFormats formats{settings};
    const QString copy = dir.filePath(u"state/Tarvosk/recovery.tvk"_s);
    CharacterSession session{{settings, messages, dialogs, formats.all(),
                              [](const QString &name) { return name == u"Liberation Serif" ? name : u"Times New Roman"_s; },
                              copy}};
};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A write past FileSizeLimit then fails with EFBIG instead of ending the test.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    // Saved and opened again, every field and option comes back; saved again, the bytes are the same.
    void roundTrip()
    {
        Fixture f;
        f.settings.write(Settings::LabelsFont, Settings::FontSize, u"9,5"_s);
        f.settings.write(Settings::ValuesFont, Settings::FontName, u"Liberation Serif"_s);
        f.session.finish(sheetOf(u"Held"_s));
        f.dialogs.choices = {{f.path(u"Held"_s)}};
        QVERIFY(f.session.save());
        const QString file = f.path(u"Held.tvk"_s);
        QCOMPARE(f.document().fileName(), file);
        QVERIFY(f.document().isSaved());
        const QByteArray bytes = readAll(file);
        QVERIFY(bytes.endsWith("18\r\nTimes New Roman\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n9.5\r\nTimes New Roman\r\n"
                               " 0 \r\n 0 \r\n 0 \r\n 0 \r\n8.25\r\nLiberation Serif\r\n0\r\n1\r\n1\r\n"));

        f.settings.write(Settings::LabelsFont, Settings::FontSize, u"7"_s);
        f.session.begin();
        QVERIFY(f.session.openAtStart(u"\""_s + file + u"\""_s));
        QCOMPARE(f.document().sheet(), sheetOf(u"Held"_s));
        QCOMPARE(f.settings.read(Settings::LabelsFont, Settings::FontSize), u"9.5"_s);
        QVERIFY(f.session.save());
        QCOMPARE(readAll(file), bytes);
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(f.dialogs.shown.size(), 1);

        // A size out of range is stored as the file has it, and written back within the range.
        QStringList options = CharacterFile::optionBlock(SheetStyle());
        options[10] = u"12,75pt"_s;
        QVERIFY(writeFile(file, CharacterFile::encode(sheetOf(u"Held"_s), options)));
        QVERIFY(f.session.openAtStart(file));
        QCOMPARE(f.settings.read(Settings::LabelsFont, Settings::FontSize), u"12.75"_s);
        f.document().setValue(0, u"neu"_s);
        QVERIFY(f.session.save());
        QCOMPARE(readAll(file).split('\n').value(CharacterFile::sheetLineCount + 10), QByteArray("10\r"));
    }

    // A file that cannot be opened is named with the reason; nothing changes: not the sheet, its file, its flag or the recent files.
    void failedLoad_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QString noCharacter = u"Sie ist keine Charakterdatei."_s;
        const QByteArray full = characterBytes(sheetOf(u"Neu"_s));
        QTest::newRow("empty") << u"file"_s << QByteArray() << noCharacter;
        QTest::newRow("317 lines") << u"file"_s << QByteArray("\r\n").repeated(CharacterFile::sheetLineCount - 1) << noCharacter;
        QTest::newRow("NUL byte") << u"file"_s << QByteArray(full).insert(20, '\0') << noCharacter;
        QTest::newRow("missing") << u"missing"_s << QByteArray() << u"Die Datei oder ihr Ordner existiert nicht."_s;
        QTest::newRow("folder") << u"folder"_s << QByteArray() << u"An dieser Stelle steht ein Ordner."_s;
        QTest::newRow("FIFO") << u"fifo"_s << QByteArray()
                              << u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;
    }

    void failedLoad()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        Fixture f;
        f.document().load(sheetOf(u"Alt"_s), u"/alt/Held.tvk"_s);
        f.document().setValue(1, u"ungespeichert"_s);
        f.settings.write(Settings::Recent, u"0", u"/alt/Held.tvk"_s);
        const CharacterSheet before = f.document().sheet();
        const QString file = f.path(u"neu.tvk"_s);
        QVERIFY(place(kind, file, content));
        QVERIFY(!f.session.openAtStart(file));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"Fehler beim Laden !\nDie Datei »%1« ließ sich nicht lesen. %2"_s.arg(file, reason));
        QCOMPARE(f.messages.shown[0].title, u"Kritischer Fehler"_s);
        QCOMPARE(f.messages.shown[0].icon, MessageService::Icon::Critical);
        QCOMPARE(f.document().sheet(), before);
        QCOMPARE(f.document().fileName(), u"/alt/Held.tvk"_s);
        QVERIFY(!f.document().isSaved());
        QCOMPARE(f.recent(0), u"/alt/Held.tvk"_s);
        QCOMPARE(f.recent(1), QString());
    }

    // Paths: ".tvk" anywhere, in any case; otherwise silence. The recent files follow every load.
    void pathsAndRecentFiles()
    {
        Fixture f;
        const QByteArray content = characterBytes(sheetOf(u"Held"_s));
        for (const QString &name : {u"a.tvk"_s, u"b.TVK.bak"_s, u"c.tvk"_s, u"d.tvk"_s, u"e.tvk"_s, u"held.mcx"_s})
            QVERIFY(writeFile(f.path(name), content));
        QVERIFY(!f.session.openAtStart(f.path(u"held.mcx"_s)));
        QVERIFY(f.messages.shown.isEmpty());
        for (const QString &name : {u"a.tvk"_s, u"b.TVK.bak"_s, u"c.tvk"_s, u"d.tvk"_s})
            QVERIFY(f.session.openAtStart(f.path(name)));
        QCOMPARE(f.recent(0), f.path(u"d.tvk"_s));
        QCOMPARE(f.recent(3), f.path(u"a.tvk"_s));
        // Entry "2" swaps with entry "0"; a new one pushes the last out.
        QVERIFY(f.session.openAtStart(f.path(u"b.TVK.bak"_s)));
        QCOMPARE(f.recent(0), f.path(u"b.TVK.bak"_s));
        QCOMPARE(f.recent(2), f.path(u"d.tvk"_s));
        QVERIFY(f.session.openAtStart(f.path(u"e.tvk"_s)));
        QCOMPARE(f.recent(0), f.path(u"e.tvk"_s));
        QCOMPARE(f.recent(3), f.path(u"d.tvk"_s));
        // The open dialog: its filter, and a cancel that does nothing.
        QVERIFY(!f.session.open());
        QCOMPARE(f.dialogs.shown.last().filter, u"Valdris Charaktere (*.tvk)|*.tvk"_s);
        QCOMPARE(f.recent(0), f.path(u"e.tvk"_s));
        QVERIFY(f.messages.shown.isEmpty());
    }

    // Each row opens its own file, after the save question; a file that is gone is passed over in silence.
    void openRecent_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("gone");
        for (int row = 0; row < Settings::RecentCount; ++row)
            QTest::addRow("row %d", row) << row << false;
        QTest::newRow("row 2, file gone") << 2 << true;
    }

    void openRecent()
    {
        QFETCH(int, row);
        QFETCH(bool, gone);
        Fixture f;
        for (int k = 0; k < Settings::RecentCount; ++k)
            f.settings.write(Settings::Recent, QString::number(k), f.character(u"R%1"_s.arg(k)));
        if (gone)
            QVERIFY(QFile::remove(f.recent(row)));
        const QString file = f.recent(row);
        f.session.finish(sheetOf(u"Neu"_s));
        f.messages.answers = {Answer::No};
        QCOMPARE(f.session.openRecent(row), !gone);
        QCOMPARE(f.texts(), QStringList{saveQuestionText});
        QCOMPARE(f.document().fileName(), gone ? QString() : file);
        QCOMPARE(f.document().sheet().caption(CharacterSheet::nameCaption), gone ? u"Neu"_s : u"R%1"_s.arg(row));
    }

    // "Charakter speichern ?" before every action that replaces an unsaved sheet:
    // Escape stops it, No discards, Yes saves and goes on only when the save went through.
    void saveQuestion_data()
    {
        QTest::addColumn<std::optional<Answer>>("answer");
        QTest::addColumn<QString>("belongsTo"); // the unsaved sheet's file
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<int>("messages");
        QTest::newRow("Escape") << escape << u"Held.tvk"_s << false << 1;
        QTest::newRow("No") << std::optional(Answer::No) << u"Held.tvk"_s << true << 1;
        QTest::newRow("Yes, saved") << std::optional(Answer::Yes) << u"Held.tvk"_s << true << 1;
        QTest::newRow("Yes, save cancelled") << std::optional(Answer::Yes) << QString() << false << 1;
        QTest::newRow("Yes, save failed") << std::optional(Answer::Yes) << u"ordner.tvk"_s << false << 2;
    }

    void saveQuestion()
    {
        QFETCH(std::optional<Answer>, answer);
        QFETCH(QString, belongsTo);
        QFETCH(bool, goesOn);
        QFETCH(int, messages);
        const QStringList actions{u"open"_s, u"openRecent"_s, u"maySetAside"_s, u"handOff"_s, u"openHeldFile"_s};
        for (const QString &action : actions) {
            Fixture f;
            const QString other = f.character(u"Anderer"_s);
            f.settings.write(Settings::Recent, u"0", other);
            const QString file = belongsTo.isEmpty() ? QString() : f.path(belongsTo);
            QVERIFY(writeFile(f.path(u"Held.tvk"_s), "alt"));
            QVERIFY(QDir().mkpath(f.path(u"ordner.tvk"_s)));
            f.document().restore(sheetOf(u"Held"_s), file);
            if (action == u"openHeldFile") {
                f.session.holdHandOff(other);
                f.messages.shown.clear();
            }
            f.messages.answers = {answer};
            bool result = true;
            if (action == u"open")
                result = f.session.open(other);
            else if (action == u"openRecent")
                result = f.session.openRecent(0);
            else if (action == u"maySetAside")
                result = f.session.maySetAside();
            else if (action == u"handOff")
                f.session.handOff(other);
            else
                result = f.session.openHeldFile();
            QVERIFY2(result == goesOn || action == u"handOff", qPrintable(action));
            QCOMPARE(f.messages.shown.size(), messages);
            QCOMPARE(f.messages.shown[0].text, saveQuestionText);
            QCOMPARE(f.messages.shown[0].title, u"Warnung"_s);
            QCOMPARE(f.messages.shown[0].onEscape, Answer::Cancel);
            if (action != u"maySetAside")
                QCOMPARE(f.document().fileName(), goesOn ? other : file);
            if (!goesOn) {
                QCOMPARE(f.document().sheet(), sheetOf(u"Held"_s));
                QVERIFY(!f.document().isSaved());
            }
            const bool saved = answer == Answer::Yes && goesOn;
            QCOMPARE(readAll(f.path(u"Held.tvk"_s)), saved ? characterBytes(sheetOf(u"Held"_s)) : QByteArray("alt"));
        }
    }

    // A save that fails for real: the reason is named, the sheet stays unsaved, the old file and the recovery copy stay.
    void failedSave_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("file too large") << u"file"_s << u"Die Datei wird zu groß für den Datenträger."_s;
        QTest::newRow("FIFO at target") << u"fifo"_s << u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;
        QTest::newRow("folder at target") << u"folder"_s << u"An dieser Stelle steht ein Ordner."_s;
    }

    void failedSave()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        Fixture f;
        const QString file = f.path(u"Held.tvk"_s);
        QVERIFY(place(kind, file, "alt"));
        const int mode = modeOf(file);
        f.document().restore(sheetOf(u"Held"_s), file);
        f.session.keepForLogout();
        const QByteArray copy = readAll(f.copy);
        QVERIFY(!copy.isEmpty());
        {
            std::optional<FileSizeLimit> limit;
            if (kind == u"file")
                QVERIFY(limit.emplace().set);
            QVERIFY(!f.session.save());
        }
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"Fehler beim Speichern\nDie Datei »%1« ließ sich nicht schreiben. %2"_s.arg(file, reason));
        QCOMPARE(f.messages.shown[0].title, u"Fehler"_s);
        QVERIFY(!f.document().isSaved());
        QCOMPARE(f.document().fileName(), file);
        QCOMPARE(modeOf(file), mode);
        if (kind == u"file")
            QCOMPARE(readAll(file), QByteArray("alt"));
        QCOMPARE(readAll(f.copy), copy);
    }
    // A second start hands a file over while the save question is open: it waits, and opens once the question is done.
    void handOffDuringQuestion()
    {
        Fixture f;
        const QString first = f.character(u"Erster"_s);
        const QString second = f.character(u"Zweiter"_s);
        const QString third = f.character(u"Dritter"_s);
        f.session.finish(sheetOf(u"Neu"_s));
        QString whileAsked = u"-"_s;
        f.messages.whileShown = [&] {
            if (f.messages.shown.size() == 1) {
                // Two later starts while the question is up: both wait, neither is lost, in their order.
                f.session.handOff(second);
                f.session.handOff(third);
                f.session.handOff(QString());
                whileAsked = f.document().fileName();
            }
        };
        f.messages.answers = {Answer::No};
        QSignalSpy loads(&f.document(), &SheetDocument::loaded);
        QVERIFY(f.session.open(first));
        QCOMPARE(whileAsked, QString());
        QCOMPARE(f.document().fileName(), first);
        QTRY_COMPARE(f.document().fileName(), third);
        QCOMPARE(loads.size(), 3);
        QCOMPARE(f.texts(), QStringList{saveQuestionText});
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    // A file handed over while the character is made: one word now, opened once later after the save question.
    void heldFile()
    {
        Fixture f;
        const QString file = f.character(u"Später"_s);
        f.session.finish(sheetOf(u"Neu"_s));
        QSignalSpy held(&f.session, &CharacterSession::heldFileChanged);
        f.session.holdHandOff(file);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].icon, MessageService::Icon::Information);
        QVERIFY(f.messages.shown[0].text.contains(u"»%1«"_s.arg(QDir::toNativeSeparators(file))));
        QCOMPARE(f.document().fileName(), QString());
        QVERIFY(f.session.hasHeldFile());

        f.messages.answers = {Answer::No};
        QVERIFY(f.session.openHeldFile());
        QCOMPARE(f.texts().mid(1), QStringList{saveQuestionText});
        QCOMPARE(f.document().fileName(), file);
        QVERIFY(!f.session.hasHeldFile());
        f.document().setValue(0, u"neu"_s);
        QVERIFY(!f.session.openHeldFile());
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(held.size(), 2);
        QCOMPARE(held[0][0].toString(), file);
        QCOMPARE(held[1][0].toString(), QString());
    }

    // The copy of an unsaved sheet is the user's alone, follows the sheet, names its file, and goes when the sheet is saved.
    void recoveryCopy_data()
    {
        QTest::addColumn<bool>("openFolder"); // an older start left the folder readable by others
        QTest::newRow("new folder") << false;
        QTest::newRow("folder was 0755") << true;
    }

    void recoveryCopy()
    {
        QFETCH(bool, openFolder);
        Fixture f;
        const QString folder = QFileInfo(f.copy).absolutePath();
        if (openFolder) {
            QVERIFY(QDir().mkpath(folder));
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
        }
        f.session.finish(sheetOf(u"Held"_s));
        QVERIFY(!QFile::exists(f.copy));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.copy), 3 * RecoveryCopy::writeInterval);
        QCOMPARE(modeOf(f.copy) & 0777, 0600);
        QCOMPARE(modeOf(folder) & 0777, 0700);
        QCOMPARE(CharacterFile::read(f.copy).value().sheet, sheetOf(u"Held"_s));
        f.dialogs.choices = {{f.path(u"Held"_s)}};
        QVERIFY(f.session.save());
        QVERIFY(!QFile::exists(f.copy));
        f.document().setValue(7, u"blau"_s);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.copy), 3 * RecoveryCopy::writeInterval);
        QCOMPARE(CharacterFile::read(f.copy).value().trailingLines, QStringList{f.path(u"Held.tvk"_s)});
    }

    // A link at the copy's place is never written through, by the timer or at logout.
    void recoveryNeverThroughLink()
    {
        Fixture f;
        const QString other = f.path(u"fremd.txt"_s);
        QVERIFY(writeFile(other, "fremd"));
        QVERIFY(makeLink(other, f.copy));
        f.session.finish(sheetOf(u"Held"_s));
        f.session.keepForLogout();
        QTest::qWait(2 * RecoveryCopy::writeInterval);
        QCOMPARE(readAll(other), QByteArray("fremd"));
        QVERIFY(QFileInfo(f.copy).isSymLink());
    }

    // A copy that cannot be read is set aside with a word, never offered, never deleted.
    void unreadableRecoveryCopy_data()
    {
        QTest::addColumn<bool>("link");
        QTest::newRow("no character file") << false;
        QTest::newRow("a link to a character") << true;
    }

    void unreadableRecoveryCopy()
    {
        QFETCH(bool, link);
        Fixture f;
        const QString target = f.character(u"Fremd"_s);
        QVERIFY(link ? makeLink(target, f.copy) : writeFile(f.copy, "kaputt"));
        const CharacterSheet before = f.document().sheet();
        QVERIFY(!f.session.offerRecovery());
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, u"Wiederherstellen"_s);
        QCOMPARE(f.messages.shown[0].icon, MessageService::Icon::Exclamation);
        const QDir folder = QFileInfo(f.copy).absoluteDir();
        const QStringList aside = folder.entryList({u"recovery-*.tvk"_s}, QDir::AllEntries | QDir::System);
        QCOMPARE(aside.size(), 1);
        QVERIFY(f.messages.shown[0].text.contains(folder.filePath(aside[0])));
        QCOMPARE(QFileInfo(folder.filePath(aside[0])).isSymLink(), link);
        QCOMPARE(readAll(folder.filePath(aside[0])), link ? readAll(target) : QByteArray("kaputt"));
        QVERIFY(!QFileInfo(f.copy).exists() && !QFileInfo(f.copy).isSymLink());
        QCOMPARE(f.document().sheet(), before);
        QVERIFY(!f.session.offerRecovery());
        QCOMPARE(f.messages.shown.size(), 1);
    }

    // "Wiederherstellen ?": Yes and Escape bring the character back, unsaved, in its file; No deletes the copy.
    void offerRecovery_data()
    {
        QTest::addColumn<std::optional<Answer>>("answer");
        QTest::addColumn<bool>("restored");
        QTest::newRow("Yes") << std::optional(Answer::Yes) << true;
        QTest::newRow("Escape") << escape << true;
        QTest::newRow("No") << std::optional(Answer::No) << false;
    }

    void offerRecovery()
    {
        QFETCH(std::optional<Answer>, answer);
        QFETCH(bool, restored);
        Fixture f;
        const QString file = f.path(u"Held.tvk"_s);
        QVERIFY(writeFile(f.copy, characterBytes(sheetOf(u"Held"_s), {file})));
        const CharacterSheet blank = f.document().sheet();
        f.messages.answers = {answer};
        QCOMPARE(f.session.offerRecovery(), restored);
        QCOMPARE(f.texts(), QStringList{u"Es gibt einen nicht gespeicherten Charakter aus der letzten Sitzung. Wiederherstellen ?"_s});
        QCOMPARE(f.document().sheet(), restored ? sheetOf(u"Held"_s) : blank);
        QCOMPARE(f.document().fileName(), restored ? file : QString());
        QCOMPARE(f.document().isSaved(), !restored);
        QCOMPARE(QFile::exists(f.copy), restored);
    }

    // A logout keeps the unsaved sheet for the next start; an ordinary end removes the copy.
    void endOfSession_data()
    {
        QTest::addColumn<bool>("logout");
        QTest::addColumn<bool>("logoutWriteFails");
        QTest::newRow("logout") << true << false;
        // The copy the timer wrote before must then outlive the end.
        QTest::newRow("logout, its write fails") << true << true;
        QTest::newRow("ordinary end") << false << false;
    }

    void endOfSession()
    {
        QFETCH(bool, logout);
        QFETCH(bool, logoutWriteFails);
        Fixture f;
        f.session.finish(sheetOf(u"Held"_s));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.copy), 3 * RecoveryCopy::writeInterval);
        const QByteArray timed = readAll(f.copy);
        if (logout && logoutWriteFails) {
            f.document().setValue(0, QString(5000, u'x'));
            FileSizeLimit limit;
            QVERIFY(limit.set);
            f.session.keepForLogout();
        } else if (logout) {
            f.document().setValue(0, u"zuletzt"_s);
            f.session.keepForLogout();
            QCOMPARE(CharacterFile::read(f.copy).value_or(CharacterFile::Contents()).sheet.value(0), u"zuletzt"_s);
        }
        f.session.end();
        QCOMPARE(QFile::exists(f.copy), logout);
        if (logoutWriteFails)
            QCOMPARE(readAll(f.copy), timed);
    }

    // "Charakter unwiederruflich löschen ?": only Yes deletes the file and the copy and blanks the character.
    void deleting_data()
    {
        QTest::addColumn<std::optional<Answer>>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("Yes") << std::optional(Answer::Yes) << true;
        QTest::newRow("No") << std::optional(Answer::No) << false;
        QTest::newRow("Escape") << escape << false;
    }

    void deleting()
    {
        QFETCH(std::optional<Answer>, answer);
        QFETCH(bool, deleted);
        Fixture f;
        const QString file = f.character(u"Held"_s);
        const QByteArray bytes = readAll(file);
        QVERIFY(f.session.openAtStart(file));
        f.document().setCaption(2, u"Spielerin"_s);
        f.session.keepForLogout();
        const CharacterSheet before = f.document().sheet();
        f.messages.answers = {answer};
        QCOMPARE(f.session.deleteCharacter(), deleted);
        QCOMPARE(f.texts(), QStringList{u"Charakter unwiederruflich löschen ?"_s});
        QCOMPARE(f.messages.shown[0].title, u"Löschen"_s);
        QCOMPARE(QFile::exists(file), !deleted);
        QCOMPARE(QFile::exists(f.copy), !deleted);
        QCOMPARE(f.document().fileName(), file);
        QVERIFY(!f.document().isSaved());
        if (!deleted) {
            QCOMPARE(readAll(file), bytes);
            QCOMPARE(f.document().sheet(), before);
            return;
        }
        // The sheet model's test says what clearing keeps; here: this sheet is cleared, its player kept.
        QCOMPARE(f.document().sheet().caption(0) + f.document().sheet().caption(2), u"Spielerin"_s);
        // Again, with the file gone: the question alone.
        QVERIFY(f.session.deleteCharacter());
        QCOMPARE(f.messages.shown.size(), 2);
    }

    // The save dialog: the extension rule, the other types, cancelling, the question before a file is replaced, a target that cannot be written.
    void saving()
    {
        Fixture f;
        f.session.finish(sheetOf(u"Held"_s));
        QVERIFY(writeFile(f.path(u"Held.tvk"_s), "alt"));
        QVERIFY(QDir().mkpath(f.path(u"ordner.tvk"_s)));
        f.dialogs.choices = {{f.path(u"Held"_s), 2}, {}, {f.path(u"Held.txt"_s)}, {f.path(u"Held"_s)},
                             {f.path(u"Held.TVK"_s)}, {f.path(u"ordner.tvk"_s)}};
        f.messages.answers = {Answer::No};
        QVERIFY(!f.session.save());
        QCOMPARE(f.dialogs.shown[0].filter,
                 u"Valdris Charaktere (*.tvk)|*.tvk|Word Dokument (*.docx)|*.docx|PDF Dokument (*.pdf)|*.pdf"_s);
        QVERIFY(readAll(f.path(u"Held.docx"_s)).startsWith("PK"));
        QCOMPARE(f.document().fileName(), QString());
        QVERIFY(!f.document().isSaved());
        // Cancelled: nothing written.
        QVERIFY(!f.session.save());
        QCOMPARE(f.document().fileName(), QString());
        QVERIFY(f.session.save());
        QCOMPARE(f.document().fileName(), f.path(u"Held.txt.tvk"_s));
        // "Held" becomes Held.tvk, which the dialog did not confirm: No keeps the old file.
        QVERIFY(!f.session.save(true));
        QCOMPARE(f.texts(), QStringList{u"Die Datei »%1« gibt es schon.\nSoll sie ersetzt werden ?"_s.arg(f.path(u"Held.tvk"_s))});
        QCOMPARE(readAll(f.path(u"Held.tvk"_s)), QByteArray("alt"));
        QVERIFY(f.session.save(true));
        QCOMPARE(f.document().fileName(), f.path(u"Held.TVK"_s));
        // A target that cannot be written: the file name and the flag stay.
        f.document().setValue(3, u"neu"_s);
        QVERIFY(!f.session.save(true));
        QCOMPARE(f.messages.shown.size(), 2);
        QVERIFY(f.messages.shown[1].text.startsWith(u"Fehler beim Speichern\n"_s));
        QCOMPARE(f.document().fileName(), f.path(u"Held.TVK"_s));
        QVERIFY(!f.document().isSaved());
    }

    // The name the save dialog offers a new character; when all 999 are taken, a word instead of the dialog.
    void defaultNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("offered");
        QTest::newRow("Held free") << u"Held"_s << QStringList() << u"Held"_s;
        QTest::newRow("Held taken") << u"Held"_s << QStringList{u"Held.tvk"_s} << u"Held2"_s;
        QTest::newRow("stem shortened") << u"Alexander"_s << QStringList{u"Alexander.tvk"_s} << u"Alexande2"_s;
        QTest::newRow("once per number") << u"Alexander"_s << QStringList{u"Alexander.tvk"_s, u"Alexande2.tvk"_s}
                                         << u"Alexand3"_s;
        QTest::newRow("nobody") << QString() << QStringList() << u"nobody"_s;
        QTest::newRow("nobody2") << QString() << QStringList{u"nobody.tvk"_s} << u"nobody2"_s;
        QTest::newRow("slash") << u"A/B"_s << QStringList() << u"A-B"_s;
        QStringList all{u"N.tvk"_s};
        for (int n = 2; n <= 999; ++n)
            all << u"N%1.tvk"_s.arg(n);
        QTest::newRow("all 999 taken") << u"N"_s << all << QString();
    }

    void defaultNames()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, taken);
        QFETCH(QString, offered);
        Fixture f;
        for (const QString &file : taken)
            QVERIFY(writeFile(f.path(file), "x"));
        f.session.finish(sheetOf(name));
        QVERIFY(!f.session.save());
        QVERIFY(!f.document().isSaved());
        if (!offered.isEmpty()) {
            QCOMPARE(f.dialogs.shown.size(), 1);
            QCOMPARE(f.dialogs.shown[0].initialName, offered);
            QVERIFY(f.messages.shown.isEmpty());
            return;
        }
        QVERIFY(f.dialogs.shown.isEmpty());
        QCOMPARE(f.texts(), QStringList{u"Es wird langsam Zeit, sich einen neuen Namen auszudenken !!!"_s});
        QCOMPARE(f.messages.shown[0].title, u"Fehler"_s);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
