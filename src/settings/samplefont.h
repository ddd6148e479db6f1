#pragma once

#include <QFont>
#include <QString>
#include <QStringView>

namespace Tarvosk {

class SettingsStore;

// One of the three sheet fonts as the settings dialog holds it. The size is
// kept as stored, even 0 or below, which no QFont can hold.
struct SampleFont
{
    QString face;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool strikethru = false;
    bool underline = false;

    // The font group of this section ("Headline", "Labels", "Values").
    static SampleFont read(const SettingsStore &settings, QStringView section, double defaultSize);
    // "Times New Roman" of this size, every style off.
    static SampleFont standard(double size);
    // Flags as "1" or "0", the size as a single-precision number.
    void write(SettingsStore &settings, QStringView section) const;
    // The font to show it with; a size the font cannot take shows at the smallest choosable size.
    QFont toFont() const;

    bool operator==(const SampleFont &) const = default;
};

} // namespace Tarvosk
