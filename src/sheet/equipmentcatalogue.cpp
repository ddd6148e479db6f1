#include "sheet/equipmentcatalogue.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace Tarvosk::EquipmentCatalogue {

namespace {

// In the lists below "-" is a separator and a text starting with "#" a
// disabled heading; neither is ever an item's name.
constexpr QStringView handguns[] = {
    u"Adams Mk II (6x .450in, DA)",
    u"Colt SAA Peacemaker (6x .45in LC, SA)",
    u"Colt Thunderer (6x .41in Colt, DA)",
    u"Colt New Thunderer (6x .45in LC, SA)",
    u"Colt Lightning (6x .38in, DA)",
    u"Colt Frontier (6x .38in, DA)",
    u"Colt M 1851 (6x .38in Special, SA)",
    u"Colt Pocket (5x .38in, SA)",
    u"Derringer (2x .38in, SA)",
    u"Merwin && Hulbert (6x .44-40in, SA)",
    u"Remington Smoot (5x .32in Colt, SA)",
    u"Remington M 1875 (6x .45in LC, SA)",
    u"Sharps M1859 (4x .22in LR, SA)",
    u"Smith && Wesson Schofield (6x .45in S&&W, SA)",
    u"Smith && Wessen New Target (6x .44in S&&W, DA)",
    u"Smith && Wessen No. 3 (6x .44in S&&W, SA)",
    u"Tranter Army (6x .450in, DA)",
    u"Webley Constabulary (6x .450in, DA)",
    u"Webley Bull Dog (5x .450in, DA)",
    u"Webley W.G. (6x .455in, DA)",
    u"Webley Mark I (6x .455in, DA)",
    u"Webley && Scott (6x .450in, DA)",
    u"-",
    u"#ab 1892",
    u"Colt Army&&Navy (6x .38in, DA)",
    u"Colt New Police (6x .38in, DA)",
    u"-",
    u"#ab 1896",
    u"Mauser C96 (10x 7,65mm, SA)",
    u"Borchardt Repeating (8x 7,65mm, SA)",
    u"Bergmanns Repeating (5x .20in, SA)",
};

constexpr QStringView longArms[] = {
    u"Enfield P/60 (1x .450 Vorderlader)",
    u"Sharps 1874 (1x .45/70)",
    u"Springfield Trapdoor (1x .45/70)",
    u"Winchester 1866 (10x .45in LC)",
    u"Winchester 1873 Rifle (14x .45in LC)",
    u"Winchester 1873 Muskete (15x 45.in LC)",
    u"Winchester Take Down (16x .22in LR)",
};

constexpr QStringView blades[] = {
    u"Bayonett", u"Degen", u"Dolch", u"Florett", u"Keule", u"Säbel",
    u"Speer", u"Wurfaxt", u"Wurfmesser", u"Wurfpfeil", u"Wurfspeer",
};

constexpr QStringView other[] = {
    u"Armband", u"Artztkoffer", u"Ausweis", u"Bleistift", u"Brieftasche",
    u"Brille", u"Dietriche", u"Fackeln", u"Feldflasche", u"Fernglas",
    u"Fernrohr", u"Festes Schuhwerk", u"Flachmann", u"Fotoapparat", u"Gehstock",
    u"Geldclip", u"Halskette", u"Handfesseln", u"Handtasche", u"Kamm",
    u"Karten", u"Knüppel", u"Kompaß", u"Mantel", u"Melone",
    u"Monokel", u"Munnition", u"Munnitionsgurt", u"Munnitionstasche", u"Notizbuch",
    u"Ohrringe", u"Pfeife", u"Pinsel", u"Regenschirm", u"Ring",
    u"Rucksack", u"Seil", u"Schottenrock", u"Spielkarten", u"Stetson",
    u"Streichhölzer", u"Tabak", u"Taschenmesser", u"Taschenspiegel", u"Taschentuch",
    u"Taschenuhr", u"Verbandszeug", u"Vergrößerungsglas", u"Visitenkarte", u"Würfel",
    u"Zylinder",
};

template<size_t N>
QList<Entry> read(const QStringView (&rows)[N])
{
    QList<Entry> result;
    result.reserve(qsizetype(N));
    for (QStringView row : rows) {
        if (row == u"-")
            result.append({Entry::Kind::Separator, {}});
        else if (row.startsWith(u'#'))
            result.append({Entry::Kind::Heading, row.mid(1).toString()});
        else
            result.append({Entry::Kind::Item, row.toString()});
    }
    return result;
}

} // namespace

QString Entry::lineText() const
{
    QString text = caption;
    return text.replace(u"&&"_s, u"&"_s);
}

QList<Entry> entries(List list)
{
    switch (list) {
    case List::Handguns:
        return read(handguns);
    case List::LongArms:
        return read(longArms);
    case List::Blades:
        return read(blades);
    case List::Other:
        return read(other);
    }
    return {};
}

} // namespace Tarvosk::EquipmentCatalogue
