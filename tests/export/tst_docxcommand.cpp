#include "docxreading.h"

#include "sheet/charactersheet.h"
#include "storage/characterfile.h"
#include "storage/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

struct Result
{
    int exitCode = -1;
    QString errors;
    QString output;
};

// The program itself, without any display.
Result runTarvosk(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVOSK_BINARY), QStringList{u"--docx"_s} + arguments);
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardError()),
            QString::fromUtf8(program.readAllStandardOutput())};
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDocxCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_character;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        // Run by hand too, the test never touches the real user's settings.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_folder.filePath(u"config"_s)));
        // The user's own settings, which a command reads but never changes.
        SettingsStore user;
        user.write(u"Values", u"Name", u"Arial"_s);
        user.write(u"Startup", u"SaveFont", u"1"_s);

        // A character whose file carries its own fonts.
        SettingsStore options(m_folder.filePath(u"options.ini"_s));
        options.write(u"Values", u"Name", u"Courier New"_s);
        options.write(u"Values", u"Size", u"10"_s);
        CharacterSheet sheet;
        sheet.setCaption(CharacterSheet::nameCaption, u"Jörg & <Söhne>"_s);
        sheet.setCaption(CharacterSheet::classCaption, u"Detektiv"_s);
        sheet.setValue(0, u"Ärger"_s);
        m_character = m_folder.filePath(u"Jörg.tvk"_s);
        QVERIFY(CharacterFile::write(m_character, CharacterFile::encode(sheet, CharacterFile::optionBlock(options))));
    }

    void writesTheDocument()
    {
        const QString userSettings = SettingsStore().fileName();
        const QByteArray before = contentsOf(userSettings);
        const QString target = m_folder.filePath(u"Jörg.docx"_s);

        const Result result = runTarvosk({m_character, target});
        QCOMPARE(result.errors, QString());
        QCOMPARE(result.output, QString());
        QCOMPARE(result.exitCode, 0);

        const XmlNode document = parseXml(readPackage(target).value(u"word/document.xml"_s));
        const DocxBoxes boxes = boxesOf(document);
        QCOMPARE(boxes.anchors.size(), 9);
        QCOMPARE(boxes.cells[0][0][0]->wordText(), u"Jörg & <Söhne>"_s);
        QCOMPARE(boxes.cells[0][0][1]->wordText(), u"Detektiv"_s);
        const XmlNode &value = *boxes.cells[1][0][1];
        QCOMPARE(value.wordText(), u"Ärger"_s);
        const XmlNode &properties = *value.descendants(u"w:rPr"_s).last();
        QCOMPARE(properties.child(u"w:rFonts"_s).attribute(u"w:ascii"_s), u"Courier New"_s);
        QCOMPARE(properties.child(u"w:sz"_s).attribute(u"w:val"_s), u"20"_s);
        QCOMPARE(contentsOf(userSettings), before);
    }

    void refuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        const QString target = u"ausgabe.docx"_s;
        const QString twoFiles = u"tarvosk: --docx braucht zwei Dateien"_s;
        QTest::newRow("nothing") << QStringList{} << twoFiles;
        QTest::newRow("no target") << QStringList{u"Held.tvk"_s} << twoFiles;
        QTest::newRow("three words") << QStringList{u"Held.tvk"_s, target, u"mehr"_s} << twoFiles;
        QTest::newRow("no such character") << QStringList{u"fehlt.tvk"_s, target} << u"tarvosk: Die Datei »"_s;
        QTest::newRow("not a character") << QStringList{u"options.ini"_s, target} << u"tarvosk: Die Datei »"_s;
        QTest::newRow("no such folder") << QStringList{u"Jörg.tvk"_s, u"fehlt/"_s + target}
                                        << u"tarvosk: Das Word-Dokument »"_s;
        QTest::newRow("target is a folder") << QStringList{u"Jörg.tvk"_s, u"."_s} << u"tarvosk: Das Word-Dokument »"_s;
    }
    void refuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QStringList paths;
        for (const QString &argument : arguments)
            paths << m_folder.filePath(argument);
        const QStringList before = QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        const Result result = runTarvosk(paths);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.errors.startsWith(error), qPrintable(result.errors));
        QVERIFY2(result.errors.endsWith(u'\n') && result.errors.count(u'\n') == 1, qPrintable(result.errors));
        QCOMPARE(result.output, QString());
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    }
};

QTEST_GUILESS_MAIN(TestDocxCommand)
#include "tst_docxcommand.moc"
