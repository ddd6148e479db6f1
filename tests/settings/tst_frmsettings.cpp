#include "settings/aboutpage.h"
#include "settings/blendanimation.h"
#include "settings/fontchooser.h"
#include "settings/frmsettings.h"
#include "settings/picturebox.h"
#include "settings/thicknesspreview.h"
#include "storage/filetyperegistration.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QByteArray iconPicture(const char *colour)
{
    return QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8"><rect width="8" height="8" fill=")")
           + colour + QByteArray(R"("/></svg>)");
}

// Runs `answer` on the dialog of type T once it is up (a modal one blocks the test until it closes).
template<typename T>
void whenShown(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            answer(dialog);
        } else if (++*tries > 200) {
            poll->deleteLater();
        }
    });
    poll->start(10);
}

// The dialog over a sheet window, with settings and desktop in a temporary folder.
struct Fixture
{
    Fixture()
    {
        sheet.resize(600, 400);
        sheet.show();
    }

    void open()
    {
        SettingsContext context{settings};
        context.fileIcons = icons;
        context.desktop = desktop;
        context.showPatternMenu = [this](QPoint at) { menuAt.append(at); };
        context.homePage = QUrl(u"https://example.org/valdris"_s);
        context.version = u"0.1"_s;
        context.openUrl = [this](const QUrl &url) { opened.append(url); };
        dialog = std::make_unique<frmSettings>(std::move(context), &sheet);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    template<typename T = QWidget>
    T *find(const QString &name) const
    {
        T *widget = dialog->findChild<T *>(name);
        if (!widget)
            qWarning("no control %s", qPrintable(name));
        return widget;
    }

    // Brings up the control's page and clicks it as a user would.
    void click(const QString &name, QPoint at = {})
    {
        QWidget *widget = find(name);
        QVERIFY(widget);
        for (QWidget *page = widget; page; page = page->parentWidget()) {
            const int tab = dialog->tabStrip()->indexOf(page);
            if (tab >= 0)
                dialog->tabStrip()->setCurrentIndex(tab);
        }
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            QTest::keyClick(combo, Qt::Key_Down);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }

    QString stored(const QString &section, const QString &key) const
    {
        return settings.read(section, key, u"unset"_s);
    }

    void registerFileType(int iconShown)
    {
        FileTypeRegistration(desktop, u"/opt/tarvosk"_s, icons[iconShown], nullptr).registerFileType();
    }

    QByteArray iconFile() const
    {
        QFile file(FileTypeRegistration(desktop, {}, {}, nullptr).iconPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(u"Tarvosk.conf"_s)};
    DesktopPaths desktop{dir.filePath(u"data"_s), dir.filePath(u"config"_s), {}};
    std::array<QByteArray, 4> icons{iconPicture("red"), iconPicture("green"), iconPicture("blue"),
                                    iconPicture("black")};
    QWidget sheet;
    std::unique_ptr<frmSettings> dialog;
    QList<QPoint> menuAt;
    QList<QUrl> opened;
};

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesAtOnceOrOnClosing_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("atOnce");
        QTest::addColumn<QString>("onClosing");
        QTest::newRow("portrait turned") << u"imgOrientation_0"_s << u"Printer"_s << u"Orientation"_s << u"1"_s << u"1"_s;
        QTest::newRow("lines off") << u"chkLines"_s << u"Printer"_s << u"Line0On"_s << u"0"_s << u"0"_s;
        QTest::newRow("frames off") << u"chkFrames"_s << u"Printer"_s << u"Line1On"_s << u"0"_s << u"0"_s;
        QTest::newRow("trait preset") << u"chkCharakter"_s << u"Startup"_s << u"CharacterProperty"_s << u"1"_s << u"1"_s;
        QTest::newRow("freedom") << u"chkFreedom"_s << u"Startup"_s << u"ConfirmValues"_s << u"1"_s << u"1"_s;
        QTest::newRow("start-up screen") << u"chkStartup"_s << u"Startup"_s << u"Startup"_s << u"unset"_s << u"0"_s;
        QTest::newRow("font preview") << u"chkTrueType"_s << u"Startup"_s << u"Preview"_s << u"unset"_s << u"0"_s;
        QTest::newRow("save fonts") << u"chkSaveFont"_s << u"Startup"_s << u"SaveFont"_s << u"unset"_s << u"0"_s;
        QTest::newRow("always Word") << u"chkAlwaysWord"_s << u"Startup"_s << u"AlwaysWord"_s << u"unset"_s << u"1"_s;
        QTest::newRow("currency") << u"cbxMoney"_s << u"Startup"_s << u"Currency"_s << u"unset"_s << u"1"_s;
        QTest::newRow("seed option") << u"optRandomize_1"_s << u"Startup"_s << u"Random"_s << u"unset"_s << u"1"_s;
    }

    void writesAtOnceOrOnClosing()
    {
        QFETCH(QString, control);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, atOnce);
        QFETCH(QString, onClosing);
        Fixture f;
        f.open();
        f.click(control);
        QCOMPARE(f.stored(section, key), atOnce);
        f.dialog->close();
        QCOMPARE(f.stored(section, key), onClosing);
    }

    void opensWithTheStoredSettings()
    {
        Fixture f;
        f.settings.write(u"Labels"_s, u"Size"_s, u"9,5"_s);
        f.settings.write(u"Labels"_s, u"Italic"_s, u"Wahr"_s);
        f.settings.write(Settings::Orientation, u"1"_s);
        f.settings.write(Settings::Line1, u"1"_s);
        f.settings.write(Settings::Line0On, u"0"_s);
        f.settings.write(Settings::Random, u"0"_s);
        f.settings.write(Settings::RandomText, u"123"_s);
        f.settings.write(Settings::Currency, u"8"_s);
        f.open();
        const QFont labels = f.find<QLineEdit>(u"txtFont_1"_s)->font();
        QCOMPARE(labels.pointSizeF(), 9.5);
        QVERIFY(labels.italic());
        QCOMPARE(f.find<QLineEdit>(u"txtFont_0"_s)->text(), u"Times New Roman"_s);
        QVERIFY(f.find(u"imgOrientation_1"_s)->isVisibleTo(f.dialog.get()));
        QVERIFY(!f.find(u"imgOrientation_0"_s)->isVisibleTo(f.dialog.get()));
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_1"_s)->markedRow(), 1);
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_0"_s)->markedRow(), -1);
        // The stored seed text does not override the stored option.
        QVERIFY(f.find<QRadioButton>(u"optRandomize_0"_s)->isChecked());
        QCOMPARE(f.find<QComboBox>(u"cbxMoney"_s)->currentText(), u"Krone"_s);
        // Nothing changed, nothing written at once.
        QCOMPARE(f.stored(u"Printer"_s, u"Line0On"_s), u"0"_s);
        QCOMPARE(f.stored(u"Startup"_s, u"CharacterProperty"_s), u"unset"_s);
    }

    void fontChooserKeepsToItsSizes_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<QString>("storedSize");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<QString>("preset");
        QTest::newRow("headline of size 0") << 0 << u"0"_s
            << QStringList{u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s, u"12"_s, u"13"_s, u"14"_s, u"15"_s,
                           u"16"_s, u"17"_s, u"18"_s} << u"6"_s;
        QTest::newRow("labels as stored") << 1 << u"8.25"_s
            << QStringList{u"6"_s, u"7"_s, u"8"_s, u"8,25"_s, u"9"_s, u"10"_s} << u"8,25"_s;
        QTest::newRow("values too large") << 2 << u"14"_s
            << QStringList{u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s} << u"10"_s;
    }

    void fontChooserKeepsToItsSizes()
    {
        QFETCH(int, sample);
        QFETCH(QString, storedSize);
        QFETCH(QStringList, sizes);
        QFETCH(QString, preset);
        Fixture f;
        const QString section = QStringList{u"Headline"_s, u"Labels"_s, u"Values"_s}[sample];
        f.settings.write(section, u"Size"_s, storedSize);
        f.open();
        QStringList offered;
        QString presetShown;
        whenShown<FontChooser>([&](FontChooser *chooser) {
            auto *list = chooser->findChild<QListWidget *>(u"lstSize"_s);
            for (int row = 0; row < list->count(); ++row)
                offered.append(list->item(row)->text());
            if (list->currentItem())
                presetShown = list->currentItem()->text();
            chooser->reject();
        });
        f.click(u"cmdChooseFont_"_s + QString::number(sample));
        QCOMPARE(offered, sizes);
        QCOMPARE(presetShown, preset);
        // Cancelled: the stored size goes back as it was, even 0.
        f.dialog->close();
        QCOMPARE(f.stored(section, u"Size"_s), storedSize);
    }

    void chosenFontGoesOnTheSheetAtOnceOnlyWithPreview_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << true;
        QTest::newRow("no preview") << false;
    }

    void chosenFontGoesOnTheSheetAtOnceOnlyWithPreview()
    {
        QFETCH(bool, preview);
        Fixture f;
        f.settings.write(Settings::Preview, preview ? u"1"_s : u"0"_s);
        f.open();
        whenShown<FontChooser>([](FontChooser *chooser) {
            auto *sizes = chooser->findChild<QListWidget *>(u"lstSize"_s);
            sizes->setCurrentRow(sizes->count() - 1);
            chooser->findChild<QListWidget *>(u"lstStyle"_s)->setCurrentRow(3);
            QTest::mouseClick(chooser->findChild<QCheckBox *>(u"chkUnderline"_s), Qt::LeftButton);
            QTest::mouseClick(chooser->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        });
        f.click(u"cmdChooseFont_2"_s);
        const QFont shown = f.find<QLineEdit>(u"txtFont_2"_s)->font();
        QVERIFY(shown.bold() && shown.italic() && shown.underline() && !shown.strikeOut());
        QCOMPARE(f.stored(u"Values"_s, u"Size"_s), preview ? u"10"_s : u"unset"_s);
        QCOMPARE(f.stored(u"Values"_s, u"Bold"_s), preview ? u"1"_s : u"unset"_s);
        f.dialog->close();
        QCOMPARE(f.stored(u"Values"_s, u"Size"_s), u"10"_s);
        QCOMPARE(f.stored(u"Values"_s, u"Underline"_s), u"1"_s);
        QCOMPARE(f.stored(u"Values"_s, u"Strikethru"_s), u"0"_s);
    }

    void fontDefaultsButton()
    {
        Fixture f;
        f.settings.write(Settings::Preview, u"0"_s);
        for (const QString &section : {u"Headline"_s, u"Labels"_s, u"Values"_s}) {
            f.settings.write(section, u"Name"_s, u"Arial"_s);
            f.settings.write(section, u"Size"_s, u"12"_s);
            f.settings.write(section, u"Bold"_s, u"1"_s);
        }
        f.settings.write(Settings::Line0, u"2"_s);
        f.settings.write(Settings::Line1, u"1"_s);
        f.settings.write(Settings::Line1On, u"0"_s);
        f.open();
        f.click(u"cmdSetFontDefaults"_s);
        // At once, though fonts are not previewed: the sheet shows the standard look.
        QCOMPARE(f.stored(u"Headline"_s, u"Size"_s), u"18"_s);
        QCOMPARE(f.stored(u"Labels"_s, u"Size"_s), u"8"_s);
        QCOMPARE(f.stored(u"Values"_s, u"Name"_s), u"Times New Roman"_s);
        QCOMPARE(f.stored(u"Values"_s, u"Bold"_s), u"0"_s);
        QCOMPARE(f.stored(u"Printer"_s, u"Line0"_s), u"0"_s);
        QCOMPARE(f.stored(u"Printer"_s, u"Line1"_s), u"3"_s);
        QCOMPARE(f.stored(u"Printer"_s, u"Line1On"_s), u"1"_s);
        QVERIFY(f.find<QCheckBox>(u"chkFrames"_s)->isChecked());
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_0"_s)->markedRow(), 0);
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_1"_s)->markedRow(), 3);
        QCOMPARE(f.find<QLineEdit>(u"txtFont_0"_s)->text(), u"Times New Roman"_s);
    }

    void thicknessPreviewStoresTheClickedBand_data()
    {
        QTest::addColumn<int>("preview");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("row");
        QTest::newRow("Y = 40") << 0 << 40 << 2;
        QTest::newRow("last pixel of the first band") << 1 << 15 << 0;
        QTest::newRow("first pixel of the second band") << 1 << 16 << 1;
        QTest::newRow("bottom") << 0 << 63 << 3;
    }

    void thicknessPreviewStoresTheClickedBand()
    {
        QFETCH(int, preview);
        QFETCH(int, y);
        QFETCH(int, row);
        Fixture f;
        f.open();
        const QString name = u"picThickPreview_"_s + QString::number(preview);
        f.click(name, QPoint(2, y));
        QCOMPARE(f.stored(u"Printer"_s, u"Line"_s + QString::number(preview)), QString::number(row));
        // The band of the row, its whole width, in the window background colour; the rest not.
        const QImage shown = f.find(name)->grab().toImage();
        const QColor lit = f.find(name)->palette().color(QPalette::Base);
        for (int line = 1; line < shown.height() - 1; ++line)
            QCOMPARE(shown.pixelColor(3, line) == lit, line / ThicknessPreview::bandHeight == row);
    }

    void seedBoxTakesDigitsOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ownSeed");
        QTest::newRow("a letter") << u"a"_s << u""_s << false;
        QTest::newRow("a blank") << u" "_s << u""_s << false;
        QTest::newRow("a digit") << u"7"_s << u"7"_s << true;
        QTest::newRow("colon and semicolon") << u":;"_s << u":;"_s << true;
        QTest::newRow("mixed") << u"1a/2<"_s << u"12"_s << true;
    }

    void seedBoxTakesDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, ownSeed);
        Fixture f;
        f.open();
        f.dialog->tabStrip()->setCurrentIndex(1);
        auto *seed = f.find<QLineEdit>(u"txtRandomize"_s);
        seed->setFocus();
        QTest::keyClicks(seed, typed);
        QCOMPARE(seed->text(), shown);
        QCOMPARE(f.find<QRadioButton>(u"optRandomize_2"_s)->isChecked(), ownSeed);
        f.dialog->close();
        QCOMPARE(f.stored(u"Startup"_s, u"RandomText"_s), shown);
        QCOMPARE(f.stored(u"Startup"_s, u"Random"_s), ownSeed ? u"2"_s : u"0"_s);
    }

    void programDefaultsButton()
    {
        Fixture f;
        f.registerFileType(3);
        const QList<std::pair<SettingKey, QString>> before{
            {Settings::CharacterProperty, u"1"_s}, {Settings::ConfirmValues, u"1"_s}, {Settings::AlwaysWord, u"1"_s},
            {Settings::StartupScreen, u"0"_s},     {Settings::Preview, u"0"_s},       {Settings::Currency, u"4"_s},
            {Settings::Random, u"1"_s},            {Settings::SaveFont, u"0"_s},      {Settings::Wallpaper, u"5"_s}};
        for (const auto &[setting, value] : before)
            f.settings.write(setting, value);
        f.open();
        QVERIFY(f.find<PictureBox>(u"imgIcon_3"_s)->isFramed());
        f.click(u"cmdSetProgramDefaults"_s);
        QCOMPARE(f.stored(u"Startup"_s, u"CharacterProperty"_s), u"0"_s);
        QCOMPARE(f.stored(u"Startup"_s, u"ConfirmValues"_s), u"0"_s);
        QCOMPARE(f.stored(u"StartUp"_s, u"Wallpaper"_s), u"0"_s);
        QCOMPARE(f.iconFile(), f.icons[0]);
        QVERIFY(f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        QVERIFY(!f.find<PictureBox>(u"imgIcon_3"_s)->isFramed());
        QCOMPARE(f.stored(u"Startup"_s, u"Startup"_s), u"0"_s);
        f.dialog->close();
        const QList<std::pair<QString, QString>> after{{u"Startup"_s, u"1"_s}, {u"Preview"_s, u"1"_s},
                                                       {u"AlwaysWord"_s, u"0"_s}, {u"Currency"_s, u"0"_s},
                                                       {u"Random"_s, u"0"_s}, {u"SaveFont"_s, u"0"_s}};
        for (const auto &[key, value] : after)
            QCOMPARE(f.stored(u"Startup"_s, key), value);
    }

    void fileIconOnlyMovesTheFrameWhenNotRegistered_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::newRow("registered") << true;
        QTest::newRow("not registered") << false;
    }

    void fileIconOnlyMovesTheFrameWhenNotRegistered()
    {
        QFETCH(bool, registered);
        Fixture f;
        if (registered)
            f.registerFileType(0);
        f.open();
        QVERIFY(f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        f.click(u"imgIcon_2"_s);
        QVERIFY(f.find<PictureBox>(u"imgIcon_2"_s)->isFramed());
        QVERIFY(!f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        QCOMPARE(f.iconFile(), registered ? f.icons[2] : QByteArray());
    }

    void alwaysWordFitsTheSheetWindowOnClosing()
    {
        Fixture f;
        f.open();
        f.click(u"chkAlwaysWord"_s);
        f.dialog->close();
        QCOMPARE(f.sheet.height(), 26);

        f.open();
        f.click(u"chkAlwaysWord"_s);
        f.dialog->close();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(f.sheet.frameGeometry().bottom() + 1, area.bottom() + 1 - 64);

        // Grown by the user, the window keeps its height when the option stays off.
        f.sheet.resize(600, 300);
        f.open();
        f.dialog->close();
        QCOMPARE(f.sheet.height(), 300);
    }

    void animationRunsOnTheAboutPageOnly()
    {
        Fixture f;
        f.open();
        BlendAnimation *animation = f.dialog->aboutPage()->animation();
        auto *presents = f.find<PictureBox>(u"picPresents"_s);
        const QImage first = presents->picture();
        QVERIFY(!animation->isRunning());
        f.dialog->tabStrip()->setCurrentIndex(2);
        QVERIFY(animation->isRunning());
        QCOMPARE(animation->timer()->interval(), 75);
        QTRY_VERIFY(animation->frame() > 0);
        f.dialog->tabStrip()->setCurrentIndex(0);
        QVERIFY(!animation->isRunning());

        // A round: the first picture, all of the second halfway, the first again after 248 frames.
        QCOMPARE(BlendAnimation::weight(0), 0.0);
        QCOMPARE(BlendAnimation::weight(124), 1.0);
        QImage black(2, 1, QImage::Format_ARGB32);
        black.fill(Qt::black);
        QImage white(2, 1, QImage::Format_ARGB32);
        white.fill(Qt::white);
        QCOMPARE(BlendAnimation::blend(black, white, 0.25).pixel(1, 0), qRgb(64, 64, 64));
        while (animation->frame() != 0)
            animation->advance();
        QCOMPARE(presents->picture(), first);
    }

    void linkAndToolbarButton()
    {
        Fixture f;
        f.open();
        f.click(u"imgLink"_s);
        QCOMPARE(f.opened, QList<QUrl>{QUrl(u"https://example.org/valdris"_s)});
        f.click(u"cmdCustomize"_s);
        QCOMPARE(f.menuAt.size(), 1);
    }

    // Every control lies whole inside its parent on every page. With TARVOSK_SHOTS set to a
    // folder, the pages are also saved there as pictures to look at.
    void everyPageShowsItsControlsWhole()
    {
        Fixture f;
        f.open();
        const QString shots = qEnvironmentVariable("TARVOSK_SHOTS");
        for (int tab = 0; tab < 3; ++tab) {
            f.dialog->tabStrip()->setCurrentIndex(tab);
            QWidget *page = f.dialog->tabStrip()->widget(tab);
            const QList<QWidget *> controls = page->findChildren<QWidget *>();
            for (const QWidget *control : controls) {
                if (!control->isVisibleTo(page) || control->isWindow())
                    continue;
                const QRect inside = control->parentWidget()->rect();
                QVERIFY2(inside.contains(control->geometry()), qPrintable(control->objectName()));
            }
            if (!shots.isEmpty())
                f.dialog->grab().save(shots + u"/settings-"_s + QString::number(tab) + u".png"_s);
        }
        // The about picture a quarter and half way round.
        for (int shot = 1; shot <= 2 && !shots.isEmpty(); ++shot) {
            for (int frame = 0; frame < BlendAnimation::frameCount / 4; ++frame)
                f.dialog->aboutPage()->animation()->advance();
            f.dialog->grab().save(shots + u"/settings-2-"_s + QString::number(shot) + u".png"_s);
        }
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_frmsettings.moc"
