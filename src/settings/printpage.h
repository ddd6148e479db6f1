#pragma once

#include "settings/samplefont.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Tarvosk {

class PictureBox;
class SettingsStore;
class ThicknessPreview;

// The page "&Drucken" (picFrame(0)): the three sheet fonts, the printer, the
// orientation and the weights of lines and frames. Orientation, weights and
// the two check boxes are written at once; the fonts when the dialog closes,
// or at once where they are shown on the sheet at once.
class PrintPage : public QWidget
{
    Q_OBJECT

public:
    // previewFonts: whether a chosen font goes onto the sheet at once ("Schriftartenänderungen anzeigen").
    PrintPage(SettingsStore &settings, std::function<bool()> previewFonts, QWidget *parent = nullptr);
    ~PrintPage() override;

    void load();
    void writeOnClose();

    // The sample txtFont(i): 0 headline, 1 labels, 2 values.
    SampleFont sample(int i) const;

private:
    QWidget *buildFonts();
    QWidget *buildPrinter();
    QWidget *buildOrientation();
    QWidget *buildThickness(int i);

    void setSample(int i, const SampleFont &font);
    void cmdChooseFont_Click(int i);
    void cmdSetFontDefaults_Click();
    // ApplyHeadlineFont, ApplyLabelsFont and ApplyValuesFont with the samples as source:
    // the sheet window follows the written settings.
    void applySampleFonts();
    void showOrientation(int orientation);
    void imgOrientation_Click(int i);
    void showLineState(int i);
    void chkLines_Click(int i);
    void picThickPreview_MouseUp(int i, int row);
    void showDevice();
    void cmdChoosePrinter_Click();
    void cmdPrinter_Click();

    SettingsStore &m_settings;
    std::function<bool()> m_previewFonts;
    std::array<SampleFont, 3> m_samples;
    std::array<QLineEdit *, 3> m_txtFont{};
    // chkLines (ruling lines, "Line0") and chkFrames (frames, "Line1").
    std::array<QCheckBox *, 2> m_chkLines{};
    std::array<ThicknessPreview *, 2> m_picThickPreview{};
    std::array<PictureBox *, 2> m_imgOrientation{};
    QLabel *m_lblDevice = nullptr;
    QPushButton *m_cmdPrinter = nullptr;
};

} // namespace Tarvosk
