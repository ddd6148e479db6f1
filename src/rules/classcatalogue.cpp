#include "rules/classcatalogue.h"

#include "rules/skilllisttables.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

const std::vector<ClassEntry> &classCatalogue()
{
    // Every skill line letter for letter; the classes differ in spelling and blanks on purpose.
    static const std::vector<ClassEntry> catalogue = {
    {
        .name = u"Agent"_s,
        .minimums = {{Values::Code::Gs, 61}, {Values::Code::In, 31}},
        .enduranceAdjustment = 3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"8/3"_s}, {100, 100, u"13/8"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 99, u"G"_s},
            {100, 100, u"H"_s}
        },
        .skillColumns = {{
            {
                u"Archivwesen+10 (In31)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Kryptographie+6 (In61)"_s,
                u"Telegraph.+10 (In31, Gs31)"_s,
                u"Verbergen+6 (In31)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Florett+6 (Gs31)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Beredsamkeit+10 (pA61)"_s,
                u"Beschatten+8 (RW61, pA<81)"_s,
                u"Fälschen+8 (Gs61)"_s,
                u"Konversation+10 (pA31)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Schleichen+8 (Gw61)"_s,
                u"Sprengmeist.+6 (Gs31,In31)"_s,
                u"Verkleiden+10 (Gs31, In31)"_s,
                u"Werfen+6 (Gs21)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
            {
                u"Boxen+6 (St31, Gw21)"_s,
                u"Einbrechen+8 (Gs31, In31)"_s,
                u"Fechten+6 (Gw61)"_s,
                u"Meucheln+8 (Gs61, St31)"_s,
                u"Scharfschießen+6 (Gs61)"_s,
                u"waffenl.Kampf+6 (Gw21,St21)"_s,
            },
        }},
    },
    {
        .name = u"Archäologe"_s,
        .minimums = {{Values::Code::In, 61}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"8/3"_s}, {100, 100, u"12/5"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"E"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 100, u"H"_s}
        },
        .skillColumns = {{
            {
                u"Archivwesen+10 (In31)"_s,
                u"Archäologie+6 (In61)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Geschichte+6 (In31)"_s,
                u"Okkultismus+10 (In21)"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Dolch+6 (Gs01)"_s,
            },
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Anthropologie+6 (In61)"_s,
                u"Beredsamkeit+10 (pA61)"_s,
                u"Kryptographie+6 (In61)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
                u"Telegraph.+10 (In31, Gs31)"_s,
                u"Zeichenspr.+10 (In31, Gs21)"_s,
                u"Degen+6 (St21, Gs21)"_s,
                u"Wurfmesser+6 (Gs61)"_s,
            },
            {
                u"Gesetzeskunde+6 (In31)"_s,
                u"Gerichtsmed.+6 (In61, Gs31)"_s,
                u"Linguistik+6 (In61)"_s,
                u"Sprengmeist.+6 (Gs31, In31)"_s,
                u"Bogen+6 (Gs31, St31)"_s,
                u"Flinte+6 (Gs31, St21)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
        }},
    },
    {
        .name = u"Arzt"_s,
        .minimums = {{Values::Code::In, 61}, {Values::Code::Gs, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 95, u"5/1"_s}, {96, 99, u"8/3"_s},
            {100, 100, u"10/2"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 99, u"H"_s},
            {100, 100, u"I"_s}
        },
        .skillColumns = {{
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Archivwesen+10 (In31)"_s,
                u"Erste Hilfe+8 (Gs31, In31)"_s,
                u"Gespann fahren+14 (Gs21)"_s,
                u"Medizin+6 (In61)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Schreiben+9:Latein (In31)"_s,
                u"Sprechen+9:Latein (In31)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Anthropologie+6 (In61)"_s,
                u"Beredsamkeit+10 (pA61)"_s,
                u"Chemie+6 (In61)"_s,
                u"Gerichtsmed.+6 (In61, Gs31)"_s,
                u"Pharmakologie+6 (In61)"_s,
                u"Tierkunde+6 (In61)"_s,
            },
            {
                u"Fingerfertigkeit+8 (Gs61)"_s,
                u"Hypnose+6 (pA61)"_s,
                u"Meucheln+8 (Gs61, St31)"_s,
                u"Pflanzenkunde+6 (In61)"_s,
                u"Schrotflinte+6 (Gs01, St31)"_s,
            },
        }},
    },
    {
        .name = u"Diplomat"_s,
        .minimums = {{Values::Code::In, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 0,
        .fame = {
            {1, 1, u"1/3"_s}, {2, 30, u"2/3"_s}, {31, 50, u"3/2"_s}, {51, 80, u"4/2"_s}, {81, 95, u"5/1"_s},
            {96, 99, u"8/3"_s}, {100, 100, u"12/5"_s}
        },
        .income = {
            {1, 30, u"B"_s}, {31, 50, u"F"_s}, {51, 80, u"G"_s}, {81, 95, u"H"_s}, {96, 99, u"I"_s},
            {100, 100, u"J"_s}
        },
        .skillColumns = {{
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Archivwesen+10 (In31)"_s,
                u"Konversation+10 (pA31)"_s,
                u"Kryptografie+6 (In61)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Tanzen+14 (Gw21)"_s,
                u"Degen+6 (St21, Gs21)"_s,
                u"Florett+6 (Gs31)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
            {
                u"Beredsamkeit+10 (pA61)"_s,
                u"Buchführung+6 (In31)"_s,
                u"Geschichte+6 (In31)"_s,
                u"Gesetzeskunde+6 (In31)"_s,
                u"Reiten+14 (Gw21)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
                u"Telegraph.+10 (In31, Gs31)"_s,
                u"Pistole+6 (Gs11)"_s,
                u"Säbel+6 (St31, Gs11)"_s,
            },
            {
                u"Fechten+6 (Gw61)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Geschäftstüchtigkeit+6 (In31)"_s,
                u"Kampf zu Pferd+14 (Gw01)"_s,
            },
        }},
    },
    {
        .name = u"Entdecker"_s,
        .minimums = {{Values::Code::In, 31}, {Values::Code::Gs, 31}},
        .enduranceAdjustment = 3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"1/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"8/3"_s}, {100, 100, u"12/5"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 99, u"G"_s},
            {100, 100, u"H"_s}
        },
        .skillColumns = {{
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Gespann fahren+14 (Gs21)"_s,
                u"Klettern+14 (St31, Gw61)"_s,
                u"Reiten+14 (Gw21)"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Überleben+10 (In21)"_s,
                u"Werfen+6 (Gs21)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Ballon fahren+14 (In11, Gs21)"_s,
                u"Boot steuern+14 (St21, Gs11)"_s,
                u"Erste Hilfe+8 (Gs31, In31)"_s,
                u"Naturkunde+6 (In31)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
                u"Schwimmen+14 (Gw11)"_s,
                u"Spurensuche+6 (In31)"_s,
                u"Tarnen+8 (Gw31)"_s,
                u"waffenl.Kampf+6 (Gw21,St21)"_s,
                u"Flinte+6 (Gs31, St21)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
            {
                u"Anthropologie+6 (In61)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Mechanik+8 (Gs31, In31)"_s,
                u"Zeichenspr.+10 (In31, Gs21)"_s,
                u"Bogen+6 (Gs31, St31)"_s,
                u"Schießen zu Pferd+14 (Gs01)"_s,
            },
        }},
    },
    {
        .name = u"Feldforscher"_s,
        .minimums = {{Values::Code::In, 61}},
        .enduranceAdjustment = 3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"7/1"_s},
            {100, 100, u"10/2"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"E"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 99, u"H"_s},
            {100, 100, u"I"_s}
        },
        .skillColumns = {{
            {
                u"Anthropologie+6 (In61)"_s,
                u"Archivwesen+10 (In31)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Klettern+14 (St31, Gw61)"_s,
                u"Linguistik+6 (In61)"_s,
                u"Reiten+14"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Überleben+10 (In21)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Boot steuern+14 (St21, Gs11)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Geschichte+6 (In31)"_s,
                u"Gespann fahren+14 (Gs21)"_s,
                u"Naturkunde+6 (In31)"_s,
                u"Pflanzenkunde+6 (In61)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
                u"Telegraph.+10 (In31, Gs31)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
                u"Säbel+6 (St31, Gs11)"_s,
            },
            {
                u"Ballon fahren+14 (In11, Gs21)"_s,
                u"Bergsteigen+14 (Gw61, In31)"_s,
                u"Kampf zu Pferd+14 (Gw01)"_s,
                u"Mechanik+8 (Gs31, In31)"_s,
                u"waffenl.Kampf+6 (Gw21,St21)"_s,
            },
        }},
    },
    {
        .name = u"Glücksritter"_s,
        .minimums = {{Values::Code::Gs, 31}, {Values::Code::Gw, 31}, {Values::Code::In, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 50,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"9/3"_s}, {100, 100, u"13/8"_s}
        },
        .income = {
            {1, 1, u"B"_s}, {2, 30, u"C"_s}, {31, 50, u"D"_s}, {51, 80, u"F"_s}, {81, 95, u"H"_s},
            {96, 99, u"I"_s}, {100, 100, u"J"_s}
        },
        .skillColumns = {{
            {
                u"Balancieren+8 (Gw61)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Konversation+10 (pA31)"_s,
                u"Klettern+14 (St31, Gw61)"_s,
                u"Kunstverständnis+10 (In31)"_s,
                u"Reiten+14 (Gw21)"_s,
                u"Tanzen+14 (Gw21)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Keule+6 (St01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Beredsamkeit+10 (pA61)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Okkultismus+10 (In21)"_s,
                u"Schleichen+8 (Gw61)"_s,
                u"Spielen+10 (In21)"_s,
                u"Suchen+6 (In21, Gs21)"_s,
                u"Tarnen+8 (Gw31)"_s,
                u"Verbergen+6 (In31)"_s,
                u"Verführen+10 (pA61)"_s,
                u"Verkleiden+10 (Gs31, In31)"_s,
                u"Degen+6 (St21, Gs21)"_s,
                u"Florett+6 (Gs31)"_s,
            },
            {
                u"Einbrechen+8 (Gs31, In31)"_s,
                u"Fälschen+8 (Gs61)"_s,
                u"Fechten+6 (Gw61)"_s,
                u"Fingerfertigkeit+8 (Gs61)"_s,
            },
        }},
    },
    {
        .name = u"Händler"_s,
        .minimums = {{Values::Code::In, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"6/1"_s},
            {100, 100, u"9/3"_s}
        },
        .income = {
            {1, 1, u"A"_s}, {2, 30, u"B"_s}, {31, 50, u"F"_s}, {51, 80, u"G"_s}, {81, 95, u"H"_s},
            {96, 99, u"I"_s}, {100, 100, u"J"_s}
        },
        .skillColumns = {{
            {
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Geschäftstüchtigkeit+8 (In31)"_s,
                u"Gespann fahren+14 (Gs21)"_s,
                u"Reiten+14 (Gw21)"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Schwimmen+14 (Gw11)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Beredsamkeit+10 (pA61)"_s,
                u"Boot steuern+14 (St21, Gs11)"_s,
                u"Buchführung+6 (In31)"_s,
                u"Konversation+10 (pA61)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
                u"Verbergen+6 (In31)"_s,
                u"Zeichenspr.+10 (In31, Gs21)"_s,
                u"Säbel+6 (St31, Gs11)"_s,
            },
            {
                u"Fälschen+8 (Gs61)"_s,
                u"Kampf zu Pferd+14 (Gw01)"_s,
                u"Mechanik+8 (Gs31, In31)"_s,
                u"Schauspielern+10 (pA61)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
                u"Schrotflinte+6 (Gs01, St31)"_s,
            },
        }},
    },
    {
        .name = u"Ingenieur"_s,
        .minimums = {{Values::Code::In, 61}, {Values::Code::Gs, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"6/1"_s},
            {100, 100, u"9/3"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 99, u"H"_s},
            {100, 100, u"I"_s}
        },
        .skillColumns = {{
            {
                u"Archivwesen+10 (In31)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Maschinenwesen+6 (In61)"_s,
                u"Mechanik+8 (Gs31, In31)"_s,
                u"Radfahren+14 (Gw21)"_s,
                u"Schreiben+9:Latein (In31)"_s,
                u"Sprechen+9:Latein (In31)"_s,
                u"Werfen+6 (Gs21)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Ballon fahren+14 (In11, Gs21)"_s,
                u"Boot steuern+14 (St21, Gs11)"_s,
                u"Chemie+6 (In61)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Naturkunde+6 (In31)"_s,
                u"Sprengmeist.+6 (Gs31, In31)"_s,
            },
            {
                u"Boxen+6 (St31, Gw21)"_s,
                u"Fälschen+8 (Gs61)"_s,
                u"Fingerfertigkeit+8 (Gs61)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
                u"Schrotflinte+6 (Gs01, St31)"_s,
            },
        }},
    },
    {
        .name = u"Journalist"_s,
        .minimums = {{Values::Code::In, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"8/3"_s}, {100, 100, u"10/5"_s}
        },
        .income = {
            {1, 1, u"B"_s}, {2, 30, u"C"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 99, u"G"_s},
            {100, 100, u"H"_s}
        },
        .skillColumns = {{
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Archivwesen+10 (In31)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Konversation+10 (pA31)"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Telegraph.+10 (In31, Gs31)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Beredsamkeit+10 (pA61)"_s,
                u"Beschatten+8 (RW61, pA<81)"_s,
                u"Geschichte+6 (In31)"_s,
                u"Gesetzeskunde+6 (In31)"_s,
                u"Kunstverständnis+10 (In31)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Okkultismus+10 (In21)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
            },
            {
                u"Boxen+6 (St31, Gw21)"_s,
                u"Einbrechen+8 (Gs31, In31)"_s,
                u"Suchen+6 (In21, Gs21)"_s,
                u"Tarnen+8 (Gw31)"_s,
                u"Verhören+10 (pA31)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
        }},
    },
    {
        .name = u"Kirchenmann"_s,
        .minimums = {{Values::Code::In, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 0,
        .fame = {
            {1, 1, u"1/0"_s}, {2, 50, u"2/0"_s}, {51, 95, u"3/0"_s}, {96, 99, u"5/0"_s}, {100, 100, u"8/0"_s}
        },
        .income = {
            {1, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 100, u"G"_s}
        },
        .skillColumns = {{
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Archivwesen+10 (In31)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Konversation+10 (pA31)"_s,
                u"Kunstverständnis+10 (pA31)"_s,
                u"Schreiben+9 (In31)"_s,
                u"Sprechen+9 (In31)"_s,
                u"Degen+6 (St21, Gs21)"_s,
                u"Florett+6 (Gs31)"_s,
            },
            {
                u"Beredsamkeit+10 (pA61)"_s,
                u"Erste Hilfe+8 (Gs31, In31)"_s,
                u"Geschichte+6 (In31)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Okkultismus+10 (In21)"_s,
                u"Schreiben+14 (In61)"_s,
                u"Sprechen+14 (In61)"_s,
                u"Verhören+10 (pA31)"_s,
                u"Zeichenspr.+10 (In31, Gs21)"_s,
            },
            {
                u"Boxen+6 (St31, Gw21)"_s,
                u"Gesetzeskunde+6 (In31)"_s,
                u"Hypnose+6 (pA61)"_s,
                u"Linguistik+6 (In61)"_s,
                u"Pharmakologie+6 (In61)"_s,
                u"Schrotflinte+6 (Gs01, St31)"_s,
            },
        }},
    },
    {
        .name = u"Kriminalist"_s,
        .minimums = {{Values::Code::In, 31}, {Values::Code::Gs, 31}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"7/1"_s}, {100, 100, u"10/2"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 80, u"F"_s}, {81, 99, u"G"_s},
            {100, 100, u"H"_s}
        },
        .skillColumns = {{
            {
                u"Archivwesen+10 (In31)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Spurensuche+6 (In31)"_s,
                u"Suchen+6 (In21, Gs21)"_s,
                u"Verhören+10 (pA31)"_s,
                u"Florett+6 (Gs31)"_s,
                u"Keule+6 (St01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Beschatten+8 (RW61, pA<81)"_s,
                u"Boxen+6 (St31, Gw21)"_s,
                u"Buchführung+6 (In31)"_s,
                u"Gerichtsmed.+6 (In61, Gs31)"_s,
                u"Gesetzeskunde+6 (In31)"_s,
                u"Schleichen+8 (Gw61)"_s,
                u"Verkleiden+10 (Gs31, In31)"_s,
                u"waffenl.Kampf+6 (Gw21,St21)"_s,
            },
            {
                u"Chemie+6 (In61)"_s,
                u"Einbrechen+8 (Gs31, In31)"_s,
                u"Kryptografie+6 (In61)"_s,
                u"Scharfschießen+6 (Gs61)"_s,
            },
        }},
    },
    {
        .name = u"Künstler"_s,
        .minimums = {{Values::Code::pA, 61}},
        .enduranceAdjustment = -3,
        .selfControlPenalty = 50,
        .fame = {
            {1, 1, u"1/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
            {96, 99, u"10/5"_s}, {100, 100, u"13/8"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 80, u"E"_s}, {81, 95, u"F"_s}, {96, 99, u"H"_s},
            {100, 100, u"I"_s}
        },
        .skillColumns = {{
            {
                u"Allgemeinbildung+10 (In21)"_s,
                u"Konversation+10 (pA31)"_s,
                u"Kunstverständnis+10 (In31)"_s,
                u"Musizieren+8 (Gs31)"_s,
                u"Schauspielern+10 (pA61)"_s,
                u"Tanzen+14 (Gw21)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
                u"Wurfmesser+6 (Gs61)"_s,
            },
            {
                u"Balancieren+8 (Gw61)"_s,
                u"Beredsamkeit+10 (pA61)"_s,
                u"Geschichte+6 (In31)"_s,
                u"Menschenkenntnis+10 (In31)"_s,
                u"Springen+14 (St31)"_s,
                u"Verführen+10 (pA61)"_s,
                u"Verkleiden+10 (Gs31, In31)"_s,
                u"Werfen+6 (Gs21)"_s,
                u"Degen+6 (St21, Gs21)"_s,
                u"Florett+6 (Gs31)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
            {
                u"Fechten+6 (Gw61)"_s,
                u"Fingerfertigkeit+8 (Gs61)"_s,
                u"Scharfschießen+6 (Gs61)"_s,
            },
        }},
    },
    {
        .name = u"Naturforscher"_s,
        .minimums = {{Values::Code::In, 61}},
        .enduranceAdjustment = 3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"6/1"_s},
            {100, 100, u"9/3"_s}
        },
        .income = {
            {1, 1, u"C"_s}, {2, 30, u"E"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 100, u"H"_s}
        },
        .skillColumns = {{
            {
                u"Archivwesen+10 (In31)"_s,
                u"Fotografieren+10 (Gs11)"_s,
                u"Klettern+14 (St31, Gw61)"_s,
                u"Naturkunde+6 (In31)"_s,
                u"Reiten+14 (Gw21)"_s,
                u"Schreiben+9:Latein (In31)"_s,
                u"Sprechen+9:Latein (In31)"_s,
                u"Schwimmen+14 (Gw11)"_s,
                u"Dolch+6 (Gs01)"_s,
            },
            {
                u"Chemie+6 (In61)"_s,
                u"Pflanzenkunde+6 (In61)"_s,
                u"Spurensuche+6 (In31)"_s,
                u"Tierkunde+6 (In61)"_s,
                u"Überleben+10 (In21)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
            {
                u"Bergsteigen+14 (Gw61, In31)"_s,
                u"Fingerfertigkeit+8 (Gs61)"_s,
                u"Gerichtsmed.+6 (In61, Gs31)"_s,
                u"Pharmakologie+6 (In61)"_s,
            },
        }},
    },
    {
        .name = u"Soldat"_s,
        .minimums = {{Values::Code::Gs, 31}, {Values::Code::Gw, 31}},
        .enduranceAdjustment = 3,
        .selfControlPenalty = 30,
        .fame = {
            {1, 1, u"1/2"_s}, {2, 30, u"1/1"_s}, {31, 80, u"2/1"_s}, {81, 95, u"3/1"_s}, {96, 99, u"7/1"_s},
            {100, 100, u"12/5"_s}
        },
        .income = {
            {1, 1, u"A"_s}, {2, 30, u"B"_s}, {31, 50, u"E"_s}, {51, 80, u"F"_s}, {81, 95, u"G"_s},
            {96, 99, u"H"_s}, {100, 100, u"I"_s}
        },
        .skillColumns = {{
            {
                u"Erste Hilfe+8 (Gs31, In31)"_s,
                u"Gassenwissen+10 (In21,pA31)"_s,
                u"Gespann fahren+14 (Gs21)"_s,
                u"Reiten+14 (Gw21)"_s,
                u"Schwimmen+14 (Gw11)"_s,
                u"Telegraph.+10 (In31, Gs31)"_s,
                u"Werfen+6 (Gs21)"_s,
                u"Dolch+6 (Gs01)"_s,
                u"Pistole+6 (Gs11)"_s,
            },
            {
                u"Boot steuern+14 (St21, Gs11)"_s,
                u"Kampf zu Pferd+14 (Gw01)"_s,
                u"Kampftaktik+10 (pA61)"_s,
                u"Mechanik+8 (Gs31, In31)"_s,
                u"Schleichen+8 (Gw61)"_s,
                u"Tarnen+8 (Gw31)"_s,
                u"Degen+6 (St21, Gs21)"_s,
                u"Säbel+6 (St31, Gs11)"_s,
                u"Speer+6 (Gs11, St21)"_s,
                u"Gewehr+6 (Gs21, St21)"_s,
            },
            {
                u"Boxen+6 (St31, Gw21)"_s,
                u"Fechten+6 (Gw61)"_s,
                u"Scharfschießen+6 (Gs61)"_s,
                u"Schießen zu Pferd+12 (Gs01)"_s,
                u"Sprengmeist.+6 (Gs31, In31)"_s,
                u"waffenl.Kampf+6 (Gw21,St21)"_s,
                u"Maschineng.+6 (Gs31, St21)"_s,
            },
        }},
    },
    };
    return catalogue;
}

const ClassEntry *findClass(QStringView className)
{
    for (const ClassEntry &entry : classCatalogue()) {
        if (entry.name == className)
            return &entry;
    }
    return nullptr;
}

QStringList classNames()
{
    QStringList names;
    for (const ClassEntry &entry : classCatalogue())
        names.append(entry.name);
    return names;
}

QString lookUpRoll(const std::vector<RollRange> &table, int roll)
{
    for (const RollRange &range : table) {
        if (roll >= range.low && roll <= range.high)
            return range.result;
    }
    return QString();
}

void writeClassSkills(SkillList &rows, const ClassEntry &entry)
{
    for (SkillRow &row : rows)
        row.visible = false;
    for (int column = 0; column < classSkillColumns; ++column) {
        const QStringList &lines = entry.skillColumns[column];
        for (int position = 0; position < lines.size() && position < classSkillRowsPerColumn; ++position) {
            SkillRow &row = rows.at(column * classSkillRowsPerColumn + position);
            // A learnt language keeps its count: what was paid must come back.
            if (!row.learnt || withoutMultiplicityPrefix(row.caption) != lines[position])
                row.caption = lines[position];
            row.visible = true;
        }
    }
}

} // namespace Tarvosk
