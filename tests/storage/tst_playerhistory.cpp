#include "storage/playerhistory.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

class TestPlayerHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;

    QString iniFile() const { return m_dir->filePath(u"Tarvosk.conf"_s); }
    QString user(int number) const { return m_store->read(Settings::Users, QString::number(number)); }
    // "Users"/1 Anna, 2 Bert, 4 Dora: a gap at 3.
    void storeWithGap()
    {
        m_store->write(Settings::Users, u"1", u"Anna"_s);
        m_store->write(Settings::Users, u"2", u"Bert"_s);
        m_store->write(Settings::Users, u"4", u"Dora"_s);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<SettingsStore>(iniFile());
    }

    void namesEndAtTheFirstGap()
    {
        const PlayerHistory history(*m_store);
        QVERIFY(history.names().isEmpty());
        storeWithGap();
        QCOMPARE(history.names(), (QStringList{u"Anna"_s, u"Bert"_s}));
    }

    void addTakesTheFirstFreeNumber()
    {
        PlayerHistory history(*m_store);
        QVERIFY(history.add(u"Eve"_s));
        QCOMPARE(user(1), u"Eve"_s);

        m_store->deleteSection(Settings::Users);
        storeWithGap();
        QVERIFY(history.add(u"Carl"_s));
        QCOMPARE(user(3), u"Carl"_s);
        QCOMPARE(user(4), u"Dora"_s);
        QCOMPARE(history.names(), (QStringList{u"Anna"_s, u"Bert"_s, u"Carl"_s, u"Dora"_s}));
        SettingsStore reopened(iniFile()); // the names are written at once
        QCOMPARE(PlayerHistory(reopened).names(), history.names());
    }

    void addRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("same name") << u"Anna"_s << false;
        QTest::newRow("other case") << u"BERT"_s << false;
        QTest::newRow("outer blanks") << u"  anna "_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only blanks") << u"   "_s << false;
        QTest::newRow("inner blank differs") << u"An na"_s << true;
        QTest::newRow("longer name") << u"Annabel"_s << true;
    }
    void addRefuses()
    {
        QFETCH(QString, name);
        QFETCH(bool, stored);
        m_store->write(Settings::Users, u"1", u"Anna"_s);
        m_store->write(Settings::Users, u"2", u"Bert"_s);
        PlayerHistory history(*m_store);
        QCOMPARE(history.add(name), stored);
        QCOMPARE(user(3), stored ? name : QString());
        QCOMPARE(history.names().size(), stored ? 3 : 2);
    }

    void eraseForgetsEveryName()
    {
        storeWithGap();
        m_store->write(Settings::Recent, u"0", u"/tmp/a.tvk"_s);
        PlayerHistory history(*m_store);
        history.erase();
        QVERIFY(history.names().isEmpty());
        QCOMPARE(user(4), QString()); // also the names after a gap
        QCOMPARE(m_store->read(Settings::Recent, u"0"), u"/tmp/a.tvk"_s);
        QVERIFY(history.add(u"Dora"_s));
        QCOMPARE(user(1), u"Dora"_s);
        QCOMPARE(history.names(), QStringList{u"Dora"_s});
    }
};

QTEST_GUILESS_MAIN(TestPlayerHistory)
#include "tst_playerhistory.moc"
