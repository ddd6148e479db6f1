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
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>

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

// Runs `run` while files may not grow past 4 KiB, as under "ulimit -f"; with SIGXFSZ ignored, a write then fails with EFBIG.
bool withFileSizeLimit(const std::function<void()> &run)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{4096, old.rlim_max};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    run();
    ::setrlimit(RLIMIT_FSIZE, &old);
    return true;
}

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
    bool linkCopyTo(const QString &target) const
    {
        return QDir().mkpath(QFileInfo(copy).path()) && QFile::link(target, copy);
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
    // Saved, opened by a quoted path (as a command line brings it), saved again: sheet, options and bytes come back.
    void roundTrip()
    {
        Fixture f;
        f.settings.write(Settings::LabelsFont, Settings::FontSize, u"9,5"_s);
        f.session.finish(sheetOf(u"Held"_s));
        f.dialogs.choices = {{f.path(u"Held"_s)}};
        QVERIFY(f.session.save());
        const QString file = f.path(u"Held.tvk"_s);
        const QByteArray bytes = readAll(file);
        f.settings.write(Settings::LabelsFont, Settings::FontSize, u"7"_s);
        f.session.begin();
        QVERIFY(f.session.openAtStart(u"\""_s + file + u"\""_s));
        QCOMPARE(f.document().sheet(), sheetOf(u"Held"_s));
        QCOMPARE(f.settings.read(Settings::LabelsFont, Settings::FontSize), u"9.5"_s);
        QVERIFY(f.session.save());
        QCOMPARE(readAll(file), bytes);
    }

    // A file that cannot be opened is named with the reason; nothing changes: not the sheet, its file, its flag or the recent files.
    void failedLoad()
    {
        Fixture f;
        f.document().load(sheetOf(u"Alt"_s), u"/alt/Held.tvk"_s);
        f.document().setValue(1, u"ungespeichert"_s);
        f.settings.write(Settings::Recent, u"0", u"/alt/Held.tvk"_s);
        const CharacterSheet before = f.document().sheet();
        const QString broken = f.path(u"kaputt.tvk"_s), missing = f.path(u"fehlt.tvk"_s);
        QVERIFY(writeFile(broken, "kaputt"));
        QVERIFY(!f.session.openAtStart(broken) && !f.session.openAtStart(missing));
        const QString text = u"Fehler beim Laden !\nDie Datei »%1« ließ sich nicht lesen. %2"_s;
        QCOMPARE(f.texts(), (QStringList{text.arg(broken, u"Sie ist keine Charakterdatei."_s),
                                         text.arg(missing, u"Die Datei oder ihr Ordner existiert nicht."_s)}));
        QCOMPARE(f.document().sheet(), before);
        QCOMPARE(f.document().fileName(), u"/alt/Held.tvk"_s);
        QVERIFY(!f.document().isSaved());
        QCOMPARE(f.recent(0) + f.recent(1), u"/alt/Held.tvk"_s);
    }

    // Paths: ".tvk" anywhere, in any case; otherwise silence. The recent files follow every load.
    void pathsAndRecentFiles()
    {
        Fixture f;
        const auto open = [&f](const QString &name) {
            return writeFile(f.path(name), characterBytes(sheetOf(name))) && f.session.openAtStart(f.path(name));
        };
        const auto recents = [&f] {
            return QStringList{f.recent(0), f.recent(1), f.recent(2), f.recent(3)}.join(u' ').remove(f.dir.path() + u'/');
        };
        QVERIFY(!open(u"held.mcx"_s));
        for (const QString &name : {u"a.tvk"_s, u"b.TVK.bak"_s, u"c.tvk"_s, u"d.tvk"_s})
            QVERIFY(open(name));
        QCOMPARE(recents(), u"d.tvk c.tvk b.TVK.bak a.tvk"_s);
        // One already there swaps with the first; a new one pushes the last out.
        QVERIFY(open(u"b.TVK.bak"_s));
        QCOMPARE(recents(), u"b.TVK.bak c.tvk d.tvk a.tvk"_s);
        QVERIFY(open(u"e.tvk"_s));
        QCOMPARE(recents(), u"e.tvk b.TVK.bak c.tvk d.tvk"_s);
        // The open dialog: its filter, and a cancel that does nothing.
        QVERIFY(!f.session.open());
        QCOMPARE(f.dialogs.shown.last().filter, u"Valdris Charaktere (*.tvk)|*.tvk"_s);
        QCOMPARE(recents(), u"e.tvk b.TVK.bak c.tvk d.tvk"_s);
        QVERIFY(f.messages.shown.isEmpty());
    }

    // A row opens its file after the save question; a file that is gone is passed over in silence, an empty row asks nothing.
    void openRecent()
    {
        Fixture f;
        for (int k = 1; k < Settings::RecentCount; ++k)
            f.settings.write(Settings::Recent, QString::number(k), f.character(u"R%1"_s.arg(k)));
        QVERIFY(QFile::remove(f.recent(2)));
        f.session.finish(sheetOf(u"Neu"_s));
        f.messages.answers = {Answer::No, Answer::No};
        QVERIFY(!f.session.openRecent(0));
        QVERIFY(!f.session.openRecent(2));
        QCOMPARE(f.document().sheet(), sheetOf(u"Neu"_s));
        QVERIFY(f.session.openRecent(3));
        QCOMPARE(f.texts(), QStringList(2, saveQuestionText));
        QCOMPARE(f.document().fileName(), f.path(u"R3.tvk"_s));
        QCOMPARE(f.document().sheet(), sheetOf(u"R3"_s));
    }

    // "Charakter speichern ?" before every action that replaces an unsaved sheet: Escape stops, No discards, Yes saves first.
    void saveQuestion_data()
    {
        QTest::addColumn<std::optional<Answer>>("answer");
        QTest::addColumn<QString>("belongsTo"); // the unsaved sheet's file
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("Escape") << escape << u"Held.tvk"_s << false;
        QTest::newRow("No") << std::optional(Answer::No) << u"Held.tvk"_s << true;
        QTest::newRow("Yes, saved") << std::optional(Answer::Yes) << u"Held.tvk"_s << true;
        QTest::newRow("Yes, save cancelled") << std::optional(Answer::Yes) << QString() << false;
        QTest::newRow("Yes, save failed") << std::optional(Answer::Yes) << u"ordner.tvk"_s << false;
    }

    void saveQuestion()
    {
        QFETCH(std::optional<Answer>, answer);
        QFETCH(QString, belongsTo);
        QFETCH(bool, goesOn);
        using Action = std::function<bool(CharacterSession &, const QString &other)>;
        const QList<std::pair<const char *, Action>> actions{
            {"open", [](CharacterSession &s, const QString &other) { return s.open(other); }},
            {"openRecent", [](CharacterSession &s, const QString &) { return s.openRecent(0); }},
            {"handOff", [](CharacterSession &s, const QString &other) { s.handOff(other); return s.document().fileName() == other; }},
            {"openHeldFile", [](CharacterSession &s, const QString &) { return s.openHeldFile(); }},
        };
        for (const auto &[name, action] : actions) {
            Fixture f;
            const QString other = f.character(u"Anderer"_s);
            f.settings.write(Settings::Recent, u"0", other);
            const QString file = belongsTo.isEmpty() ? QString() : f.path(belongsTo);
            QVERIFY(writeFile(f.path(u"Held.tvk"_s), "alt") && QDir().mkpath(f.path(u"ordner.tvk"_s)));
            f.document().restore(sheetOf(u"Held"_s), file);
            if (qstrcmp(name, "openHeldFile") == 0)
                f.session.holdHandOff(other);
            f.messages.shown.clear();
            f.messages.answers = {answer};
            QVERIFY2(action(f.session, other) == goesOn, name);
            // A failed save names its reason after the question.
            QCOMPARE(f.messages.shown.size(), belongsTo == u"ordner.tvk" ? 2 : 1);
            QCOMPARE(f.messages.shown[0].text, saveQuestionText);
            QCOMPARE(f.document().fileName(), goesOn ? other : file);
            if (!goesOn)
                QVERIFY(f.document().sheet() == sheetOf(u"Held"_s) && !f.document().isSaved());
            const bool saved = answer == Answer::Yes && goesOn;
            QCOMPARE(readAll(f.path(u"Held.tvk"_s)), saved ? characterBytes(sheetOf(u"Held"_s)) : QByteArray("alt"));
        }
    }

    // Files handed over while the save question is open wait, one after another, until it is answered.
    void handOffsWaitForTheQuestion()
    {
        Fixture f;
        const QString first = f.character(u"Erster"_s), second = f.character(u"Zweiter"_s), third = f.character(u"Dritter"_s);
        f.session.finish(sheetOf(u"Neu"_s));
        QString whileAsked = u"-"_s;
        f.messages.whileShown = [&] {
            if (f.messages.shown.size() == 1) {
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

    // The copy of an unsaved sheet: private (even in an older 0755 folder), names its file, goes on save, never follows a link.
    void recoveryCopy()
    {
        Fixture f;
        const QString folder = QFileInfo(f.copy).absolutePath();
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
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
        const QString other = f.path(u"fremd.txt"_s);
        QVERIFY(writeFile(other, "fremd") && QFile::remove(f.copy) && f.linkCopyTo(other));
        f.document().setValue(7, u"grün"_s);
        f.session.keepForLogout();
        QTest::qWait(2 * RecoveryCopy::writeInterval);
        QCOMPARE(readAll(other), QByteArray("fremd"));
        QVERIFY(QFileInfo(f.copy).isSymLink());
    }

    // "Wiederherstellen ?": Yes/Escape restore the character unsaved, No deletes the copy; an unreadable one is set aside.
    void offerRecovery_data()
    {
        QTest::addColumn<QString>("copy"); // what lies at the copy's place
        QTest::addColumn<std::optional<Answer>>("answer");
        QTest::addColumn<bool>("restored");
        QTest::newRow("Escape") << u"character"_s << escape << true;
        QTest::newRow("No") << u"character"_s << std::optional(Answer::No) << false;
        QTest::newRow("no character file") << u"kaputt"_s << escape << false;
        QTest::newRow("a link to a character") << u"link"_s << escape << false;
    }

    void offerRecovery()
    {
        QFETCH(QString, copy);
        QFETCH(std::optional<Answer>, answer);
        QFETCH(bool, restored);
        Fixture f;
        const QString file = f.path(u"Held.tvk"_s);
        const QByteArray bytes = copy == u"kaputt" ? QByteArray("kaputt") : characterBytes(sheetOf(u"Held"_s), {file});
        QVERIFY(copy == u"link" ? writeFile(file, bytes) && f.linkCopyTo(file) : writeFile(f.copy, bytes));
        f.messages.answers = {answer};
        QCOMPARE(f.session.offerRecovery(), restored);
        QCOMPARE(f.document().sheet(), restored ? sheetOf(u"Held"_s) : SheetDocument().sheet());
        QCOMPARE(f.document().fileName(), restored ? file : QString());
        QCOMPARE(f.document().isSaved(), !restored);
        QCOMPARE(QFile::exists(f.copy), restored);
        const QDir folder = QFileInfo(f.copy).absoluteDir();
        const QStringList aside = folder.entryList({u"recovery-*.tvk"_s}, QDir::AllEntries | QDir::System);
        if (copy == u"character") {
            QCOMPARE(f.texts(), QStringList{u"Es gibt einen nicht gespeicherten Charakter aus der letzten Sitzung. "
                                            u"Wiederherstellen ?"_s});
            QVERIFY(aside.isEmpty());
            return;
        }
        QCOMPARE(aside.size(), 1);
        const QString kept = folder.filePath(aside[0]);
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY(f.messages.shown[0].text.contains(kept));
        QCOMPARE(QFileInfo(kept).isSymLink(), copy == u"link");
        QCOMPARE(readAll(kept), bytes);
        QVERIFY(!QFileInfo(f.copy).isSymLink());
    }

    // An ordinary end removes the copy; a logout keeps it, and where its own write fails, the one the timer wrote.
    void endOfSession()
    {
        Fixture f;
        f.session.finish(sheetOf(u"Held"_s));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.copy), 3 * RecoveryCopy::writeInterval);
        f.session.end();
        QVERIFY(!QFile::exists(f.copy));
        f.document().setValue(0, u"später"_s);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.copy), 3 * RecoveryCopy::writeInterval);
        const QByteArray timed = readAll(f.copy);
        f.document().setValue(0, QString(5000, u'x'));
        QVERIFY(withFileSizeLimit([&f] { f.session.keepForLogout(); }));
        f.session.end();
        QCOMPARE(readAll(f.copy), timed);
        f.document().setValue(0, u"zuletzt"_s);
        f.session.keepForLogout();
        f.session.end();
        QCOMPARE(CharacterFile::read(f.copy).value_or(CharacterFile::Contents()).sheet.value(0), u"zuletzt"_s);
    }

    // "Charakter unwiederruflich löschen ?": only Yes deletes the file and the copy and blanks the character.
    void deleting()
    {
        Fixture f;
        const QString file = f.character(u"Held"_s);
        QVERIFY(f.session.openAtStart(file));
        f.document().setCaption(2, u"Spielerin"_s);
        f.session.keepForLogout();
        const CharacterSheet before = f.document().sheet();
        f.messages.answers = {escape, Answer::No, Answer::Yes, Answer::Yes};
        QVERIFY(!f.session.deleteCharacter());
        QVERIFY(!f.session.deleteCharacter());
        QVERIFY(QFile::exists(file) && QFile::exists(f.copy));
        QCOMPARE(f.document().sheet(), before);
        QVERIFY(f.session.deleteCharacter());
        QVERIFY(!QFile::exists(file) && !QFile::exists(f.copy));
        // Cleared, its player kept (the rest of clearing is the sheet model's test).
        QCOMPARE(f.document().sheet().caption(0) + f.document().sheet().caption(2), u"Spielerin"_s);
        // Again, with the file gone: the question alone.
        QVERIFY(f.session.deleteCharacter());
        QCOMPARE(f.texts(), QStringList(4, u"Charakter unwiederruflich löschen ?"_s));
    }

    // The save dialog: the extension rule, the other types, the question before a file is replaced, a write that fails.
    void saving()
    {
        Fixture f;
        f.session.finish(sheetOf(u"Held"_s));
        QVERIFY(writeFile(f.path(u"Held.tvk"_s), "alt"));
        f.dialogs.choices = {{f.path(u"Held"_s), 2}, {f.path(u"Held.txt"_s)}, {f.path(u"Held"_s)}, {f.path(u"Held.TVK"_s)}};
        f.messages.answers = {Answer::No};
        QVERIFY(!f.session.save());
        QCOMPARE(f.dialogs.shown[0].filter,
                 u"Valdris Charaktere (*.tvk)|*.tvk|Word Dokument (*.docx)|*.docx|PDF Dokument (*.pdf)|*.pdf"_s);
        QVERIFY(readAll(f.path(u"Held.docx"_s)).startsWith("PK"));
        QCOMPARE(f.document().fileName(), QString());
        QVERIFY(!f.document().isSaved());
        QVERIFY(f.session.save());
        QCOMPARE(f.document().fileName(), f.path(u"Held.txt.tvk"_s));
        // "Held" becomes Held.tvk, which the dialog did not confirm: No keeps the old file.
        QVERIFY(!f.session.save(true));
        QCOMPARE(f.texts(), QStringList{u"Die Datei »%1« gibt es schon.\nSoll sie ersetzt werden ?"_s.arg(f.path(u"Held.tvk"_s))});
        QCOMPARE(readAll(f.path(u"Held.tvk"_s)), QByteArray("alt"));
        QVERIFY(f.session.save(true));
        const QString file = f.path(u"Held.TVK"_s);
        QCOMPARE(f.document().fileName(), file);
        // A write that fails part way: the reason is named; the name, the flag, the old file and the recovery copy stay.
        const QByteArray old = readAll(file);
        f.document().setValue(3, u"neu"_s);
        f.session.keepForLogout();
        const QByteArray copy = readAll(f.copy);
        QVERIFY(!copy.isEmpty());
        bool saved = true;
        QVERIFY(withFileSizeLimit([&] { saved = f.session.save(); }));
        QVERIFY(!saved);
        QCOMPARE(f.texts().value(1), u"Fehler beim Speichern\nDie Datei »%1« ließ sich nicht schreiben. "
                                     u"Die Datei wird zu groß für den Datenträger."_s.arg(file));
        QCOMPARE(f.document().fileName(), file);
        QVERIFY(!f.document().isSaved());
        QCOMPARE(readAll(file), old);
        QCOMPARE(readAll(f.copy), copy);
    }

    // The name offered a new character, shortened to make room for its number; all 999 taken, a word instead.
    void defaultNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("offered");
        QTest::newRow("nobody") << QString() << QStringList() << u"nobody"_s;
        QTest::newRow("once per number") << u"Alexander"_s << QStringList{u"Alexander.tvk"_s, u"Alexande2.tvk"_s}
                                         << u"Alexand3"_s;
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
        QCOMPARE(f.dialogs.shown.size(), offered.isEmpty() ? 0 : 1);
        QCOMPARE(f.dialogs.shown.value(0).initialName, offered);
        QCOMPARE(f.texts(), offered.isEmpty() ? QStringList{u"Es wird langsam Zeit, sich einen neuen Namen auszudenken !!!"_s}
                                              : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
