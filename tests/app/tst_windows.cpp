#include "app/form2.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/windowplacement.h"
#include "platform/messageboxservice.h"
#include "rules/attributeroll.h"
#include "rules/characterrecord.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

CharacterRecord unplacedRecord()
{
    CharacterRecord record;
    record.basis.fill(u"-"_s);
    return record;
}

// The free room left, right, above and below the window's frame in the area.
QMargins gaps(const QRect &area, const QRect &frame)
{
    return QMargins(frame.left() - area.left(), frame.top() - area.top(), area.right() - frame.right(),
                    area.bottom() - frame.bottom());
}

// Puts the assumed frame back when a test has changed it.
struct AssumedFrameGuard
{
    QMargins saved = WindowPlacement::assumedFrame();
    ~AssumedFrameGuard() { WindowPlacement::setAssumedFrame(saved); }
};

class TestWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapeLeavesThePlacementOpen();
    void closeBoxAbortsThePlacement();
    void escapeSkipsTheFreeChoice();

    void centredInnerPosition_data();
    void centredInnerPosition();
    void centringCountsTheFrame();
    void centringTwiceGivesTheSamePlace();

    void rememberedPlace_data();
    void rememberedPlace();
    void rememberedPlaceMayDefaultToTheCentre();
    void valueOverviewStartsWhollyOnTheScreen();
    void valueOverviewComesBackWithAFrameNotYetKnown();

    void titleWidthRule();
    void messageBoxShowsItsWholeTitle_data();
    void messageBoxShowsItsWholeTitle();
    void shortTitleLeavesTheBoxAsItWas();
};

void TestWindows::escapeLeavesThePlacementOpen()
{
    Form3 dialog(unplacedRecord(), 42, nullptr);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);

    // Escape with a button focused does not end it either.
    dialog.button(2)->setFocus();
    QTest::keyClick(dialog.button(2), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);

    QTest::mouseClick(dialog.button(3), Qt::LeftButton);
    QCOMPARE(dialog.answer(), 3);
    QVERIFY(!dialog.isVisible());
}

void TestWindows::closeBoxAbortsThePlacement()
{
    Form3 dialog(unplacedRecord(), 42, nullptr);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    // The close box of the frame.
    QVERIFY(dialog.close());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog.answer(), RollDialogs::Abort);
}

// Closing the free choice unchosen is allowed (nothing changes, the table is
// rolled again), so Escape does what the close box does.
void TestWindows::escapeSkipsTheFreeChoice()
{
    Form2 dialog;
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.choice(), -1);
}

void TestWindows::centredInnerPosition_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("no frame") << screen << QSize(472, 472) << QMargins() << QPoint(404, 276);
    // Outer 474 x 493: its corner at (403, 265), the inner area one and twenty further.
    QTest::newRow("title bar") << screen << QSize(472, 472) << QMargins(1, 20, 1, 1) << QPoint(404, 285);
    QTest::newRow("panel at the top") << QRect(0, 30, 1280, 994) << QSize(392, 412) << QMargins(4, 24, 4, 4)
                                      << QPoint(440 + 4, 30 + 277 + 24);
    QTest::newRow("odd remainder rounds down") << QRect(0, 0, 101, 101) << QSize(50, 50) << QMargins()
                                               << QPoint(25, 25);
    QTest::newRow("larger than the area") << QRect(10, 20, 300, 200) << QSize(400, 300) << QMargins(1, 20, 1, 1)
                                          << QPoint(11, 40);
}

void TestWindows::centredInnerPosition()
{
    QFETCH(QRect, area);
    QFETCH(QSize, inner);
    QFETCH(QMargins, frame);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPlacement::centredInnerPosition(area, inner, frame), expected);
}

void TestWindows::centringCountsTheFrame()
{
    QWidget window;
    window.setFixedSize(300, 201);
    window.show();
    WindowPlacement::centre(window);
    const QRect frame = window.frameGeometry();
    QVERIFY(frame.size() != window.size()); // the test platform draws a frame
    const QMargins room = gaps(WindowPlacement::availableArea(), frame);
    QVERIFY2(qAbs(room.left() - room.right()) <= 1 && qAbs(room.top() - room.bottom()) <= 1,
             qPrintable(u"%1 %2 %3 %4"_s.arg(room.left()).arg(room.top()).arg(room.right()).arg(room.bottom())));
}

// Shown first before its frame is known, then again as a step window is: hidden, resized, centred, shown.
void TestWindows::centringTwiceGivesTheSamePlace()
{
    AssumedFrameGuard guard;
    WindowPlacement::setAssumedFrame(QMargins(0, 30, 0, 0));
    QWidget window;
    window.setWindowTitle(u"Valdris 1880 Character Creator"_s);
    window.setFixedSize(472, 472);
    WindowPlacement::centre(window);
    window.show();
    const QRect first = window.frameGeometry();
    const QMargins room = gaps(WindowPlacement::availableArea(), first);
    QVERIFY(qAbs(room.left() - room.right()) <= 1 && qAbs(room.top() - room.bottom()) <= 1);

    for (const QSize size : {QSize(654, 542), QSize(472, 472), QSize(392, 412), QSize(472, 472)}) {
        window.hide();
        window.setFixedSize(size);
        WindowPlacement::centre(window);
        window.show();
    }
    QCOMPARE(window.frameGeometry(), first);
}

void TestWindows::rememberedPlace_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    // The frame's corner; -1 for the default, flush with the top right corner.
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("stored") << u"1800"_s << u"1200"_s << QPoint(120, 80);
    QTest::newRow("nothing stored") << QString() << QString() << QPoint(-1, -1);
    QTest::newRow("only the left") << u"1800"_s << QString() << QPoint(120, -1);
    QTest::newRow("only the top") << QString() << u"1200"_s << QPoint(-1, 80);
    QTest::newRow("no number") << u"links"_s << u"oben"_s << QPoint(-1, -1);
    QTest::newRow("decimal comma, part of a pixel") << u"1800,0"_s << u"1207.4"_s << QPoint(120, 80);
    QTest::newRow("left of the screen") << u"-300"_s << u"0"_s << QPoint(-20, 0);
}

void TestWindows::rememberedPlace()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, expected);
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(u"settings.ini"_s));
    if (!left.isNull())
        settings.write(u"datasheet", u"left", left);
    if (!top.isNull())
        settings.write(u"datasheet", u"top", top);

    QWidget window;
    window.setFixedSize(300, 200);
    WindowPlacement::placeRemembered(window, settings, u"datasheet", Qt::AlignTop | Qt::AlignRight);
    window.show();
    const QRect frame = window.frameGeometry();
    const QRect area = WindowPlacement::availableArea();
    QCOMPARE(frame.topLeft(), QPoint(expected.x() == -1 ? area.right() + 1 - frame.width() : expected.x(),
                                     expected.y() == -1 ? area.top() : expected.y()));
    QCOMPARE(WindowPlacement::frameTopLeft(window), frame.topLeft());
}

void TestWindows::rememberedPlaceMayDefaultToTheCentre()
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(u"settings.ini"_s));
    QWidget window;
    window.setFixedSize(300, 201);
    WindowPlacement::placeRemembered(window, settings, u"datasheet", Qt::AlignCenter);
    window.show();
    const QMargins room = gaps(WindowPlacement::availableArea(), window.frameGeometry());
    QVERIFY(qAbs(room.left() - room.right()) <= 1 && qAbs(room.top() - room.bottom()) <= 1);
}

void TestWindows::valueOverviewStartsWhollyOnTheScreen()
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(u"settings.ini"_s));
    auto *overview = new Form4(settings, unplacedRecord());
    overview->show();
    const QRect available = WindowPlacement::availableArea();
    const QRect frame = overview->frameGeometry();
    QVERIFY(frame.size() != overview->size());
    QVERIFY2(available.contains(frame), qPrintable(u"%1,%2 %3x%4"_s.arg(frame.x()).arg(frame.y())
                                                        .arg(frame.width()).arg(frame.height())));
    // Flush with the top right corner.
    QCOMPARE(frame.right(), available.right());
    QCOMPARE(frame.top(), available.top());

    QVERIFY(overview->close());
    QCOMPARE(settings.readNumber(Settings::ValueOverview, u"left", -1),
             WindowPlacement::twipsFromPixels(frame.left()));
    QCOMPARE(settings.readNumber(Settings::ValueOverview, u"top", -1), WindowPlacement::twipsFromPixels(frame.top()));
}

void TestWindows::valueOverviewComesBackWithAFrameNotYetKnown()
{
    AssumedFrameGuard guard;
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(u"settings.ini"_s));
    auto *overview = new Form4(settings, unplacedRecord());
    overview->show();
    WindowPlacement::moveFrameTo(*overview, QPoint(120, 80));
    QCOMPARE(overview->frameGeometry().topLeft(), QPoint(120, 80));
    QVERIFY(overview->close());
    QCOMPARE(settings.read(Settings::ValueOverview, u"left"), u"1800"_s);
    QCOMPARE(settings.read(Settings::ValueOverview, u"top"), u"1200"_s);

    WindowPlacement::setAssumedFrame(QMargins(3, 25, 3, 3));
    auto *again = new Form4(settings, unplacedRecord());
    again->show();
    QCOMPARE(again->frameGeometry().topLeft(), QPoint(120, 80));
    QVERIFY(again->close());
}

void TestWindows::titleWidthRule()
{
    const QFont font = MessageBoxService::titleFont();
    const QFontMetrics metrics(font);
    const QString title = u"Keine Daten"_s;
    const int width = MessageBoxService::widthForTitle(title, font);
    // The title itself and room for at least three frame buttons beside it.
    QVERIFY(width >= metrics.horizontalAdvance(title) + 3 * metrics.height());
    // Each letter more needs its own room, no more.
    const QString longer = title + u" und mehr"_s;
    QCOMPARE(MessageBoxService::widthForTitle(longer, font) - width,
             metrics.horizontalAdvance(longer) - metrics.horizontalAdvance(title));
    // A bigger title font needs more.
    QFont bigger = font;
    bigger.setPointSizeF(font.pointSizeF() * 2);
    QVERIFY(MessageBoxService::widthForTitle(title, bigger) > width);
    // No title: only the buttons, far less than a screen.
    QVERIFY(MessageBoxService::widthForTitle(QString(), font) < 200);
}

void TestWindows::messageBoxShowsItsWholeTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("short text") << u"Keine Daten"_s << u"Bitte erst würfeln !"_s;
    QTest::newRow("one word") << u"Keine Daten"_s << u"!"_s;
    QTest::newRow("long title") << u"Valdris 1880 Character Creator"_s << u"Charakter speichern ?"_s;
}

void TestWindows::messageBoxShowsItsWholeTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QMessageBox box;
    MessageBoxService::setUp(box, text, title, MessageService::Icon::Exclamation, MessageService::Buttons::Ok);
    box.show();
    QCOMPARE(box.windowTitle(), title);
    QVERIFY2(box.width() >= MessageBoxService::widthForTitle(title, MessageBoxService::titleFont()),
             qPrintable(QString::number(box.width())));
    box.close();
}

void TestWindows::shortTitleLeavesTheBoxAsItWas()
{
    const QString text = u"Die Datei enthält keinen Charakter, der sich mit diesem Programm öffnen lässt."_s;
    QMessageBox plain;
    plain.setText(text);
    plain.setIcon(QMessageBox::Warning);
    plain.setStandardButtons(QMessageBox::Ok);
    plain.show();
    QMessageBox ours;
    MessageBoxService::setUp(ours, text, u"!"_s, MessageService::Icon::Exclamation, MessageService::Buttons::Ok);
    ours.show();
    QCOMPARE(ours.width(), plain.width());
}

} // namespace

int runWindowTests(int argc, char **argv)
{
    TestWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
