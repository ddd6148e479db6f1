#pragma once

#include <QString>
#include <QStringList>

// What each index of the record's value arrays means, the caption shown beside
// it, and the text of a value not rolled yet. Windows, the sheet, the file and
// the export all read them here.
namespace Tarvosk::Values {

enum Basis { St, Gs, Gw, Ko, In, MT, BasisCount };
enum Derived {
    RW,
    HGW,
    Wk,
    Schadensbonus,
    Bewegungsweite,
    Au,
    Groesse,
    Gewicht,
    pA,
    Selbstbeherrschung,
    DerivedCount
};
enum LifeEndurance { Lebenspunkte, Ausdauerpunkte, LifeEnduranceCount };
enum Natural { Abwehr, Ausweichen, Hoeren, Sehen, Tasten, Riechen, Schmecken, SechsterSinn, NaturalCount };
enum Background { Ruhm, Einkommensklasse, BackgroundCount };

// The short codes of the skill prerequisites and class minimums: St, Gs, Gw,
// Ko and In are basis 0 to 4, RW is derived 0 and pA derived 8.
enum class Code { St, Gs, Gw, Ko, In, pA, RW };

// A value that has not been rolled.
inline const QString notRolled = QStringLiteral("-");

inline bool isRolled(const QString &value)
{
    return value != notRolled;
}

inline QStringList basisCaptions()
{
    return {QStringLiteral("Stärke"), QStringLiteral("Geschicklichkeit"), QStringLiteral("Gewandheit"),
            QStringLiteral("Konstitution"), QStringLiteral("Intelligenz"), QStringLiteral("Mediales Talent")};
}

inline QStringList derivedCaptions()
{
    return {QStringLiteral("Reaktionswert"),      QStringLiteral("Handgemengewert"),
            QStringLiteral("Willenskraft"),       QStringLiteral("Schadensbonus"),
            QStringLiteral("Bewegungsweite"),     QStringLiteral("Aussehen"),
            QStringLiteral("Größe"),              QStringLiteral("Gewicht"),
            QStringLiteral("pers. Ausstrahlung"), QStringLiteral("Selbstbeherrschung")};
}

inline QStringList lifeEnduranceCaptions()
{
    return {QStringLiteral("Lebenspunkte"), QStringLiteral("Ausdauerpunkte")};
}

inline QStringList naturalCaptions()
{
    return {QStringLiteral("Abwehr"), QStringLiteral("Ausweichen"), QStringLiteral("Hören"),
            QStringLiteral("Sehen"),  QStringLiteral("Tasten"),     QStringLiteral("Riechen"),
            QStringLiteral("Schmecken"), QStringLiteral("Sechster Sinn")};
}

inline QStringList backgroundCaptions()
{
    return {QStringLiteral("Ruhm"), QStringLiteral("Einkommensklasse")};
}

} // namespace Tarvosk::Values
