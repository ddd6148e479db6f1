#include "wizard/form2.h"
#include "wizard/form3.h"
#include "wizard/form4.h"
#include "widgets/windowplacement.h"
#include "platform/messageboxservice.h"
#include "rules/attributeroll.h"
#include "rules/characterrecord.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

class TestWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Placement offers the free attributes, stacked, then "Neu beginnen"; only the close box aborts.
    void placementAndFreeChoiceDialogs()
    {
        CharacterRecord record;
        record.basis = {u"55"_s, u"-"_s, u"70"_s, u"40"_s, u"-"_s, u"-"_s};
        Form3 dialog(record, 88, nullptr);
        QCOMPARE(dialog.question(), u"Wohin soll der Wert 88 ???"_s);
        QList<int> tops; // -1 for a hidden button
        for (int i = 0; i < 6; ++i)
            tops << (dialog.button(i)->isVisibleTo(&dialog) ? dialog.button(i)->y() : -1);
        QCOMPARE(tops, (QList<int>{-1, 48, -1, -1, 80, 112}));
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        dialog.button(4)->setFocus();
        QTest::keyClick(dialog.button(4), Qt::Key_Escape);
        QVERIFY(dialog.isVisible() && finished.isEmpty());
        QVERIFY(dialog.close());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog.answer(), RollDialogs::Abort);
        QTest::mouseClick(dialog.button(4), Qt::LeftButton);
        QCOMPARE(dialog.answer(), 4);
        QTest::mouseClick(dialog.button(5), Qt::LeftButton);
        QCOMPARE(dialog.answer(), RollDialogs::Discard);

        Form2 choice;
        QCOMPARE(choice.choice(), -1);
        QTest::mouseClick(choice.button(11), Qt::LeftButton);
        QCOMPARE(choice.choice(), 11);
    }

    // Whatever place and size were asked for, the whole window stands on the area.
    void keptWhollyOnTheArea_data()
    {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("kept");
        // The area is 0,30 1280 x 994 (below a panel), the frame 4, 24, 4, 4.
        QTest::newRow("on it") << QRect(100, 100, 400, 300) << QSize() << QRect(100, 100, 400, 300);
        QTest::newRow("left and above") << QRect(-500, -1000000, 400, 300) << QSize() << QRect(4, 54, 400, 300);
        QTest::newRow("right and below") << QRect(1000000, 900, 400, 300) << QSize() << QRect(876, 720, 400, 300);
        QTest::newRow("larger") << QRect(50, 50, 3000, 2000) << QSize() << QRect(4, 54, 1272, 966);
        QTest::newRow("larger than it can shrink") << QRect(900, 50, 2000, 300) << QSize(1500, 100)
                                                    << QRect(4, 54, 1500, 300);
    }

    void keptWhollyOnTheArea()
    {
        QFETCH(QRect, wanted);
        QFETCH(QSize, minimum);
        QFETCH(QRect, kept);
        QCOMPARE(WindowPlacement::keptOnArea(wanted, QMargins(4, 24, 4, 4), QRect(0, 30, 1280, 994), minimum), kept);
    }

    // Larger than the area, a centred window starts at its top left corner.
    void centredInACornerWhenLarger()
    {
        QCOMPARE(WindowPlacement::centredInnerPosition(QRect(10, 20, 300, 200), QSize(400, 300), QMargins(1, 20, 1, 1)),
                 QPoint(11, 40));
    }

    void valueOverviewComesBackWhereItWasLeft_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        // The frame's corner; -1 for the default, flush with the top right corner.
        QTest::addColumn<QPoint>("expected");

        QTest::newRow("nothing stored") << QString() << QString() << QPoint(-1, -1);
        QTest::newRow("part of a pixel") << u"1800"_s << u"1207.4"_s << QPoint(120, 80);
        QTest::newRow("only the top") << QString() << u"1200"_s << QPoint(-1, 80);
    }

    // Placed by the stored corner; comes back where it was left, even when the assumed frame is not the true one.
    void valueOverviewComesBackWhereItWasLeft()
    {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QPoint, expected);
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath(u"settings.ini"_s));
        const auto restore = qScopeGuard([frame = WindowPlacement::assumedFrame()] { WindowPlacement::setAssumedFrame(frame); });
        if (!left.isNull())
            settings.write(Settings::ValueOverview, u"left", left);
        if (!top.isNull())
            settings.write(Settings::ValueOverview, u"top", top);
        auto *overview = new Form4(settings, CharacterRecord());
        overview->show();
        const QRect frame = overview->frameGeometry();
        const QRect area = WindowPlacement::availableArea();
        QCOMPARE(frame.topLeft(), QPoint(expected.x() == -1 ? area.right() + 1 - frame.width() : expected.x(),
                                         expected.y() == -1 ? area.top() : expected.y()));
        if (expected == QPoint(-1, -1))
            QVERIFY(area.contains(frame));
        overview->move(overview->pos() + QPoint(-7, 5));
        const QRect moved = overview->frameGeometry();
        QVERIFY(overview->close());

        WindowPlacement::setAssumedFrame(QMargins(3, 25, 3, 3));
        auto *again = new Form4(settings, CharacterRecord());
        again->show();
        QCOMPARE(again->frameGeometry(), moved);
        QVERIFY(again->close());
    }

    // As wide as the title and the frame's buttons need, otherwise as Qt makes it.
    void messageBoxShowsItsWholeTitle()
    {
        for (const auto &[title, text] : {std::pair(u"Valdris 1880 Character Creator"_s, u"!"_s),
                                          std::pair(u"!"_s, u"Die Datei enthält keinen Charakter, der sich mit diesem Programm öffnen lässt."_s)}) {
            QMessageBox plain(QMessageBox::Warning, QString(), text, QMessageBox::Ok);
            plain.show();
            QMessageBox box;
            MessageBoxService::setUp(box, text, title, MessageService::Icon::Exclamation, MessageService::Buttons::Ok);
            box.show();
            QCOMPARE(box.windowTitle(), title);
            const QFontMetrics metrics(MessageBoxService::titleFont());
            const int wanted = MessageBoxService::widthForTitle(title, MessageBoxService::titleFont());
            QVERIFY(wanted >= metrics.horizontalAdvance(title) + 3 * metrics.height());
            QVERIFY(box.width() >= wanted);
            if (plain.width() >= wanted)
                QCOMPARE(box.width(), plain.width());
        }
    }
};

} // namespace

int runWindowTests(int argc, char **argv) { TestWindows tests; return QTest::qExec(&tests, argc, argv); }

#include "tst_windows.moc"
