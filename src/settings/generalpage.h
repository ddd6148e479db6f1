#pragma once

#include "settings/desktopfileicon.h"

#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Tarvosk {

class PictureBox;
class SettingsStore;

// The page "&Allgemein" (picFrame(1)): program options, presets, currency,
// the seed of the dice and the icon of character files. The presets and the
// icon are written at once, the rest when the dialog closes.
class GeneralPage : public QWidget
{
    Q_OBJECT

public:
    GeneralPage(SettingsStore &settings, DesktopFileIcon fileIcon, const std::array<QByteArray, 4> &iconPictures,
                std::function<void(QPoint)> showPatternMenu, QWidget *parent = nullptr);
    ~GeneralPage() override;

    void load();
    void writeOnClose();

    // "Schriftartenänderungen anzeigen" is ticked.
    bool previewFonts() const;
    // "Immer nach MS Word exportieren" is ticked.
    bool alwaysWord() const;

private:
    QWidget *buildOptions();
    QWidget *buildPresets();
    QWidget *buildRandomize();
    QWidget *buildToolbar();
    QWidget *buildExplorer(const std::array<QByteArray, 4> &iconPictures);

    void showIcon(int index);
    void imgIcon_Click(int index);
    void cmdCustomize_Click();
    void cmdSetProgramDefaults_Click();

    SettingsStore &m_settings;
    DesktopFileIcon m_fileIcon;
    std::function<void(QPoint)> m_showPatternMenu;
    QCheckBox *m_chkStartup = nullptr;
    QCheckBox *m_chkTrueType = nullptr;
    QCheckBox *m_chkSaveFont = nullptr;
    QCheckBox *m_chkAlwaysWord = nullptr;
    QCheckBox *m_chkCharakter = nullptr;
    QCheckBox *m_chkFreedom = nullptr;
    QComboBox *m_cbxMoney = nullptr;
    QButtonGroup *m_optRandomize = nullptr;
    QLineEdit *m_txtRandomize = nullptr;
    QPushButton *m_cmdCustomize = nullptr;
    std::array<PictureBox *, 4> m_imgIcon{};
};

} // namespace Tarvosk
