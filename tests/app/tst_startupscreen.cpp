#include "app/freeshape.h"
#include "app/frmstartup.h"
#include "app/hoverwatch.h"

#include <QApplication>
#include <QFile>
#include <QImage>
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

// The pointer moving over a widget with no button held.
void hover(QWidget *widget, QPoint pos)
{
    sendMouse(widget, QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton);
}

void click(QWidget *widget, QPoint pos)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), Qt::LeftButton);
}

QLabel *picture(const frmStartup &screen, const QString &name)
{
    return screen.findChild<QLabel *>(name);
}

// The pixels of the picture that are at least half opaque.
QRegion opaqueRegion(const QImage &image)
{
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (qAlpha(line[x]) < 128) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qAlpha(line[x]) >= 128)
                ++x;
            region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

} // namespace

class TestStartupScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesShapeText_data();
    void parsesShapeText();
    void storedShapeIsThePictureOutline();
    void controlsSitInTheirPlaces();
    void maskIsAppliedAndRemovedOnClose();
    void hoverLightsOnePicture();
    void clickingALitPictureChooses();
    void escapeQuits();
    void draggingMovesTheWindow();
    void askShowsTheScreenAndReportsTheChoice();
};

void TestStartupScreen::parsesShapeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QRect>>("rectangles");

    QTest::newRow("empty") << QString() << QList<QRect>{};
    QTest::newRow("one number") << u"5,"_s << QList<QRect>{};
    QTest::newRow("two bands") << u"69,0,71,1,68,1,72,2,"_s
                               << QList<QRect>{QRect(69, 0, 2, 1), QRect(68, 1, 4, 1)};
    QTest::newRow("no trailing comma loses the last band")
        << u"69,0,71,1,68,1,72,2"_s << QList<QRect>{QRect(69, 0, 2, 1)};
    QTest::newRow("text after the last comma") << u"1,2,3,4,junk"_s << QList<QRect>{QRect(1, 2, 2, 2)};
    QTest::newRow("non-numeric parts read as 0") << u"x,,5,6,"_s << QList<QRect>{QRect(0, 0, 5, 6)};
    QTest::newRow("leading number") << u" 7abc,8 ,9.9,10,"_s << QList<QRect>{QRect(7, 8, 2, 2)};
    QTest::newRow("16-bit numbers") << u"70000,0,70010,1,"_s << QList<QRect>{QRect(4464, 0, 10, 1)};
}

void TestStartupScreen::parsesShapeText()
{
    QFETCH(QString, text);
    QFETCH(QList<QRect>, rectangles);
    QCOMPARE(FreeShape::shapeRectangles(text), rectangles);
}

void TestStartupScreen::storedShapeIsThePictureOutline()
{
    QFile resource(u":/text/101"_s);
    QVERIFY(resource.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(resource.readAll());
    QVERIFY(!text.contains(u'\n'));
    QVERIFY(text.endsWith(u','));
    QCOMPARE(text.count(u',') % 4, 0);

    const QList<QRect> bands = FreeShape::shapeRectangles(text);
    QCOMPARE(bands.size(), text.count(u',') / 4);
    QCOMPARE(bands.first().top(), 0);
    for (qsizetype i = 0; i < bands.size(); ++i) {
        QCOMPARE(bands[i].height(), 1);
        if (i > 0)
            QVERIFY(bands[i].top() >= bands[i - 1].top());
    }

    const QRegion region = FreeShape::shapeRegion(bands);
    QCOMPARE(region.boundingRect(), QRect(0, 0, 286, 279));
    QCOMPARE(FreeShape::resourceRegion(u"101"), region);
    QVERIFY(FreeShape::resourceRegion(u"999").isEmpty());

    const QImage background = QImage(u":/custom/101"_s).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(background.size(), QSize(286, 279));
    QVERIFY((opaqueRegion(background) ^ region).isEmpty());
    QCOMPARE(QImage(u":/custom/102"_s).size(), QSize(128, 93));
}

void TestStartupScreen::controlsSitInTheirPlaces()
{
    frmStartup screen;
    QCOMPARE(screen.size(), QSize(286, 280));
    QCOMPARE(screen.windowTitle(), u"Charcter Creator"_s);
    QVERIFY(screen.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(picture(screen, u"imgCreate"_s)->geometry(), QRect(32, 128, 57, 97));
    QCOMPARE(picture(screen, u"imgEdit"_s)->geometry(), QRect(112, 128, 57, 97));
    for (const QString &name : {u"imgCreateActive"_s, u"imgEditActive"_s}) {
        const QLabel *lit = picture(screen, name);
        QCOMPARE(lit->size(), QSize(64, 93));
        QCOMPARE(lit->pixmap().size(), QSize(64, 93));
        QVERIFY(lit->isHidden());
    }
    const auto *timer = screen.findChild<QTimer *>(u"tmrMouseOff"_s);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 100);
    QVERIFY(!timer->isActive());
}

void TestStartupScreen::maskIsAppliedAndRemovedOnClose()
{
    frmStartup screen;
    QVERIFY(!screen.mask().isEmpty());
    QCOMPARE(screen.mask(), FreeShape::resourceRegion(u"101"));
    QCOMPARE(screen.shape(), screen.mask());
    screen.show();
    QVERIFY(screen.close());
    QVERIFY(screen.mask().isEmpty());
    QCOMPARE(screen.choice(), StartupChoice::NoChoice);
}

void TestStartupScreen::hoverLightsOnePicture()
{
    frmStartup screen;
    screen.show();
    QPoint cursor;
    screen.hoverWatch()->setCursorSource([&cursor] { return cursor; });
    QLabel *create = picture(screen, u"imgCreate"_s);
    QLabel *edit = picture(screen, u"imgEdit"_s);
    QLabel *createLit = picture(screen, u"imgCreateActive"_s);
    QLabel *editLit = picture(screen, u"imgEditActive"_s);
    const auto *timer = screen.findChild<QTimer *>(u"tmrMouseOff"_s);

    hover(edit, QPoint(5, 5));
    hover(create, QPoint(10, 20));
    QVERIFY(createLit->isVisible());
    QVERIFY(!editLit->isVisible());
    QVERIFY(timer->isActive());

    // Moving on over the lit picture keeps it lit.
    hover(createLit, QPoint(30, 40));
    QVERIFY(createLit->isVisible());

    const QPoint topLeft = create->mapToGlobal(QPoint(0, 0));
    cursor = topLeft + QPoint(57, 97); // the far corner still counts
    screen.hoverWatch()->tick();
    QVERIFY(createLit->isVisible());
    QVERIFY(timer->isActive());

    cursor = topLeft + QPoint(58, 40);
    screen.hoverWatch()->tick();
    QVERIFY(!createLit->isVisible());
    QVERIFY(!editLit->isVisible());
    QVERIFY(!timer->isActive());

    // Moving over the body puts the light out at once.
    hover(edit, QPoint(5, 5));
    QVERIFY(editLit->isVisible());
    hover(&screen, QPoint(230, 240));
    QVERIFY(!editLit->isVisible());
}

void TestStartupScreen::clickingALitPictureChooses()
{
    for (const auto &[name, choice] : {std::pair{u"imgCreateActive"_s, StartupChoice::Create},
                                       std::pair{u"imgEditActive"_s, StartupChoice::Edit}}) {
        frmStartup screen;
        screen.show();
        QLabel *lit = picture(screen, name);
        // A release away from the picture is no click.
        sendMouse(lit, QEvent::MouseButtonPress, QPoint(5, 5), lit->mapToGlobal(QPoint(5, 5)), Qt::LeftButton);
        sendMouse(lit, QEvent::MouseButtonRelease, QPoint(70, 5), lit->mapToGlobal(QPoint(70, 5)), Qt::LeftButton);
        QVERIFY(screen.isVisible());
        QVERIFY(!screen.isDragging());

        click(lit, QPoint(30, 40));
        QCOMPARE(screen.choice(), choice);
        QCOMPARE(screen.result(), int(QDialog::Accepted));
        QVERIFY(!screen.isVisible());
        QVERIFY(screen.mask().isEmpty());
    }
}

void TestStartupScreen::escapeQuits()
{
    frmStartup screen;
    screen.show();
    QTest::keyClick(&screen, Qt::Key_Escape);
    QCOMPARE(screen.choice(), StartupChoice::Quit);
    QVERIFY(!screen.isVisible());
}

void TestStartupScreen::draggingMovesTheWindow()
{
    frmStartup screen;
    screen.show();
    screen.move(100, 120);
    hover(picture(screen, u"imgCreate"_s), QPoint(5, 5));

    const QPoint body(230, 240);
    QVERIFY(screen.shape().contains(body));
    const QPoint grab = screen.mapToGlobal(body);
    sendMouse(&screen, QEvent::MouseButtonPress, body, grab, Qt::LeftButton);
    QVERIFY(screen.isDragging());
    sendMouse(&screen, QEvent::MouseMove, body, grab + QPoint(30, -15), Qt::LeftButton);
    QCOMPARE(screen.pos(), QPoint(130, 105));
    QVERIFY(!picture(screen, u"imgCreateActive"_s)->isVisible());
    sendMouse(&screen, QEvent::MouseMove, body, grab + QPoint(-40, 25), Qt::LeftButton);
    QCOMPARE(screen.pos(), QPoint(60, 145));

    sendMouse(&screen, QEvent::MouseButtonRelease, body, grab + QPoint(-40, 25), Qt::LeftButton);
    QVERIFY(!screen.isDragging());
    hover(&screen, body);
    QCOMPARE(screen.pos(), QPoint(60, 145));
}

void TestStartupScreen::askShowsTheScreenAndReportsTheChoice()
{
    QRect shownAt;
    QTimer::singleShot(0, [&shownAt] {
        auto *screen = qobject_cast<frmStartup *>(QApplication::activeModalWidget());
        if (!screen)
            return;
        shownAt = screen->geometry();
        QLabel *edit = picture(*screen, u"imgEdit"_s);
        hover(edit, QPoint(20, 30));
        click(picture(*screen, u"imgEditActive"_s), QPoint(30, 40));
    });
    // Should the screen never show, this ends the wait without a choice.
    QTimer::singleShot(5000, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    QCOMPARE(frmStartup::ask(), StartupChoice::Edit);

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(shownAt.size(), QSize(286, 280));
    QCOMPARE(shownAt.topLeft(), QPoint(available.left() + (available.width() - 286) / 2,
                                       available.top() + (available.height() - 280) / 2));
}

QTEST_MAIN(TestStartupScreen)
#include "tst_startupscreen.moc"
