#pragma once

#include "settings/settingscontext.h"

#include <QDialog>
#include <QPointer>

class QTabWidget;

namespace Tarvosk {

class AboutPage;
class GeneralPage;
class PrintPage;

// The settings dialog "Einstellungen", modal over the sheet window, with
// three pages and no OK or Cancel: some settings are written the moment
// they change, the others when the dialog closes. Closing also fits the
// sheet window to "Immer nach MS Word exportieren".
class frmSettings : public QDialog
{
    Q_OBJECT

public:
    // owner: the sheet window, whose height follows "AlwaysWord" on closing.
    explicit frmSettings(SettingsContext context, QWidget *owner = nullptr);
    ~frmSettings() override;

    // Opens the dialog over the owner and returns once it is closed.
    static void showModal(QWidget *owner, SettingsContext context);

    QTabWidget *tabStrip() const;
    PrintPage *printPage() const;
    GeneralPage *generalPage() const;
    AboutPage *aboutPage() const;

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void TabStrip_Click(int tab);

    SettingsContext m_context;
    QPointer<QWidget> m_sheet;
    QTabWidget *m_tabStrip;
    PrintPage *m_printPage;
    GeneralPage *m_generalPage;
    AboutPage *m_aboutPage;
    bool m_unloaded = false;
};

} // namespace Tarvosk
