#include "settings/printpage.h"

#include "settings/fontchooser.h"
#include "settings/picturebox.h"
#include "settings/printerchoice.h"
#include "settings/svgpicture.h"
#include "settings/thicknesspreview.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

struct FontGroup
{
    QStringView section;
    QString caption;
    QString labelName;
    double storedDefault; // as the dialog reads it
    double standard;      // as "&Standart" sets it
    int largest;          // the chooser's largest size
};

const std::array<FontGroup, 3> fontGroups{{
    {Settings::HeadlineFont, u"Überschriften"_s, u"lblHeadlines"_s, Settings::HeadlineSizeDefault, 18, 18},
    {Settings::LabelsFont, u"Bezeichnungen"_s, u"lblLabels"_s, Settings::TextSizeDefault, 8, 10},
    {Settings::ValuesFont, u"Werte"_s, u"lblValues"_s, Settings::TextSizeDefault, 8, 10},
}};
constexpr int smallestSize = 6;

struct LineGroup
{
    SettingKey on;
    SettingKey weight;
    QString caption;
    QString frameName;
    QString checkName;
};

const std::array<LineGroup, 2> lineGroups{{
    {Settings::Line0On, Settings::Line0, u"Linienstärke"_s, u"frmLines"_s, u"chkLines"_s},
    {Settings::Line1On, Settings::Line1, u"Rahmenstärke"_s, u"frmFrames"_s, u"chkFrames"_s},
}};

constexpr QSize orientationSize(48, 48);
// As tall as an 18-point headline needs, so the rows keep their height whatever the fonts.
constexpr int sampleHeight = 34;

QString number(int value)
{
    return QString::number(value);
}

} // namespace

PrintPage::PrintPage(SettingsStore &settings, std::function<bool()> previewFonts, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_previewFonts(std::move(previewFonts))
{
    setObjectName(u"picFrame_0"_s);

    auto *lower = new QHBoxLayout;
    lower->addWidget(buildPrinter(), 1);
    lower->addWidget(buildOrientation());

    auto *weights = new QHBoxLayout;
    weights->addWidget(buildThickness(0));
    weights->addWidget(buildThickness(1));
    weights->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFonts());
    layout->addLayout(lower);
    layout->addLayout(weights);
    layout->addStretch();
}

PrintPage::~PrintPage() = default;

QWidget *PrintPage::buildFonts()
{
    auto *fonts = new QWidget;
    auto *grid = new QGridLayout(fonts);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        const FontGroup &group = fontGroups[i];
        auto *label = new QLabel(group.caption);
        label->setObjectName(group.labelName);
        m_txtFont[i] = new QLineEdit;
        m_txtFont[i]->setObjectName(u"txtFont_"_s + number(i));
        m_txtFont[i]->setReadOnly(true);
        m_txtFont[i]->setFixedHeight(sampleHeight);
        m_txtFont[i]->setFocusPolicy(Qt::NoFocus);
        auto *choose = new QPushButton(u"Neue Schriftart"_s);
        choose->setObjectName(u"cmdChooseFont_"_s + number(i));
        connect(choose, &QPushButton::clicked, this, [this, i] { cmdChooseFont_Click(i); });
        grid->addWidget(label, i, 0);
        grid->addWidget(m_txtFont[i], i, 1);
        grid->addWidget(choose, i, 2);
    }
    auto *defaults = new QPushButton(u"&Standart"_s);
    defaults->setObjectName(u"cmdSetFontDefaults"_s);
    defaults->setToolTip(u"Standartwerte setzen"_s);
    connect(defaults, &QPushButton::clicked, this, &PrintPage::cmdSetFontDefaults_Click);
    grid->addWidget(defaults, 3, 2);
    grid->setColumnStretch(1, 1);
    return fonts;
}

QWidget *PrintPage::buildPrinter()
{
    auto *frame = new QGroupBox(u"Aktiver Drucker"_s);
    frame->setObjectName(u"frmActivePrinter"_s);
    m_lblDevice = new QLabel;
    m_lblDevice->setObjectName(u"lblDevice"_s);
    auto *choose = new QPushButton(u"&Auswählen"_s);
    choose->setObjectName(u"cmdChoosePrinter"_s);
    m_cmdPrinter = new QPushButton(u"&Einrichten"_s);
    m_cmdPrinter->setObjectName(u"cmdPrinter"_s);
    connect(choose, &QPushButton::clicked, this, &PrintPage::cmdChoosePrinter_Click);
    connect(m_cmdPrinter, &QPushButton::clicked, this, &PrintPage::cmdPrinter_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addWidget(m_cmdPrinter);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_lblDevice);
    layout->addLayout(buttons);
    return frame;
}

QWidget *PrintPage::buildOrientation()
{
    auto *frame = new QGroupBox(u"Ausrichtung"_s);
    frame->setObjectName(u"frmOrientation"_s);
    auto *layout = new QGridLayout(frame);
    const std::array<QString, 2> pictures{u":/settings/portrait.svg"_s, u":/settings/landscape.svg"_s};
    for (int i = 0; i < 2; ++i) {
        m_imgOrientation[i] = new PictureBox(u"imgOrientation_"_s + number(i), orientationSize);
        m_imgOrientation[i]->setPicture(svgPicture(pictures[i], orientationSize));
        m_imgOrientation[i]->setCursor(Qt::PointingHandCursor);
        connect(m_imgOrientation[i], &PictureBox::clicked, this, [this, i] { imgOrientation_Click(i); });
        // Both in one place: the one shown is the orientation, a click turns the page.
        layout->addWidget(m_imgOrientation[i], 0, 0, Qt::AlignCenter);
    }
    return frame;
}

QWidget *PrintPage::buildThickness(int i)
{
    const LineGroup &group = lineGroups[i];
    auto *frame = new QGroupBox(group.caption);
    frame->setObjectName(group.frameName);
    m_chkLines[i] = new QCheckBox;
    m_chkLines[i]->setObjectName(group.checkName);
    m_chkLines[i]->setAccessibleName(group.caption);
    m_picThickPreview[i] = new ThicknessPreview(u"picThickPreview_"_s + number(i));
    connect(m_chkLines[i], &QCheckBox::toggled, this, [this, i] { chkLines_Click(i); });
    connect(m_picThickPreview[i], &ThicknessPreview::rowClicked, this,
            [this, i](int row) { picThickPreview_MouseUp(i, row); });
    auto *layout = new QHBoxLayout(frame);
    layout->addWidget(m_chkLines[i], 0, Qt::AlignTop);
    layout->addWidget(m_picThickPreview[i]);
    return frame;
}

void PrintPage::load()
{
    for (int i = 0; i < 3; ++i)
        setSample(i, SampleFont::read(m_settings, fontGroups[i].section, fontGroups[i].storedDefault));
    showOrientation(m_settings.readNumber(Settings::Orientation));
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker quiet(m_chkLines[i]);
        m_chkLines[i]->setChecked(m_settings.readNumber(lineGroups[i].on) == 1);
        showLineState(i);
    }
    showDevice();
}

void PrintPage::writeOnClose()
{
    for (int i = 0; i < 2; ++i)
        m_settings.write(lineGroups[i].on, m_chkLines[i]->isChecked() ? u"1"_s : u"0"_s);
    for (int i = 0; i < 3; ++i)
        m_samples[i].write(m_settings, fontGroups[i].section);
}

SampleFont PrintPage::sample(int i) const
{
    return m_samples[i];
}

void PrintPage::setSample(int i, const SampleFont &font)
{
    m_samples[i] = font;
    m_txtFont[i]->setFont(font.toFont());
    m_txtFont[i]->setText(font.face);
    m_txtFont[i]->setCursorPosition(0);
}

void PrintPage::cmdChooseFont_Click(int i)
{
    const std::optional<SampleFont> chosen =
        FontChooser::choose(window(), m_samples[i], smallestSize, fontGroups[i].largest);
    if (!chosen)
        return;
    setSample(i, *chosen);
    if (m_previewFonts && m_previewFonts())
        applySampleFonts();
}

void PrintPage::cmdSetFontDefaults_Click()
{
    for (int i = 0; i < 3; ++i)
        setSample(i, SampleFont::standard(fontGroups[i].standard));
    m_picThickPreview[0]->setMarkedRow(0);
    m_settings.write(Settings::Line0, u"0"_s);
    m_picThickPreview[1]->setMarkedRow(3);
    m_settings.write(Settings::Line1, u"3"_s);
    m_chkLines[1]->setChecked(true);
    m_chkLines[0]->setChecked(true);
    applySampleFonts();
}

void PrintPage::applySampleFonts()
{
    for (int i = 0; i < 3; ++i)
        m_samples[i].write(m_settings, fontGroups[i].section);
}

void PrintPage::showOrientation(int orientation)
{
    m_imgOrientation[0]->setVisible(orientation == 0);
    m_imgOrientation[1]->setVisible(orientation != 0);
}

void PrintPage::imgOrientation_Click(int i)
{
    const int turned = i == 0 ? 1 : 0;
    showOrientation(turned);
    m_settings.write(Settings::Orientation, number(turned));
}

void PrintPage::showLineState(int i)
{
    const int stored = int(m_settings.readSize(lineGroups[i].weight.section, lineGroups[i].weight.key,
                                               lineGroups[i].weight.fallback.toDouble()));
    m_picThickPreview[i]->setMarkedRow(m_chkLines[i]->isChecked() ? stored : -1);
}

void PrintPage::chkLines_Click(int i)
{
    showLineState(i);
    m_settings.write(lineGroups[i].on, m_chkLines[i]->isChecked() ? u"1"_s : u"0"_s);
}

void PrintPage::picThickPreview_MouseUp(int i, int row)
{
    m_picThickPreview[i]->setMarkedRow(row);
    m_settings.write(lineGroups[i].weight, number(row));
}

void PrintPage::showDevice()
{
    const QString name = PrinterChoice::currentPrinterName(m_settings);
    m_lblDevice->setText(name.isEmpty() ? u"Kein Drucker: Ausgabe als PDF-Datei"_s : name);
    // The platform's page setup works on printers only.
    m_cmdPrinter->setEnabled(!name.isEmpty());
}

void PrintPage::cmdChoosePrinter_Click()
{
    if (PrinterChoice::choosePrinter(window(), m_settings))
        showOrientation(m_settings.readNumber(Settings::Orientation));
    showDevice();
}

void PrintPage::cmdPrinter_Click()
{
    if (PrinterChoice::setUpPrinter(window(), m_settings))
        showOrientation(m_settings.readNumber(Settings::Orientation));
}

} // namespace Tarvosk
