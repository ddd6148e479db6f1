#include "settings/aboutpage.h"
#include "settings/blendanimation.h"
#include "settings/fontchooser.h"
#include "settings/frmsettings.h"
#include "settings/picturebox.h"
#include "settings/thicknesspreview.h"
#include "storage/filetyperegistration.h"
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
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, tries = 0]() mutable {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (dialog || ++tries > 200)
            poll->deleteLater();
        if (dialog)
            answer(dialog);
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
        return dialog->findChild<T *>(name);
    }

    // Brings up the control's page and clicks it as a user would.
    void click(const QString &name, QPoint at = {})
    {
        QWidget *widget = find(name);
        QVERIFY2(widget, qPrintable(name));
        for (QWidget *page = widget; page; page = page->parentWidget()) {
            if (const int tab = dialog->tabStrip()->indexOf(page); tab >= 0)
                dialog->tabStrip()->setCurrentIndex(tab);
        }
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            QTest::keyClick(combo, Qt::Key_Down);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }

    // Writes the entries "Section/Key=value".
    void store(const QStringList &entries)
    {
        for (const QString &entry : entries)
            settings.write(entry.section(u'/', 0, 0), entry.section(u'=', 0, 0).section(u'/', 1), entry.section(u'=', 1));
    }

    QString stored(const QString &section, const QString &key) const { return settings.read(section, key, u"unset"_s); }

    // Of the entries "Section/Key=value", those the settings hold otherwise, as they hold them.
    QStringList differing(const QStringList &entries) const
    {
        QStringList differ;
        for (const QString &entry : entries) {
            const QString key = entry.section(u'=', 0, 0);
            const QString held = key + u'=' + stored(key.section(u'/', 0, 0), key.section(u'/', 1));
            if (held != entry)
                differ << held;
        }
        return differ;
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

enum FontAnswer { Cancel, OkWithPreview, OkWithoutPreview };

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesAtOnceOrOnClosing_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("atOnce");
        QTest::addColumn<QString>("onClosing");
        QTest::newRow("portrait turned") << u"imgOrientation_0"_s << u"Printer/Orientation"_s << u"1"_s << u"1"_s;
        QTest::newRow("lines off") << u"chkLines"_s << u"Printer/Line0On"_s << u"0"_s << u"0"_s;
        QTest::newRow("frames off") << u"chkFrames"_s << u"Printer/Line1On"_s << u"0"_s << u"0"_s;
        QTest::newRow("trait preset") << u"chkCharakter"_s << u"Startup/CharacterProperty"_s << u"1"_s << u"1"_s;
        QTest::newRow("freedom") << u"chkFreedom"_s << u"Startup/ConfirmValues"_s << u"1"_s << u"1"_s;
        QTest::newRow("start-up screen") << u"chkStartup"_s << u"Startup/Startup"_s << u"unset"_s << u"0"_s;
        QTest::newRow("font preview") << u"chkTrueType"_s << u"Startup/Preview"_s << u"unset"_s << u"0"_s;
        QTest::newRow("save fonts") << u"chkSaveFont"_s << u"Startup/SaveFont"_s << u"unset"_s << u"0"_s;
        QTest::newRow("always Word") << u"chkAlwaysWord"_s << u"Startup/AlwaysWord"_s << u"unset"_s << u"1"_s;
        QTest::newRow("currency") << u"cbxMoney"_s << u"Startup/Currency"_s << u"unset"_s << u"1"_s;
        QTest::newRow("seed option") << u"optRandomize_1"_s << u"Startup/Random"_s << u"unset"_s << u"1"_s;
    }
    void writesAtOnceOrOnClosing()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(QString, atOnce);
        QFETCH(QString, onClosing);
        Fixture f;
        f.open();
        f.click(control);
        QCOMPARE(f.differing({key + u'=' + atOnce}), QStringList());
        f.dialog->close();
        QCOMPARE(f.differing({key + u'=' + onClosing}), QStringList());
    }

    void opensWithTheStoredSettings()
    {
        Fixture f;
        f.store({u"Labels/Size=9,5"_s, u"Labels/Italic=Wahr"_s, u"Printer/Orientation=1"_s, u"Printer/Line1=1"_s,
                 u"Printer/Line0On=0"_s, u"Startup/Random=0"_s, u"Startup/RandomText=123"_s, u"Startup/Currency=8"_s});
        f.open();
        const QFont labels = f.find<QLineEdit>(u"txtFont_1"_s)->font();
        QVERIFY(labels.pointSizeF() == 9.5 && labels.italic());
        QCOMPARE(f.find<QLineEdit>(u"txtFont_0"_s)->text(), u"Times New Roman"_s);
        QVERIFY(f.find(u"imgOrientation_1"_s)->isVisibleTo(f.dialog.get()));
        QVERIFY(!f.find(u"imgOrientation_0"_s)->isVisibleTo(f.dialog.get()));
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_1"_s)->markedRow(), 1);
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_0"_s)->markedRow(), -1);
        // The stored seed text does not override the stored option.
        QVERIFY(f.find<QRadioButton>(u"optRandomize_0"_s)->isChecked());
        QCOMPARE(f.find<QComboBox>(u"cbxMoney"_s)->currentText(), u"Krone"_s);
        // Nothing changed, nothing written at once.
        QCOMPARE(f.differing({u"Printer/Line0On=0"_s, u"Startup/CharacterProperty=unset"_s}), QStringList());
    }

    // The chooser offers the sample's sizes, the preset in brackets; OK takes the
    // largest, bold italic and underlined, onto the sheet at once with the preview only.
    void fontChooser_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<QString>("storedSize");
        QTest::addColumn<QString>("sizes");
        QTest::addColumn<int>("answer");
        QTest::newRow("headline of size 0") << 0 << u"0"_s << u"[6] 7 8 9 10 11 12 13 14 15 16 17 18"_s << int(Cancel);
        QTest::newRow("labels as stored") << 1 << u"8.25"_s << u"6 7 8 [8,25] 9 10"_s << int(Cancel);
        QTest::newRow("values too large, preview") << 2 << u"14"_s << u"6 7 8 9 [10]"_s << int(OkWithPreview);
        QTest::newRow("values, no preview") << 2 << u"8"_s << u"6 7 [8] 9 10"_s << int(OkWithoutPreview);
    }
    void fontChooser()
    {
        QFETCH(int, sample);
        QFETCH(QString, storedSize);
        QFETCH(QString, sizes);
        QFETCH(int, answer);
        Fixture f;
        const QString section = QStringList{u"Headline"_s, u"Labels"_s, u"Values"_s}[sample];
        f.store({section + u"/Size="_s + storedSize, u"Startup/Preview="_s + (answer == OkWithPreview ? u"1"_s : u"0"_s)});
        f.open();
        QStringList offered;
        whenShown<FontChooser>([&](FontChooser *chooser) {
            auto *list = chooser->findChild<QListWidget *>(u"lstSize"_s);
            for (int row = 0; row < list->count(); ++row)
                offered << (row == list->currentRow() ? u"[%1]"_s : u"%1"_s).arg(list->item(row)->text());
            if (answer == Cancel) {
                chooser->reject();
                return;
            }
            list->setCurrentRow(list->count() - 1);
            chooser->findChild<QListWidget *>(u"lstStyle"_s)->setCurrentRow(3);
            QTest::mouseClick(chooser->findChild<QCheckBox *>(u"chkUnderline"_s), Qt::LeftButton);
            QTest::mouseClick(chooser->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        });
        f.click(u"cmdChooseFont_"_s + QString::number(sample));
        QCOMPARE(offered.join(u' '), sizes);
        const QFont shown = f.find<QLineEdit>(u"txtFont_"_s + QString::number(sample))->font();
        QCOMPARE(shown.bold() && shown.italic() && shown.underline() && !shown.strikeOut(), answer != Cancel);
        QCOMPARE(f.stored(section, u"Bold"_s), answer == OkWithPreview ? u"1"_s : u"unset"_s);
        f.dialog->close();
        // Cancelled, the stored size goes back as it was, even 0.
        const QString size = answer == Cancel ? storedSize : sizes.section(u' ', -1).remove(u'[').remove(u']');
        QCOMPARE(f.differing({section + u"/Size="_s + size, section + u"/Underline="_s + (answer == Cancel ? u"0"_s : u"1"_s),
                              section + u"/Strikethru=0"_s}),
                 QStringList());
    }

    void thicknessPreviewStoresTheClickedBand_data()
    {
        QTest::addColumn<int>("preview");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("row");
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
        QTest::newRow("a blank") << u" "_s << u""_s;
        QTest::newRow("colon and semicolon") << u":;"_s << u":;"_s;
        QTest::newRow("mixed") << u"1a/2<"_s << u"12"_s;
    }
    void seedBoxTakesDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f;
        f.open();
        f.dialog->tabStrip()->setCurrentIndex(1);
        auto *seed = f.find<QLineEdit>(u"txtRandomize"_s);
        seed->setFocus();
        QTest::keyClicks(seed, typed);
        QCOMPARE(seed->text(), shown);
        // Only a typed character chooses the own seed.
        QCOMPARE(f.find<QRadioButton>(u"optRandomize_2"_s)->isChecked(), !shown.isEmpty());
        f.dialog->close();
        QCOMPARE(f.differing({u"Startup/RandomText="_s + shown, u"Startup/Random="_s + (shown.isEmpty() ? u"0"_s : u"2"_s)}),
                 QStringList());
    }

    // The two "&Standart" buttons, the file type registered.
    void defaultsButtons()
    {
        Fixture f;
        f.registerFileType(3);
        f.store({u"Startup/CharacterProperty=1"_s, u"Startup/ConfirmValues=1"_s, u"Startup/AlwaysWord=1"_s,
                 u"Startup/Startup=0"_s, u"Startup/Preview=0"_s, u"Startup/Currency=4"_s, u"Startup/Random=1"_s,
                 u"Startup/SaveFont=0"_s, u"StartUp/Wallpaper=5"_s, u"Printer/Line0=2"_s, u"Printer/Line1=1"_s,
                 u"Printer/Line1On=0"_s});
        for (const QString &section : {u"Headline"_s, u"Labels"_s, u"Values"_s})
            f.store({section + u"/Name=Arial"_s, section + u"/Size=12"_s, section + u"/Bold=1"_s});
        f.open();
        f.click(u"cmdSetFontDefaults"_s);
        // At once, though fonts are not previewed: the sheet shows the standard look.
        QCOMPARE(f.differing({u"Headline/Size=18"_s, u"Labels/Size=8"_s, u"Values/Name=Times New Roman"_s,
                              u"Values/Bold=0"_s, u"Printer/Line0=0"_s, u"Printer/Line1=3"_s, u"Printer/Line1On=1"_s}),
                 QStringList());
        QVERIFY(f.find<QCheckBox>(u"chkFrames"_s)->isChecked());
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_0"_s)->markedRow(), 0);
        QCOMPARE(f.find<ThicknessPreview>(u"picThickPreview_1"_s)->markedRow(), 3);
        QCOMPARE(f.find<QLineEdit>(u"txtFont_0"_s)->text(), u"Times New Roman"_s);

        // A click on a file icon changes the files' icon at once; the program's defaults choose the first.
        QVERIFY(f.find<PictureBox>(u"imgIcon_3"_s)->isFramed());
        f.click(u"imgIcon_2"_s);
        QCOMPARE(f.iconFile(), f.icons[2]);
        f.click(u"cmdSetProgramDefaults"_s);
        QCOMPARE(f.differing({u"Startup/CharacterProperty=0"_s, u"Startup/ConfirmValues=0"_s, u"StartUp/Wallpaper=0"_s,
                              u"Startup/Startup=0"_s}),
                 QStringList());
        QCOMPARE(f.iconFile(), f.icons[0]);
        QVERIFY(f.find<PictureBox>(u"imgIcon_0"_s)->isFramed() && !f.find<PictureBox>(u"imgIcon_2"_s)->isFramed());
        f.dialog->close();
        QCOMPARE(f.differing({u"Startup/Startup=1"_s, u"Startup/Preview=1"_s, u"Startup/AlwaysWord=0"_s,
                              u"Startup/Currency=0"_s, u"Startup/Random=0"_s, u"Startup/SaveFont=0"_s}),
                 QStringList());
    }

    // Clicks beyond the settings: the link, the toolbar's menu, an icon while the file type is not registered.
    void clicksThatWriteNoSetting()
    {
        Fixture f;
        f.open();
        f.click(u"imgLink"_s);
        QCOMPARE(f.opened, QList<QUrl>{QUrl(u"https://example.org/valdris"_s)});
        f.click(u"cmdCustomize"_s);
        QCOMPARE(f.menuAt.size(), 1);
        QVERIFY(f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        f.click(u"imgIcon_2"_s);
        QVERIFY(f.find<PictureBox>(u"imgIcon_2"_s)->isFramed() && !f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        QCOMPARE(f.iconFile(), QByteArray());
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
        QImage black(2, 1, QImage::Format_ARGB32), white(2, 1, QImage::Format_ARGB32);
        black.fill(Qt::black);
        white.fill(Qt::white);
        QCOMPARE(BlendAnimation::blend(black, white, 0.25).pixel(1, 0), qRgb(64, 64, 64));
        while (animation->frame() != 0)
            animation->advance();
        QCOMPARE(presents->picture(), first);
    }

    // Every control lies whole inside its parent on every page.
    void everyPageShowsItsControlsWhole()
    {
        Fixture f;
        f.open();
        for (int tab = 0; tab < 3; ++tab) {
            f.dialog->tabStrip()->setCurrentIndex(tab);
            QWidget *page = f.dialog->tabStrip()->widget(tab);
            const QList<QWidget *> controls = page->findChildren<QWidget *>();
            for (const QWidget *control : controls) {
                if (control->isVisibleTo(page) && !control->isWindow())
                    QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(control->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_frmsettings.moc"
