#pragma once

#include <QStringList>

// The captions beside the character's values, in the order of the record.
namespace Tarvosk::ValueCaptions {

inline QStringList basis()
{
    return {QStringLiteral("Stärke"), QStringLiteral("Geschicklichkeit"), QStringLiteral("Gewandheit"),
            QStringLiteral("Konstitution"), QStringLiteral("Intelligenz"), QStringLiteral("Mediales Talent")};
}

inline QStringList derived()
{
    return {QStringLiteral("Reaktionswert"),      QStringLiteral("Handgemengewert"),
            QStringLiteral("Willenskraft"),       QStringLiteral("Schadensbonus"),
            QStringLiteral("Bewegungsweite"),     QStringLiteral("Aussehen"),
            QStringLiteral("Größe"),              QStringLiteral("Gewicht"),
            QStringLiteral("pers. Ausstrahlung"), QStringLiteral("Selbstbeherrschung")};
}

inline QStringList lifeEndurance()
{
    return {QStringLiteral("Lebenspunkte"), QStringLiteral("Ausdauerpunkte")};
}

inline QStringList natural()
{
    return {QStringLiteral("Abwehr"), QStringLiteral("Ausweichen"), QStringLiteral("Hören"),
            QStringLiteral("Sehen"),  QStringLiteral("Tasten"),     QStringLiteral("Riechen"),
            QStringLiteral("Schmecken"), QStringLiteral("Sechster Sinn")};
}

inline QStringList background()
{
    return {QStringLiteral("Ruhm"), QStringLiteral("Einkommensklasse")};
}

} // namespace Tarvosk::ValueCaptions
