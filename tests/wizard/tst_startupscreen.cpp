#include "widgets/freeshape.h"
#include "wizard/frmstartup.h"
#include "widgets/hoverwatch.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, QPoint pos, QPoint globalPos, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, globalPos, button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void hover(QWidget *widget, QPoint pos)
{
    sendMouse(widget, QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton);
}

void click(QWidget *widget, QPoint pos, QPoint releasePos)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, releasePos, widget->mapToGlobal(releasePos), Qt::LeftButton);
}

} // namespace

class TestStartupScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Text after the last comma is lost; leading 16-bit numbers count, anything else is 0.
    void parsesShapeText()
    {
        QCOMPARE(FreeShape::shapeRectangles(u"69,0,71,1,68,1,72,2"_s), QList<QRect>{QRect(69, 0, 2, 1)});
        QCOMPARE(FreeShape::shapeRectangles(u" 70000abc,,70010,9.9,"_s), QList<QRect>{QRect(4464, 0, 10, 9)});
    }

    // Cut to the opaque pixels of its background.
    void windowHasTheOutlineOfItsPicture()
    {
        frmStartup screen;
        const QRegion mask = screen.mask();
        QCOMPARE(screen.shape(), mask);
        const QImage background = QImage(u":/custom/101"_s).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!mask.isEmpty() && background.rect().contains(mask.boundingRect()));
        int wrong = 0;
        for (int y = 0; y < background.height(); ++y)
            for (int x = 0; x < background.width(); ++x)
                wrong += (qAlpha(background.pixel(x, y)) >= 128) != mask.contains(QPoint(x, y));
        QCOMPARE(wrong, 0);
    }

    // One picture is lit under the pointer; the body puts the light out and drags the window.
    void hoverLightsOnePictureAndTheBodyDrags()
    {
        frmStartup screen;
        screen.show();
        QPoint cursor;
        screen.hoverWatch()->setCursorSource([&cursor] { return cursor; });
        QLabel *create = screen.findChild<QLabel *>(u"imgCreate"_s);
        QLabel *createLit = screen.findChild<QLabel *>(u"imgCreateActive"_s);
        QLabel *editLit = screen.findChild<QLabel *>(u"imgEditActive"_s);

        hover(screen.findChild<QLabel *>(u"imgEdit"_s), QPoint(5, 5));
        QVERIFY(editLit->isVisible());
        hover(create, QPoint(10, 20));
        QVERIFY(createLit->isVisible() && !editLit->isVisible());
        hover(createLit, QPoint(30, 40)); // on over the lit picture: still lit
        QVERIFY(createLit->isVisible());

        cursor = create->mapToGlobal(QPoint(58, 40));
        screen.hoverWatch()->tick();
        QVERIFY(!createLit->isVisible() && !screen.hoverWatch()->isWatching());

        hover(create, QPoint(5, 5));
        const QPoint body(230, 240);
        hover(&screen, body);
        QVERIFY(!createLit->isVisible());

        screen.move(100, 120);
        const QPoint grab = screen.mapToGlobal(body);
        sendMouse(&screen, QEvent::MouseButtonPress, body, grab, Qt::LeftButton);
        sendMouse(&screen, QEvent::MouseMove, body, grab + QPoint(30, -15), Qt::LeftButton);
        QCOMPARE(screen.pos(), QPoint(130, 105));
        sendMouse(&screen, QEvent::MouseMove, body, grab + QPoint(-40, 25), Qt::LeftButton);
        sendMouse(&screen, QEvent::MouseButtonRelease, body, grab + QPoint(-40, 25), Qt::LeftButton);
        hover(&screen, body + QPoint(20, 20)); // released: no longer dragged
        QCOMPARE(screen.pos(), QPoint(60, 145));
    }

    void choosingClosesTheScreen_data()
    {
        QTest::addColumn<QString>("lit"); // none: Escape
        QTest::addColumn<StartupChoice>("choice");
        QTest::newRow("create") << u"imgCreateActive"_s << StartupChoice::Create;
        QTest::newRow("edit") << u"imgEditActive"_s << StartupChoice::Edit;
        QTest::newRow("escape quits") << QString() << StartupChoice::Quit;
    }

    // Shown centred; a click on a lit picture or Escape closes it and is the answer.
    void choosingClosesTheScreen()
    {
        QFETCH(QString, lit);
        QFETCH(StartupChoice, choice);
        QRect shownAt;
        bool clickedAway = false, closed = false;
        QTimer::singleShot(0, [&] {
            auto *screen = qobject_cast<frmStartup *>(QApplication::activeModalWidget());
            if (!screen)
                return;
            shownAt = screen->frameGeometry();
            if (lit.isEmpty()) {
                QTest::keyClick(screen, Qt::Key_Escape);
            } else {
                // A release away from the picture is no click, nor the start of a drag.
                click(screen->findChild<QLabel *>(lit), QPoint(5, 5), QPoint(70, 5));
                clickedAway = screen->isVisible() && !screen->isDragging();
                click(screen->findChild<QLabel *>(lit), QPoint(30, 40), QPoint(30, 40));
            }
            closed = !screen->isVisible() && screen->mask().isEmpty();
            if (!closed)
                screen->close(); // ends the wait
        });
        QCOMPARE(frmStartup::ask(), choice);
        QVERIFY(closed && (clickedAway || lit.isEmpty()));
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((shownAt.center() - available.center()).manhattanLength() <= 1);
    }
};

QTEST_MAIN(TestStartupScreen)
#include "tst_startupscreen.moc"
