#include "docxreading.h"

#include "app/frmgauge.h"
#include "app/wordexport.h"
#include "sheet/charactersheet.h"
#include "storage/settingsstore.h"
#include "support/recordingmessages.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

frmGauge *visibleGauge()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *gauge = qobject_cast<frmGauge *>(window); gauge && gauge->isVisible())
            return gauge;
    }
    return nullptr;
}

} // namespace

class TestWordExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<SettingsStore> m_settings;
    CharacterSheet m_sheet;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        // The documents without a path land in here and go with it.
        qputenv("TMPDIR", QFile::encodeName(m_folder.path()));
        m_settings = std::make_unique<SettingsStore>(m_folder.filePath(u"settings.ini"_s));
        m_sheet.setCaption(CharacterSheet::nameCaption, u"Jörg"_s);
    }

    void gaugeFillsItsFrame_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("filledPercent");
        QTest::newRow("first step") << 10 << u"Fortschritt -10 %"_s << 10;
        QTest::newRow("half") << 50 << u"Fortschritt -50 %"_s << 50;
        QTest::newRow("done") << 100 << u"Fortschritt -100 %"_s << 100;
        QTest::newRow("beyond") << 130 << u"Fortschritt -100 %"_s << 100;
    }
    void gaugeFillsItsFrame()
    {
        QFETCH(int, percent);
        QFETCH(QString, caption);
        QFETCH(int, filledPercent);
        frmGauge gauge;
        gauge.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gauge));
        QCOMPARE(gauge.windowTitle(), u"Fortschritt"_s);
        QCOMPARE(gauge.barWidth(), 0);
        QVERIFY(gauge.frameInnerWidth() > 100);
        gauge.fill(percent);
        QCOMPARE(gauge.windowTitle(), caption);
        QCOMPARE(gauge.barWidth(), gauge.frameInnerWidth() * filledPercent / 100);
    }

    // One message with the reason, after the progress window and the busy cursor are gone.
    void failingPath()
    {
        QWidget owner;
        RecordingMessages messages;
        bool calmWhileShown = false;
        messages.whileShown = [&] { calmWhileShown = !visibleGauge() && !QApplication::overrideCursor(); };
        const QString target = m_folder.filePath(u"fehlt/Jörg.docx"_s);

        QVERIFY(!exportToWord(&owner, m_sheet, *m_settings, messages, target));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].text.contains(u"fehlt"_s), qPrintable(messages.shown[0].text));
        QCOMPARE(messages.shown[0].icon, MessageService::Icon::Critical);
        QCOMPARE(messages.shown[0].buttons, MessageService::Buttons::Ok);
        QVERIFY(calmWhileShown);
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo::exists(QFileInfo(target).path()));
    }

    void writesToThePath()
    {
        RecordingMessages messages;
        const QString target = m_folder.filePath(u"Jörg.docx"_s);
        int opened = 0;
        QVERIFY(exportToWord(nullptr, m_sheet, *m_settings, messages, target, [&](const QUrl &) { return ++opened, true; }));
        QCOMPARE(messages.shown.size(), 0);
        QCOMPARE(opened, 0);
        QVERIFY(readPackage(target).contains(u"word/document.xml"_s));
        QVERIFY(!visibleGauge());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Without a path the document is written to a folder of its own and opened.
    void emptyPathOpensTheDocument()
    {
        RecordingMessages messages;
        QList<QUrl> opened;
        QString captionWhileOpening;
        bool busyWhileOpening = false;
        const auto open = [&](const QUrl &url) {
            opened << url;
            captionWhileOpening = visibleGauge() ? visibleGauge()->windowTitle() : QString();
            busyWhileOpening = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            return true;
        };
        QVERIFY(exportToWord(nullptr, m_sheet, *m_settings, messages, QString(), open));
        QCOMPARE(messages.shown.size(), 0);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].isLocalFile());
        const QString document = opened[0].toLocalFile();
        QVERIFY(document.endsWith(u".docx"_s));
        QCOMPARE(boxesOf(parseXml(readPackage(document).value(u"word/document.xml"_s))).cells[0][0][0]->wordText(),
                 u"Jörg"_s);
        QCOMPARE(captionWhileOpening, u"Fortschritt -100 %"_s);
        QVERIFY(busyWhileOpening);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(QFileInfo(QFileInfo(document).path()).path(), m_folder.path());
    }

    void noProgramToOpenIt()
    {
        RecordingMessages messages;
        QVERIFY(!exportToWord(nullptr, m_sheet, *m_settings, messages, QString(), [](const QUrl &) { return false; }));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].text.contains(u"ließ sich nicht öffnen"_s), qPrintable(messages.shown[0].text));
    }
};

QTEST_MAIN(TestWordExport)
#include "tst_wordexport.moc"
