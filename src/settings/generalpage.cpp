#include "settings/generalpage.h"

#include "settings/picturebox.h"
#include "settings/seedvalidator.h"
#include "settings/svgpicture.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

const QStringList currencies{u"US Dollar"_s, u"Pfund Sterling"_s, u"Mark"_s,    u"Franc"_s, u"Lira"_s,
                             u"Peseta"_s,    u"Gulden"_s,         u"Rubel"_s, u"Krone"_s};
const QStringList seedOptions{u"Systemzeit (empfohlen)"_s, u"Aktuelles Datum"_s, u"Eigener Startwert"_s};
constexpr int ownSeed = 2;
constexpr QSize iconBox(40, 40);
constexpr QSize iconPicture(32, 32);

QCheckBox *checkBox(const QString &objectName, const QString &caption)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(objectName);
    return box;
}

// A stored index outside the list chooses the first entry.
int listIndex(int stored, int count)
{
    return stored >= 0 && stored < count ? stored : 0;
}

QString flag(const QCheckBox *box)
{
    return box->isChecked() ? u"1"_s : u"0"_s;
}

} // namespace

GeneralPage::GeneralPage(SettingsStore &settings, DesktopFileIcon fileIcon,
                         const std::array<QByteArray, 4> &iconPictures, std::function<void(QPoint)> showPatternMenu,
                         QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_fileIcon(std::move(fileIcon))
    , m_showPatternMenu(std::move(showPatternMenu))
{
    setObjectName(u"picFrame_1"_s);

    auto *defaults = new QPushButton(u"&Standart"_s);
    defaults->setObjectName(u"cmdSetProgramDefaults"_s);
    defaults->setToolTip(u"Standartwerte setzen"_s);
    connect(defaults, &QPushButton::clicked, this, &GeneralPage::cmdSetProgramDefaults_Click);

    auto *grid = new QGridLayout(this);
    grid->addWidget(buildOptions(), 0, 0);
    grid->addWidget(buildPresets(), 0, 1);
    grid->addWidget(buildRandomize(), 1, 0);
    grid->addWidget(buildToolbar(), 1, 1);
    grid->addWidget(buildExplorer(iconPictures), 2, 0);
    grid->addWidget(defaults, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
}

GeneralPage::~GeneralPage() = default;

QWidget *GeneralPage::buildOptions()
{
    auto *options = new QWidget;
    m_chkStartup = checkBox(u"chkStartup"_s, u"Startbildschirm anzeigen"_s);
    m_chkTrueType = checkBox(u"chkTrueType"_s, u"Schriftartenänderungen anzeigen"_s);
    m_chkSaveFont = checkBox(u"chkSaveFont"_s, u"Schriftarten mit Charakter speichern"_s);
    m_chkAlwaysWord = checkBox(u"chkAlwaysWord"_s, u"Immer nach MS Word exportieren"_s);
    auto *layout = new QVBoxLayout(options);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox *box : {m_chkStartup, m_chkTrueType, m_chkSaveFont, m_chkAlwaysWord})
        layout->addWidget(box);
    layout->addStretch();
    return options;
}

QWidget *GeneralPage::buildPresets()
{
    auto *frame = new QGroupBox(u"Voreinstellung"_s);
    frame->setObjectName(u"frmPresets"_s);
    m_chkCharakter = checkBox(u"chkCharakter"_s, u"Charakterl. Eigenheit"_s);
    m_chkFreedom = checkBox(u"chkFreedom"_s, u"Mehr Spielerfreiheit"_s);
    connect(m_chkCharakter, &QCheckBox::toggled, this,
            [this] { m_settings.write(Settings::CharacterProperty, flag(m_chkCharakter)); });
    connect(m_chkFreedom, &QCheckBox::toggled, this,
            [this] { m_settings.write(Settings::ConfirmValues, flag(m_chkFreedom)); });

    auto *money = new QLabel(u"Währung"_s);
    money->setObjectName(u"lblMoney"_s);
    m_cbxMoney = new QComboBox;
    m_cbxMoney->setObjectName(u"cbxMoney"_s);
    m_cbxMoney->addItems(currencies);
    money->setBuddy(m_cbxMoney);

    auto *currency = new QHBoxLayout;
    currency->addWidget(money);
    currency->addWidget(m_cbxMoney, 1);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_chkCharakter);
    layout->addWidget(m_chkFreedom);
    layout->addLayout(currency);
    return frame;
}

QWidget *GeneralPage::buildRandomize()
{
    auto *frame = new QGroupBox(u"Zufallsgenerator"_s);
    frame->setObjectName(u"frmRandomize"_s);
    auto *layout = new QGridLayout(frame);
    m_optRandomize = new QButtonGroup(this);
    for (int i = 0; i < int(seedOptions.size()); ++i) {
        auto *option = new QRadioButton(seedOptions[i]);
        option->setObjectName(u"optRandomize_"_s + QString::number(i));
        m_optRandomize->addButton(option, i);
        layout->addWidget(option, i, 0);
    }
    m_txtRandomize = new QLineEdit;
    m_txtRandomize->setObjectName(u"txtRandomize"_s);
    m_txtRandomize->setValidator(new SeedValidator(m_txtRandomize));
    m_txtRandomize->setMaximumWidth(90);
    // Only the user's changes choose the option; loading the stored text does not.
    connect(m_txtRandomize, &QLineEdit::textEdited, this, [this] { m_optRandomize->button(ownSeed)->setChecked(true); });
    layout->addWidget(m_txtRandomize, ownSeed, 1);
    layout->setColumnStretch(1, 1);
    return frame;
}

QWidget *GeneralPage::buildToolbar()
{
    auto *frame = new QGroupBox(u"Toolbar"_s);
    frame->setObjectName(u"frmToolbar"_s);
    m_cmdCustomize = new QPushButton(u"&Anpassen"_s);
    m_cmdCustomize->setObjectName(u"cmdCustomize"_s);
    m_cmdCustomize->setEnabled(bool(m_showPatternMenu));
    connect(m_cmdCustomize, &QPushButton::clicked, this, &GeneralPage::cmdCustomize_Click);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_cmdCustomize);
    layout->addStretch();
    return frame;
}

QWidget *GeneralPage::buildExplorer(const std::array<QByteArray, 4> &iconPictures)
{
    auto *frame = new QGroupBox(u"Symbol für Charakterdateien"_s);
    frame->setObjectName(u"frmExplorer"_s);
    auto *layout = new QHBoxLayout(frame);
    for (int i = 0; i < int(m_imgIcon.size()); ++i) {
        m_imgIcon[i] = new PictureBox(u"imgIcon_"_s + QString::number(i), iconBox);
        m_imgIcon[i]->setPicture(svgPicture(iconPictures[i], iconPicture));
        connect(m_imgIcon[i], &PictureBox::clicked, this, [this, i] { imgIcon_Click(i); });
        layout->addWidget(m_imgIcon[i]);
    }
    layout->addStretch();
    return frame;
}

void GeneralPage::load()
{
    m_optRandomize->button(listIndex(m_settings.readNumber(Settings::Random), int(seedOptions.size())))->setChecked(true);
    m_txtRandomize->setText(m_settings.read(Settings::RandomText));
    m_chkStartup->setChecked(m_settings.readNumber(Settings::StartupScreen) != 0);
    m_chkTrueType->setChecked(m_settings.readNumber(Settings::Preview) != 0);
    m_chkSaveFont->setChecked(m_settings.readNumber(Settings::SaveFont) != 0);
    m_chkAlwaysWord->setChecked(m_settings.readNumber(Settings::AlwaysWord) != 0);
    {
        const QSignalBlocker quiet(m_chkFreedom);
        const QSignalBlocker alsoQuiet(m_chkCharakter);
        m_chkFreedom->setChecked(m_settings.readNumber(Settings::ConfirmValues) != 0);
        m_chkCharakter->setChecked(m_settings.readNumber(Settings::CharacterProperty) != 0);
    }
    m_cbxMoney->setCurrentIndex(listIndex(m_settings.readNumber(Settings::Currency), int(currencies.size())));
    showIcon(m_fileIcon.current());
}

void GeneralPage::writeOnClose()
{
    m_settings.write(Settings::Random, QString::number(m_optRandomize->checkedId()));
    m_settings.write(Settings::RandomText, m_txtRandomize->text());
    m_settings.write(Settings::StartupScreen, flag(m_chkStartup));
    m_settings.write(Settings::Preview, flag(m_chkTrueType));
    m_settings.write(Settings::SaveFont, flag(m_chkSaveFont));
    m_settings.write(Settings::AlwaysWord, flag(m_chkAlwaysWord));
    m_settings.write(Settings::Currency, QString::number(m_cbxMoney->currentIndex()));
}

bool GeneralPage::previewFonts() const
{
    return m_chkTrueType->isChecked();
}

bool GeneralPage::alwaysWord() const
{
    return m_chkAlwaysWord->isChecked();
}

void GeneralPage::showIcon(int index)
{
    for (int i = 0; i < int(m_imgIcon.size()); ++i)
        m_imgIcon[i]->setFramed(i == index);
}

void GeneralPage::imgIcon_Click(int index)
{
    showIcon(index);
    m_fileIcon.choose(index);
}

void GeneralPage::cmdCustomize_Click()
{
    if (m_showPatternMenu)
        m_showPatternMenu(m_cmdCustomize->mapToGlobal(QPoint(0, m_cmdCustomize->height())));
}

void GeneralPage::cmdSetProgramDefaults_Click()
{
    m_chkStartup->setChecked(true);
    m_chkTrueType->setChecked(true);
    m_chkFreedom->setChecked(false);
    m_chkCharakter->setChecked(false);
    m_chkAlwaysWord->setChecked(false);
    m_cbxMoney->setCurrentIndex(0);
    m_optRandomize->button(0)->setChecked(true);
    imgIcon_Click(0);
    m_settings.write(Settings::Wallpaper, u"0"_s);
}

} // namespace Tarvosk
