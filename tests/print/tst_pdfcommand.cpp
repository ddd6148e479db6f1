#include "pdfreading.h"

#include "sheet/charactersheet.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace Tarvosk;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

// tarvosk --pdf run as a user would, with no display at all.
class TestPdfCommand : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_character;
    QString m_userSettings;

    QString path(const QString &name) const { return m_folder.filePath(name); }

    // The exit code and standard error of the program.
    std::pair<int, QString> run(const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
            environment.remove(name);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s); // a platform that would need a display
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARVOSK_BINARY), QStringList{u"--pdf"_s} + arguments);
        if (!program.waitForFinished(20000))
            return {-1, u"timed out"_s};
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                QString::fromUtf8(program.readAllStandardError())};
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The user prints with Liberation Serif headlines; the file brings DejaVu Sans.
        m_userSettings = path(u"config/Tarvosk/Tarvosk.conf"_s);
        QVERIFY(QDir().mkpath(path(u"config/Tarvosk"_s)));
        SettingsStore(m_userSettings).write(Settings::HeadlineFont, Settings::FontName, u"Liberation Serif"_s);
        SettingsStore fileOptions(path(u"options.conf"_s));
        fileOptions.write(Settings::HeadlineFont, Settings::FontName, u"DejaVu Sans"_s);
        CharacterSheet sheet;
        sheet.setCaption(CharacterSheet::nameCaption, u"Hohenstein"_s);
        m_character = path(u"Hohenstein.tvk"_s);
        QVERIFY(CharacterFile::write(m_character, CharacterFile::encode(sheet, CharacterFile::optionBlock(fileOptions))));
        QVERIFY(QFile(path(u"kein Charakter.txt"_s)).open(QIODevice::WriteOnly));
    }

    void cleanup() { QFile::remove(path(u"Fehler.pdf"_s)); }

    void writesThePrintedPage()
    {
        const QByteArray settingsBefore = contentsOf(m_userSettings);
        const QString pdf = path(u"Blatt.pdf"_s);
        const auto [exitCode, errors] = run({m_character, pdf});
        QCOMPARE(errors, QString());
        QCOMPARE(exitCode, 0);
        QVERIFY(readPdf(pdf).texts().contains(u"Hohenstein"_s));
        QVERIFY(pdfFonts(pdf).contains(u"DejaVuSans"_s));
        QCOMPARE(contentsOf(m_userSettings), settingsBefore);
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error"); // the start of the line
        const QString pdf = u"Fehler.pdf"_s;
        QTest::newRow("one file") << QStringList{u"Hohenstein.tvk"_s} << u"tarvosk: --pdf braucht"_s;
        QTest::newRow("three files") << QStringList{u"Hohenstein.tvk"_s, pdf, pdf} << u"tarvosk: --pdf braucht"_s;
        QTest::newRow("no such character") << QStringList{u"fehlt.tvk"_s, pdf} << u"tarvosk: Die Datei"_s;
        QTest::newRow("not a character") << QStringList{u"kein Charakter.txt"_s, pdf} << u"tarvosk: Die Datei"_s;
        QTest::newRow("no such folder") << QStringList{u"Hohenstein.tvk"_s, u"fehlt/x.pdf"_s} << u"tarvosk: Die PDF-Datei"_s;
        QTest::newRow("over the character") << QStringList{u"Hohenstein.tvk"_s, u"./Hohenstein.tvk"_s}
                                            << u"tarvosk: Die PDF-Datei"_s;
    }
    void refusesBadInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const QByteArray character = contentsOf(m_character);
        for (QString &argument : arguments)
            argument = path(argument);
        const auto [exitCode, errors] = run(arguments);
        QCOMPARE(exitCode, 1);
        QVERIFY2(errors.startsWith(error) && errors.count(u'\n') == 1 && errors.endsWith(u'\n'), qPrintable(errors));
        QVERIFY(!QFile::exists(path(u"Fehler.pdf"_s)));
        QCOMPARE(contentsOf(m_character), character);
    }
};

QTEST_GUILESS_MAIN(TestPdfCommand)
#include "tst_pdfcommand.moc"
