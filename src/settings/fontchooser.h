#pragma once

#include "settings/samplefont.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;

namespace Tarvosk {

// The font dialog of the settings: face, style, size and effects, with the
// sizes limited to a range (the platform's dialog knows no limits). A preset
// size outside the range shows the nearest size of the range.
class FontChooser : public QDialog
{
    Q_OBJECT

public:
    FontChooser(const SampleFont &preset, int smallest, int largest, QStringList faces, QWidget *parent = nullptr);
    ~FontChooser() override;

    // Shows the dialog modally; nothing when the user cancels.
    static std::optional<SampleFont> choose(QWidget *parent, const SampleFont &preset, int smallest, int largest);

    SampleFont chosen() const;

private:
    void showSample();

    QListWidget *m_faces;
    QListWidget *m_styles;
    QListWidget *m_sizes;
    QCheckBox *m_strikethru;
    QCheckBox *m_underline;
    QLabel *m_sample;
};

} // namespace Tarvosk
