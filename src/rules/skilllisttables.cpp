#include "rules/skilllisttables.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

const SkillListTable untypical = {
    u"Untypische Fähigkeiten"_s,
    {
        {1, u"1 Lernpunkt:"_s, {
            u"Sprechen+4 (In01)"_s,
        }},
        {2, u"2 Lernpunkte:"_s, {
            u"Fotografieren+8 (Gs11)"_s,
            u"Musizieren+6 (Gs31)"_s,
            u"Radfahren+12 (Gw21)"_s,
            u"Schreiben+4 (In01)"_s,
        }},
        {3, u"3 Lernpunkte:"_s, {
            u"Balancieren+12 (Gw61)"_s,
            u"Boot steuern+12 (St21, Gs11)"_s,
            u"Klettern+12 (St31, Gs61)"_s,
            u"Konversation+8 (pA31)"_s,
            u"Schauspielern+8 (pA61)"_s,
            u"Schwimmen+12 (Gw11)"_s,
            u"Springen+12 (St31)"_s,
            u"Telegraph.+8 (In31, Gs31)"_s,
            u"Überleben+8 (In21)"_s,
            u"Zeichenspr.+8 (In31, Gs21)"_s,
        }},
        {4, u"4 Lernpunkte:"_s, {
            u"Anthropologie+4 (In61)"_s,
            u"Archäologie+4 (In61)"_s,
            u"Archivwesen+4 (In31)"_s,
            u"Buchführung+4 (In31)"_s,
            u"Erste Hilfe+6 (Gs31, In31)"_s,
            u"Gassenwissen+8 (In21, pA31)"_s,
            u"Gerichtsmed.+4 (In61, Gs31)"_s,
            u"Gesetzeskunde+4 (In31)"_s,
            u"Kryptographie+4 (In61)"_s,
            u"Linguistik+4 (In61)"_s,
            u"Mechanik+6 (Gs31, In31)"_s,
            u"Menschenkenntnis+8 (In31)"_s,
            u"Naturkunde+4 (In31)"_s,
            u"Okkultismus+8 (In21)"_s,
            u"Pflanzenkunde+4 (In61)"_s,
            u"Pharmakologie+4 (In61)"_s,
            u"Schleichen+6 (Gw61)"_s,
            u"Spurensuche+4 (In31)"_s,
            u"Suchen+4 (In21, Gs21)"_s,
            u"Tarnen+6 (Gw31)"_s,
            u"Tierkunde+4 (In61)"_s,
            u"Verbergen+4 (In31)"_s,
            u"Verhören+8 (pA31)"_s,
            u"Werfen+5 (Gs21)"_s,
            u"Keule+5 (St01)"_s,
            u"Säbel+5 (St31, Gs11)"_s,
            u"Speer+5 (Gs11, St21)"_s,
        }},
        {5, u"5 Lernpunkte:"_s, {
            u"Ballon fahren+12 (In11, Gs21)"_s,
            u"Beredsamkeit+6 (pA61)"_s,
            u"Bergsteigen+12 (Gw61, In31)"_s,
            u"Beschatten+6 (Rw61, pA<81)"_s,
            u"Chemie+4 (In61)"_s,
            u"Kampf zu Pferd+12 (Gw01)"_s,
            u"Maschinenwesen+4 (In61)"_s,
            u"Medizin+4 (In61, Gs31)"_s,
            u"Schießen zu Pferd+12 (Gs01)"_s,
            u"Verkleiden+8 (Gs31, In31)"_s,
            u"Degen+5 (St21, Gs21)"_s,
            u"Florett+5 (Gs31)"_s,
            u"Wurfmesser+5 (Gs61)"_s,
            u"Schrotflinte+5 (Gs01, St31)"_s,
        }},
        {6, u"6 Lernpunkte:"_s, {
            u"Boxen+5 (St31, Gw21)"_s,
            u"Einbrechen+4 (Gs31, In31)"_s,
            u"Fechten+5 (Gw61)"_s,
            u"Fingerfertigkeit+6 (Gs61)"_s,
            u"Geschäftstüchtigkeit+4 (In31)"_s,
            u"Kampftaktik+8 (pA61)"_s,
            u"waffenl.Kampf+5 (Gw21,St21)"_s,
            u"Bogen+5 (Gs31, St31)"_s,
            u"Wurfaxt+5 (Gs31, St31)"_s,
            u"Wurfspeer+5 (Gs21, St31)"_s,
            u"Flinte+5 (Gs31, St21)"_s,
            u"Gewehr+5 (Gs21, St21)"_s,
        }},
        {8, u"8 Lernpunkte:"_s, {
            u"Fälschen+6 (Gs61)"_s,
            u"Hypnose+4 (pA61)"_s,
            u"Meucheln+6 (Gs61, St31)"_s,
            u"Scharfschießen+5 (Gs61)"_s,
            u"Sprengmeist.+4 (Gs31, In31)"_s,
            u"Maschineng.+5 (Gs31, St31)"_s,
        }},
    },
};

const SkillListTable male = {
    u"Schulwissen (Männer)"_s,
    {
        {0, u"0 Lernpunkte:"_s, {
            u"Abwehr+12 (Gw01)"_s,
            u"Ausweichen+12 (RW01)"_s,
            u"Muttersprache: Schreiben+14"_s,
            u"Muttersprache: Sprechen+14"_s,
        }},
        {1, u"1 Lernpunkt:"_s, {
            u"Kunstverständnis+8 (In31)"_s,
            u"Reiten+12 (Gw21)"_s,
            u"Schreiben+6 (In01)"_s,
            u"Sprechen+6 (In01)"_s,
            u"Tanzen+12 (Gw21)"_s,
        }},
        {2, u"2 Lernpunkte:"_s, {
            u"Allgemeinbildung+8 (In21)"_s,
            u"Gassenwissen+8 (In21, pA31)"_s,
            u"Geschichte+4 (In31)"_s,
            u"Gespann fahren+12 (Gs21)"_s,
            u"Schreiben+9 (In31)"_s,
            u"Sprechen+9 (In31)"_s,
            u"Spielen+8 (In21)"_s,
            u"Überleben+8 (In21)"_s,
            u"Dolch+5 (Gs01)"_s,
            u"Pistole+5 (Gs11)"_s,
        }},
        {3, u"3 Lernpunkte:"_s, {
            u"Buchführung+4 (In31)"_s,
            u"Mechanik+6 (Gs31, In31)"_s,
            u"Schreiben+14 (In61)"_s,
            u"Sprechen+14 (In61)"_s,
            u"Verführen+8 (pA61)"_s,
            u"Säbel+5 (St31, Gs11)"_s,
            u"Speer+5 (Gs11, St21)"_s,
            u"Gewehr+5 (Gs21, St21)"_s,
        }},
        {4, u"4 Lernpunkte:"_s, {
            u"Degen+5 (St21, Gs21)"_s,
            u"Fechten+5 (Gw61)"_s,
            u"Florett+5 (Gs31)"_s,
            u"Kampftaktik+8 (pA61)"_s,
            u"Kampf zu Pferd+12 (Gw01)"_s,
        }},
    },
};

const SkillListTable female = {
    u"Schulwissen (Frauen)"_s,
    {
        {0, u"0 Lernpunkte:"_s, {
            u"Abwehr+12 (Gw01)"_s,
            u"Ausweichen+12 (RW01)"_s,
            u"Muttersprache: Schreiben+18"_s,
            u"Muttersprache: Sprechen+18"_s,
        }},
        {1, u"1 Lernpunkte:"_s, {
            u"Kunstverständnis+8 (In31)"_s,
            u"Musizieren+6 (Gs31)"_s,
            u"Reiten+12 (Gw21)"_s,
            u"Schreiben+6 (In01)"_s,
            u"Sprechen+6 (In01)"_s,
            u"Tanzen+12 (Gw21)"_s,
        }},
        {2, u"2 Lernpunkte:"_s, {
            u"Allgemeinbildung+8 (In21)"_s,
            u"Erste Hilfe+6 (Gs31, In31)"_s,
            u"Geschichte+4 (In31)"_s,
            u"Gespann fahren+12 (Gs21)"_s,
            u"Konversation+8 (pA31)"_s,
            u"Schauspielern+8 (pA61)"_s,
            u"Schreiben+9 (In31)"_s,
            u"Sprechen+9 (In31)"_s,
            u"Spielen+8 (In21)"_s,
            u"Verführen+8 (pA61)"_s,
            u"Dolch+5 (Gs01)"_s,
            u"Pistole+5 (Gs11)"_s,
        }},
        {3, u"3 Lernpunkte:"_s, {
            u"Beredsamkeit+8 (pA61)"_s,
            u"Menschenkenntnis+8 (In31)"_s,
            u"Okkultismus+8 (In21)"_s,
            u"Schreiben+14 (In61)"_s,
            u"Sprechen+14 (In61)"_s,
            u"Verkleiden+8 (Gs31, In31)"_s,
        }},
    },
};

// Placeholder captions of the class-skill columns; never seen, since a class's lines replace them.
const SkillListTable classColumns = {
    QString(),
    {
        {1, u"1 Lernpunkt:"_s, QStringList(classSkillRowsPerColumn, u"1 Lernpunkt"_s)},
        {2, u"2 Lernpunkte:"_s, QStringList(classSkillRowsPerColumn, u"2 Lernpunkte"_s)},
        {3, u"3 Lernpunkte:"_s, QStringList(classSkillRowsPerColumn, u"3 Lernpunkte"_s)},
    },
};

} // namespace

const SkillListTable &untypicalTable() { return untypical; }
const SkillListTable &schoolMaleTable() { return male; }
const SkillListTable &schoolFemaleTable() { return female; }
const SkillListTable &classSkillColumnsTable() { return classColumns; }

SkillList rowsOf(const SkillListTable &table)
{
    SkillList rows;
    for (const SkillGroup &group : table.groups) {
        for (const QString &line : group.lines)
            rows.push_back(SkillRow{line, group.cost});
    }
    return rows;
}

SkillList untypicalSkills() { return rowsOf(untypical); }
SkillList schoolKnowledgeMale() { return rowsOf(male); }
SkillList schoolKnowledgeFemale() { return rowsOf(female); }

SkillList classSkillPlaceholders()
{
    SkillList rows = rowsOf(classColumns);
    for (SkillRow &row : rows)
        row.visible = false;
    return rows;
}

} // namespace Tarvosk
