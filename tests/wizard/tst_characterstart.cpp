#include "formfixture.h"
#include "sheetwindow/sheetpage.h"
#include "storage/recoverycopy.h"

#include <QApplication>
#include <QProcess>

#include <cstdio>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// The character of both runs: every field of the sheet filled.
CharacterSheet filledSheet()
{
    CharacterSheet sheet;
    for (int i = 0; i < CharacterFile::storedCaptionCount; ++i)
        sheet.setCaption(i, u"Feld %1 ÄÖÜß"_s.arg(i));
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, u"Wert %1 €"_s.arg(i));
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        sheet.setEquipmentLine(i, u"Ausrüstung %1"_s.arg(i));
    return sheet;
}

const QString typedName = u"Gräfin Ada"_s;

// The program a user works in until it is killed: a loaded character's name retyped in the sheet window, unsaved.
int runUntilKilled(int argc, char **argv)
{
    QApplication app(argc, argv);
    SettingsStore settings(QString::fromLocal8Bit(argv[2]));
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    SheetFormats formats(settings);
    const QString recoveryPath = RecoveryCopy::defaultPath();
    CharacterSession session({settings, messages, dialogs, formats.all(), {}, recoveryPath});
    session.document().load(filledSheet(), u"/home/spieler/Ada.tvk"_s);
    Form8 window(SheetWindowContext{settings, messages, session, dialogs});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    SheetPage *page = window.page();
    const QPoint name = page->pageTransform().mapRect(SheetLayout::captionRect(CharacterSheet::nameCaption)).center();
    QTest::mouseClick(page, Qt::LeftButton, {}, name);
    QLineEdit *editor = page->textEditor();
    editor->selectAll();
    // QTest types ASCII alone; an umlaut comes as the key event a keyboard sends.
    for (const QChar c : typedName)
        QTest::sendKeyEvent(QTest::Click, editor, c.isLetter() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_Space,
                            QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);

    // Ready once the copy holds what was typed; then it waits to be killed.
    const auto copied = [&recoveryPath] {
        const std::optional<CharacterFile::Contents> copy = CharacterFile::read(recoveryPath);
        return copy && copy->sheet.caption(CharacterSheet::nameCaption) == typedName;
    };
    if (!QTest::qWaitFor(copied, 5000))
        return 1;
    std::fputs("bereit\n", stdout);
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class TestCharacterStart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A character named at start opens in the sheet window, saved; a broken one still shows the sheet window.
    void characterFromTheCommandLine()
    {
        for (const bool broken : {false, true}) {
            FormFixture f;
            const QString file = f.dir.filePath(u"Ada.tvk"_s);
            QVERIFY(writeFile(file, broken ? QByteArray("kaputt") : CharacterFile::encode(filledSheet(), {})));
            f.settings.write(Settings::StartupScreen, u"1"_s);
            QVERIFY(f.form().Form_Load(file));
            QCOMPARE(f.startupScreens, 0);
            QVERIFY(!f.form().isVisible());
            QVERIFY(f.form().sheetWindow() && f.form().sheetWindow()->isVisible());
            QCOMPARE(f.document.sheet() == filledSheet(), !broken);
            QCOMPARE(f.document.fileName(), broken ? QString() : file);
            QCOMPARE(f.messages.shown.size(), broken ? 1 : 0);
            QVERIFY(f.document.isSaved());
        }
        // A path that names no file starts as without one: the start-up screen, the wizard, not a word.
        FormFixture f;
        f.settings.write(Settings::StartupScreen, u"1"_s);
        QVERIFY(f.form().Form_Load(f.dir.filePath(u"Gibtsnicht.tvk"_s)));
        QCOMPARE(f.startupScreens, 1);
        QVERIFY(f.form().isVisible() && !f.form().sheetWindow());
        QVERIFY(f.messages.shown.isEmpty());
    }

    // A program killed with unsaved changes: the next start asks, and Yes brings every field back, unsaved.
    void unsavedWorkSurvivesAKill()
    {
        QTemporaryDir state;
        FormFixture f(state.filePath(u"Tarvosk/recovery.tvk"_s));
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_STATE_HOME"_s, state.path());
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationFilePath(), {u"--until-killed"_s, f.dir.filePath(u"child.conf"_s)});
        QVERIFY(program.waitForReadyRead(20000));
        QCOMPARE(program.readLine().trimmed(), QByteArray("bereit"));
        program.kill(); // SIGKILL: nothing of the program runs any more
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);

        f.settings.write(Settings::StartupScreen, u"1"_s);
        f.messages.answers = {MessageService::Answer::Yes};
        QVERIFY(f.form().Form_Load(QString()));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text,
                 u"Es gibt einen nicht gespeicherten Charakter aus der letzten Sitzung. Wiederherstellen ?"_s);
        QCOMPARE(f.startupScreens, 0);
        QVERIFY(f.form().sheetWindow() && f.form().sheetWindow()->isVisible());
        CharacterSheet expected = filledSheet();
        expected.setCaption(CharacterSheet::nameCaption, typedName);
        QVERIFY(f.document.sheet() == expected);
        QCOMPARE(f.document.fileName(), u"/home/spieler/Ada.tvk"_s);
        QVERIFY(!f.document.isSaved());
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--until-killed") == 0)
        return runUntilKilled(argc, argv);
    QApplication app(argc, argv);
    TestCharacterStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_characterstart.moc"
