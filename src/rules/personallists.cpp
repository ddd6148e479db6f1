#include "rules/personallists.h"

#include "rules/classcatalogue.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

const QStringList &characterClasses()
{
    static const QStringList entries = classNames();
    return entries;
}

const QStringList &sexes()
{
    static const QStringList entries = {
        u"männlich"_s, u"weiblich"_s,
    };
    return entries;
}

const QStringList &nationalities()
{
    static const QStringList entries = {
        u"Amerikaner"_s, u"Afrikaner"_s, u"Ägypter"_s, u"Algerier"_s, u"Argentinier"_s,
        u"Australier"_s, u"Belgier"_s, u"Brasilianer"_s, u"Canadier"_s, u"Chinese"_s, u"Chilene"_s,
        u"Deutscher"_s, u"Däne"_s, u"Engländer"_s, u"Finne"_s, u"Franzose"_s, u"Grieche"_s,
        u"Inder"_s, u"Indonesier"_s, u"Iraker"_s, u"Iraner"_s, u"Ire"_s, u"Israelit"_s,
        u"Isländer"_s, u"Italiener"_s, u"Japaner"_s, u"Koreaner"_s, u"Kubaner"_s, u"Kolumbianer"_s,
        u"Lybier"_s, u"Marokkaner"_s, u"Mexicaner"_s, u"Mongole"_s, u"Neuseeländer"_s,
        u"Norweger"_s, u"Östereicher"_s, u"Pakistani"_s, u"Pole"_s, u"Portogiese"_s, u"Russe"_s,
        u"Spanier"_s, u"Schotte"_s, u"Schwede"_s, u"Schweizer"_s, u"Südafrikaner"_s,
        u"Tschechoslowake"_s, u"Türke"_s, u"Venezuelaner"_s, u"Vietnamese"_s, u"Yugoslawe"_s,
    };
    return entries;
}

const QStringList &eyeColours()
{
    static const QStringList entries = {
        u"Blau"_s, u"Braun"_s, u"Gelb"_s, u"Grün"_s, u"Schwarz"_s,
    };
    return entries;
}

const QStringList &hairColours()
{
    static const QStringList entries = {
        u"Blond"_s, u"Braun"_s, u"Rot"_s, u"Schwarz"_s,
    };
    return entries;
}

const QStringList &races()
{
    static const QStringList entries = {
        u"Europide (Europäer,Inder,Nordafrikaner)"_s, u"Negride (Zentralafrikaner)"_s,
        u"Mongolide (Asiaten,Indianer)"_s,
    };
    return entries;
}

const QStringList &religions()
{
    static const QStringList entries = {
        u"Atheistisch"_s, u"Buddistisch"_s, u"Evangelisch"_s, u"Hinduistisch"_s, u"Islamisch"_s,
        u"Katholisch"_s, u"Schamanistisch"_s,
    };
    return entries;
}

const QStringList &habits()
{
    static const QStringList entries = {
        u"Schlafwandler"_s, u"Athlet"_s, u"Sportler"_s, u"Hörgerät"_s, u"Brillenträger"_s,
        u"Monokel"_s, u"Glasauge"_s, u"Raucher"_s, u"Pfeifenraucher"_s, u"Zigarrenraucher"_s,
        u"Trinker"_s, u"Alkoholiker"_s, u"Spieler"_s, u"Draufgänger"_s, u"Optimist"_s,
        u"Pessimist"_s, u"Realist"_s, u"Vielesser"_s, u"Asket"_s, u"Schlechte Manieren"_s,
        u"Vornehm"_s, u"Frühaufsteher"_s, u"Spätaufsteher"_s, u"Nachtmensch"_s, u"Goldzähne"_s,
        u"Ohrringe"_s, u"Tätowierung"_s, u"Schlechte Zähne"_s, u"Schnauzer"_s, u"Bart"_s,
        u"Drei-Tage-Bart"_s, u"Glatze"_s, u"Halbglatze"_s, u"kurze Haare"_s, u"lange Haare"_s,
        u"Narbe"_s, u"Pyromane"_s, u"Vegetarier"_s, u"Armprotese"_s, u"Holzbein"_s, u"Waffennarr"_s,
        u"Rücksichtslos"_s, u"Schüchtern"_s, u"Tiefsinnig"_s, u"Vorsichtig"_s, u"Nachtragend"_s,
        u"Freundlich"_s, u"Höflich"_s, u"Oportunist"_s, u"Egoist"_s, u"Egozentrisch"_s,
        u"Gläubig"_s, u"Locker"_s, u"Musikalisch"_s, u"Schläfrig"_s, u"Ehrgeizig"_s,
        u"Schlechter Verlierer"_s, u"Kautabak"_s, u"Penibel"_s, u"Pünktlich"_s, u"Macho"_s,
        u"Größenwahnsinnig"_s, u"Konzentrationsschwäche"_s, u"Sprachfehler"_s, u"Schielt"_s,
        u"Humpelt"_s, u"Buckel"_s, u"Jähzornig"_s, u"Tolpatschig"_s, u"Schroff"_s, u"Schmarotzer"_s,
    };
    return entries;
}

const QStringList &months()
{
    static const QStringList entries = {
        u"Januar"_s, u"Februar"_s, u"März"_s, u"April"_s, u"Mai"_s, u"Juni"_s, u"Juli"_s,
        u"August"_s, u"September"_s, u"Oktober"_s, u"November"_s, u"Dezember"_s,
    };
    return entries;
}

const QStringList &birthDays()
{
    static const QStringList entries = [] {
        QStringList days;
        for (int day = 1; day <= 31; ++day)
            days.append(QString::number(day));
        return days;
    }();
    return entries;
}

} // namespace Tarvosk
