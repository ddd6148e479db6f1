#include "settings/frmsettings.h"

#include "settings/aboutpage.h"
#include "settings/alwaysword.h"
#include "settings/generalpage.h"
#include "settings/printpage.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

constexpr int aboutTab = 2;

QString versionText(const QString &version)
{
    return version.isEmpty() ? QCoreApplication::applicationVersion() : version;
}

} // namespace

frmSettings::frmSettings(SettingsContext context, QWidget *owner)
    : QDialog(owner)
    , m_context(std::move(context))
    , m_sheet(owner ? owner->window() : nullptr)
    , m_tabStrip(new QTabWidget)
{
    setObjectName(u"frmSettings"_s);
    setWindowTitle(u"Einstellungen"_s);
    setModal(true);

    m_generalPage = new GeneralPage(m_context.settings,
                                    DesktopFileIcon(m_context.desktop, m_context.fileIcons),
                                    m_context.fileIcons, m_context.showPatternMenu);
    m_printPage = new PrintPage(m_context.settings, [this] { return m_generalPage->previewFonts(); });
    m_aboutPage = new AboutPage(versionText(m_context.version), m_context.homePage, m_context.openUrl);

    m_tabStrip->setObjectName(u"TabStrip"_s);
    m_tabStrip->addTab(m_printPage, u"&Drucken"_s);
    m_tabStrip->addTab(m_generalPage, u"&Allgemein"_s);
    m_tabStrip->addTab(m_aboutPage, u"Ü&ber"_s);
    connect(m_tabStrip, &QTabWidget::currentChanged, this, &frmSettings::TabStrip_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabStrip);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

frmSettings::~frmSettings() = default;

void frmSettings::showModal(QWidget *owner, SettingsContext context)
{
    frmSettings dialog(std::move(context), owner);
    dialog.exec();
}

QTabWidget *frmSettings::tabStrip() const
{
    return m_tabStrip;
}

PrintPage *frmSettings::printPage() const
{
    return m_printPage;
}

GeneralPage *frmSettings::generalPage() const
{
    return m_generalPage;
}

AboutPage *frmSettings::aboutPage() const
{
    return m_aboutPage;
}

void frmSettings::Form_Load()
{
    m_printPage->load();
    m_generalPage->load();
}

void frmSettings::TabStrip_Click(int tab)
{
    m_aboutPage->setAnimationRunning(tab == aboutTab);
}

void frmSettings::showEvent(QShowEvent *event)
{
    // Shown again after closing, the dialog loads afresh as a new one would.
    if (m_unloaded) {
        m_unloaded = false;
        Form_Load();
    }
    TabStrip_Click(m_tabStrip->currentIndex());
    QDialog::showEvent(event);
}

void frmSettings::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmSettings::Form_Unload()
{
    // Closing twice (done() after a close) writes once.
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_aboutPage->setAnimationRunning(false);
    if (m_sheet)
        fitSheetToAlwaysWord(*m_sheet, m_generalPage->alwaysWord(), m_context.toolbarOnlyHeight);
    m_generalPage->writeOnClose();
    m_printPage->writeOnClose();
}

} // namespace Tarvosk
