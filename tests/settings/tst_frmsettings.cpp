#include "settings/aboutpage.h"
#include "settings/blendanimation.h"
#include "settings/fontchooser.h"
#include "settings/frmsettings.h"
#include "settings/picturebox.h"
#include "settings/thicknesspreview.h"
#include "settings/userguide.h"
#include "storage/filetyperegistration.h"
#include "storage/settingsstore.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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
    return R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8"><rect width="8" height="8" fill=")"
           + QByteArray(colour) + R"("/></svg>)";
}

// The dialog over a sheet window, opened on the settings "Section/Key=value" given and the
// file type registered with one of the icons, if any; settings and desktop in a temporary folder.
struct Fixture
{
    explicit Fixture(const QStringList &entries = {}, int registeredIcon = -1)
    {
        if (registeredIcon >= 0)
            FileTypeRegistration(desktop, u"/opt/tarvosk"_s, {{}, {}, icons[registeredIcon]}, nullptr).registerFileType();
        for (const QString &entry : entries)
            settings.write(entry.section(u'/', 0, 0), entry.section(u'=', 0, 0).section(u'/', 1), entry.section(u'=', 1));
        sheet.resize(600, 400);
        sheet.show();
        open();
    }

    void open()
    {
        SettingsContext context{settings};
        context.fileIcons = icons;
        context.desktop = desktop;
        context.showPatternMenu = [this](QPoint at) { menuAt.append(at); };
        context.homePage = QUrl(u"https://example.org/valdris"_s);
        context.openUrl = [this](const QUrl &url) { opened.append(url); };
        dialog = std::make_unique<frmSettings>(std::move(context), &sheet);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    template<typename T = QWidget>
    T *find(const QString &name) const { return dialog->findChild<T *>(name); }

    // Brings up the control's page and clicks it as a user would.
    void click(const QString &name, QPoint at = {})
    {
        QWidget *widget = find(name);
        QVERIFY2(widget, qPrintable(name));
        for (QWidget *page = widget; page; page = page->parentWidget()) {
            if (const int tab = dialog->tabStrip()->indexOf(page); tab >= 0)
                dialog->tabStrip()->setCurrentIndex(tab);
        }
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
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

    int markedRow(int preview) const { return find<ThicknessPreview>(u"picThickPreview_%1"_s.arg(preview))->markedRow(); }

    QByteArray iconFile() const { return readAll(FileTypeRegistration(desktop, {}, {}, nullptr).iconPath()); }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(u"Tarvosk.conf"_s)};
    DesktopPaths desktop{dir.filePath(u"data"_s), dir.filePath(u"config"_s), {}};
    std::array<QByteArray, 4> icons{iconPicture("red"), iconPicture("green"), iconPicture("blue"), iconPicture("black")};
    QWidget sheet;
    std::unique_ptr<frmSettings> dialog;
    QList<QPoint> menuAt;
    QList<QUrl> opened;
};

// A control clicked (at a point, if given) and typed into; its key, the value at once and after
// closing ("unset": not written).
struct Write { QString control, key, atOnce, onClosing; QPoint at{}; QString typed{}; };

enum FontAnswer { Cancel, OkWithPreview, OkWithoutPreview };
// The sample (0 headline, 1 labels, 2 values), its stored size, the sizes offered (the preset in brackets).
struct FontCase { int sample; QString storedSize, sizes; FontAnswer answer; };

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Installed, the guide lies under share/ beside bin/; run from a build folder, in the sources.
    void userGuideIsFoundFromTheProgramsFolder()
    {
        QTemporaryDir prefix;
        const QString guide = prefix.filePath(u"share/tarvosk/handbuch/index.html"_s);
        QVERIFY(writeFile(guide, "<html/>") && QDir().mkpath(prefix.filePath(u"bin"_s)));
        QCOMPARE(userGuideUrl(prefix.filePath(u"bin"_s)), QUrl::fromLocalFile(QFileInfo(guide).canonicalFilePath()));
        const QString fromSources = userGuideUrl(prefix.path()).toLocalFile();
        QVERIFY2(fromSources.endsWith(u"/docs/handbuch/index.html"_s) && QFileInfo::exists(fromSources), qPrintable(fromSources));
    }

    // Each control writes its own key, the printer's and the sheet's at once, the rest on closing.
    // (The start-up screen's box: opensWithTheStoredSettingsAndResetsThem.)
    void writesAtOnceOrOnClosing_data()
    {
        QTest::addColumn<Write>("w");
        QTest::newRow("portrait turned") << Write{u"imgOrientation_0"_s, u"Printer/Orientation"_s, u"1"_s, u"1"_s};
        QTest::newRow("frames off") << Write{u"chkFrames"_s, u"Printer/Line1On"_s, u"0"_s, u"0"_s};
        QTest::newRow("trait preset") << Write{u"chkCharakter"_s, u"Startup/CharacterProperty"_s, u"1"_s, u"1"_s};
        QTest::newRow("freedom") << Write{u"chkFreedom"_s, u"Startup/ConfirmValues"_s, u"1"_s, u"1"_s};
        QTest::newRow("font preview") << Write{u"chkTrueType"_s, u"Startup/Preview"_s, u"unset"_s, u"0"_s};
        QTest::newRow("save fonts") << Write{u"chkSaveFont"_s, u"Startup/SaveFont"_s, u"unset"_s, u"0"_s};
        // The ruling lines' and the frames' weights, by bands 16 pixels high.
        QTest::newRow("end of band 0") << Write{u"picThickPreview_1"_s, u"Printer/Line1"_s, u"0"_s, u"0"_s, {2, 15}};
        QTest::newRow("start of band 1") << Write{u"picThickPreview_1"_s, u"Printer/Line1"_s, u"1"_s, u"1"_s, {2, 16}};
        QTest::newRow("bottom") << Write{u"picThickPreview_0"_s, u"Printer/Line0"_s, u"3"_s, u"3"_s, {2, 63}};
        // The seed box takes digits, ":" and ";" only; only a character it takes chooses the own seed.
        QTest::newRow("seed") << Write{u"txtRandomize"_s, u"Startup/RandomText"_s, u"unset"_s, u"12:;"_s, {}, u"1a/2<:;"_s};
        QTest::newRow("own seed") << Write{u"txtRandomize"_s, u"Startup/Random"_s, u"unset"_s, u"2"_s, {}, u"1a/2<:;"_s};
        QTest::newRow("a blank refused") << Write{u"txtRandomize"_s, u"Startup/Random"_s, u"unset"_s, u"0"_s, {}, u" "_s};
    }
    void writesAtOnceOrOnClosing()
    {
        QFETCH(Write, w);
        Fixture f;
        f.click(w.control, w.at);
        QTest::keyClicks(f.find(w.control), w.typed);
        QCOMPARE(f.differing({w.key + u'=' + w.atOnce}), QStringList());
        if (auto *preview = f.find<ThicknessPreview>(w.control)) {
            // The band of the row, its whole width, in the window background colour; the rest not.
            const QImage shown = preview->grab().toImage();
            for (int line = 1; line < shown.height() - 1; ++line)
                QCOMPARE(shown.pixelColor(3, line) == preview->palette().color(QPalette::Base),
                         line / ThicknessPreview::bandHeight == w.atOnce.toInt());
        }
        f.dialog->close();
        QCOMPARE(f.differing({w.key + u'=' + w.onClosing}), QStringList());
    }

    // OK takes the largest size, bold italic and underlined, onto the sheet at once with the preview only.
    void fontChooser_data()
    {
        QTest::addColumn<FontCase>("c");
        QTest::newRow("headline of size 0") << FontCase{0, u"0"_s, u"[6] 7 8 9 10 11 12 13 14 15 16 17 18"_s, Cancel};
        QTest::newRow("labels as stored") << FontCase{1, u"8.25"_s, u"6 7 8 [8,25] 9 10"_s, Cancel};
        QTest::newRow("values too large, preview") << FontCase{2, u"14"_s, u"6 7 8 9 [10]"_s, OkWithPreview};
        QTest::newRow("values, no preview") << FontCase{2, u"8"_s, u"6 7 [8] 9 10"_s, OkWithoutPreview};
    }
    void fontChooser()
    {
        QFETCH(FontCase, c);
        const QString section = QStringList{u"Headline"_s, u"Labels"_s, u"Values"_s}[c.sample];
        Fixture f({section + u"/Size="_s + c.storedSize,
                   u"Startup/Preview="_s + (c.answer == OkWithPreview ? u"1"_s : u"0"_s)});
        QStringList offered;
        QTimer poll; // the chooser is modal: it is answered from its own event loop
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *chooser = qobject_cast<FontChooser *>(QApplication::activeModalWidget());
            if (!chooser)
                return;
            poll.stop();
            auto *list = chooser->findChild<QListWidget *>(u"lstSize"_s);
            for (int row = 0; row < list->count(); ++row)
                offered << (row == list->currentRow() ? u"[%1]"_s : u"%1"_s).arg(list->item(row)->text());
            if (c.answer == Cancel)
                return chooser->reject();
            list->setCurrentRow(list->count() - 1);
            chooser->findChild<QListWidget *>(u"lstStyle"_s)->setCurrentRow(3);
            QTest::mouseClick(chooser->findChild<QCheckBox *>(u"chkUnderline"_s), Qt::LeftButton);
            QTest::mouseClick(chooser->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        });
        poll.start(10);
        f.click(u"cmdChooseFont_"_s + QString::number(c.sample));
        QCOMPARE(offered.join(u' '), c.sizes);
        const QFont shown = f.find<QLineEdit>(u"txtFont_"_s + QString::number(c.sample))->font();
        QCOMPARE(shown.bold() && shown.italic() && shown.underline() && !shown.strikeOut(), c.answer != Cancel);
        QCOMPARE(f.stored(section, u"Bold"_s), c.answer == OkWithPreview ? u"1"_s : u"unset"_s);
        f.dialog->close();
        // Cancelled, the stored size goes back as it was, even 0.
        const QString size = c.answer == Cancel ? c.storedSize : c.sizes.section(u' ', -1).remove(u'[').remove(u']');
        QCOMPARE(f.differing({section + u"/Size="_s + size, section + u"/Strikethru=0"_s,
                              section + u"/Underline="_s + (c.answer == Cancel ? u"0"_s : u"1"_s)}),
                 QStringList());
    }

    // Opened on stored settings, the file type registered; then the two "&Standart" buttons.
    void opensWithTheStoredSettingsAndResetsThem()
    {
        Fixture f({u"Headline/Size=12"_s, u"Labels/Size=9,5"_s, u"Labels/Italic=Wahr"_s, u"Labels/Name=Arial"_s,
                   u"Values/Name=Arial"_s, u"Values/Size=12"_s, u"Values/Bold=1"_s, u"Printer/Orientation=1"_s,
                   u"Printer/Line0=2"_s, u"Printer/Line0On=0"_s, u"Printer/Line1=1"_s, u"Startup/CharacterProperty=1"_s,
                   u"Startup/ConfirmValues=1"_s, u"Startup/AlwaysWord=1"_s, u"Startup/Startup=0"_s, u"Startup/Preview=0"_s,
                   u"Startup/Currency=8"_s, u"Startup/Random=1"_s, u"Startup/RandomText=123"_s, u"Startup/SaveFont=0"_s,
                   u"StartUp/Wallpaper=5"_s},
                  3);
        const QFont labels = f.find<QLineEdit>(u"txtFont_1"_s)->font();
        QVERIFY(labels.pointSizeF() == 9.5 && labels.italic());
        QCOMPARE(f.find<QLineEdit>(u"txtFont_0"_s)->text(), u"Times New Roman"_s);
        QVERIFY(f.find(u"imgOrientation_1"_s)->isVisibleTo(f.dialog.get())
                && !f.find(u"imgOrientation_0"_s)->isVisibleTo(f.dialog.get()));
        QCOMPARE((QList<int>{f.markedRow(0), f.markedRow(1)}), (QList<int>{-1, 1}));
        // The stored seed text does not override the stored option.
        QVERIFY(f.find<QRadioButton>(u"optRandomize_1"_s)->isChecked());
        QCOMPARE(f.find<QComboBox>(u"cbxMoney"_s)->currentText(), u"Krone"_s);

        f.click(u"cmdSetFontDefaults"_s);
        // At once, though fonts are not previewed: the sheet shows the standard look.
        QCOMPARE(f.differing({u"Headline/Size=18"_s, u"Labels/Size=8"_s, u"Values/Name=Times New Roman"_s,
                              u"Values/Bold=0"_s, u"Printer/Line0=0"_s, u"Printer/Line1=3"_s, u"Printer/Line0On=1"_s}),
                 QStringList());
        QCOMPARE((QList<int>{f.markedRow(0), f.markedRow(1)}), (QList<int>{0, 3}));

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

    // Every control whole inside its parent on every page, the animation running on the about page
    // only; clicks that write no setting: the toolbar's menu, an icon while the file type is not
    // registered, the link.
    void pagesAndClicksBeyondTheSettings()
    {
        Fixture f;
        BlendAnimation *animation = f.dialog->aboutPage()->animation();
        auto *presents = f.find<PictureBox>(u"picPresents"_s);
        const QImage first = presents->picture();
        for (int tab = 0; tab < 3; ++tab) {
            f.dialog->tabStrip()->setCurrentIndex(tab);
            QCOMPARE(animation->isRunning(), tab == 2);
            QWidget *page = f.dialog->tabStrip()->widget(tab);
            for (const QWidget *control : page->findChildren<QWidget *>()) {
                if (control->isVisibleTo(page) && !control->isWindow())
                    QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(control->objectName()));
            }
        }
        QCOMPARE(animation->timer()->interval(), 75);
        QTRY_VERIFY(animation->frame() > 0);
        f.click(u"cmdCustomize"_s);
        QVERIFY(!animation->isRunning());
        QCOMPARE(f.menuAt.size(), 1);
        QVERIFY(f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        f.click(u"imgIcon_2"_s);
        QVERIFY(f.find<PictureBox>(u"imgIcon_2"_s)->isFramed() && !f.find<PictureBox>(u"imgIcon_0"_s)->isFramed());
        QCOMPARE(f.iconFile(), QByteArray());
        f.click(u"imgLink"_s);
        QCOMPARE(f.opened, QList<QUrl>{QUrl(u"https://example.org/valdris"_s)});

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

    // "AlwaysWord" shrinks the sheet window to its toolbar on closing, and off again gives it back its height.
    void alwaysWordFitsTheSheetWindowOnClosing()
    {
        Fixture f;
        f.click(u"chkAlwaysWord"_s);
        f.dialog->close();
        QCOMPARE(f.sheet.height(), 26);
        // Off again, the toolbar-high window reaches down to 64 pixels above the screen's bottom.
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
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_frmsettings.moc"
