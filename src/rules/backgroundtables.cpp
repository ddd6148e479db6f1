#include "rules/backgroundtables.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

const std::vector<BackgroundTable> fameTable = {
    {u"Agent"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"8/3"_s}, {100, 100, u"13/8"_s}}},
    {u"Archäologe"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"8/3"_s}, {100, 100, u"12/5"_s}}},
    {u"Arzt"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 95, u"5/1"_s}, {96, 99, u"8/3"_s},
      {100, 100, u"10/2"_s}}},
    {u"Diplomat"_s,
     {{1, 1, u"1/3"_s}, {2, 30, u"2/3"_s}, {31, 50, u"3/2"_s}, {51, 80, u"4/2"_s}, {81, 95, u"5/1"_s},
      {96, 99, u"8/3"_s}, {100, 100, u"12/5"_s}}},
    {u"Entdecker"_s,
     {{1, 1, u"1/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"8/3"_s}, {100, 100, u"12/5"_s}}},
    {u"Feldforscher"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"7/1"_s},
      {100, 100, u"10/2"_s}}},
    {u"Glücksritter"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"9/3"_s}, {100, 100, u"13/8"_s}}},
    {u"Händler"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"6/1"_s},
      {100, 100, u"9/3"_s}}},
    {u"Ingenieur"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"6/1"_s},
      {100, 100, u"9/3"_s}}},
    {u"Journalist"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"8/3"_s}, {100, 100, u"10/5"_s}}},
    {u"Kirchenmann"_s,
     {{1, 1, u"1/0"_s}, {2, 50, u"2/0"_s}, {51, 95, u"3/0"_s}, {96, 99, u"5/0"_s}, {100, 100, u"8/0"_s}}},
    {u"Kriminalist"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"7/1"_s}, {100, 100, u"10/2"_s}}},
    {u"Künstler"_s,
     {{1, 1, u"1/3"_s}, {2, 30, u"3/2"_s}, {31, 50, u"4/2"_s}, {51, 80, u"5/1"_s}, {81, 95, u"6/1"_s},
      {96, 99, u"10/5"_s}, {100, 100, u"13/8"_s}}},
    {u"Naturforscher"_s,
     {{1, 1, u"2/3"_s}, {2, 30, u"3/2"_s}, {31, 80, u"4/2"_s}, {81, 95, u"5/1"_s}, {96, 99, u"6/1"_s},
      {100, 100, u"9/3"_s}}},
    {u"Soldat"_s,
     {{1, 1, u"1/2"_s}, {2, 30, u"1/1"_s}, {31, 80, u"2/1"_s}, {81, 95, u"3/1"_s}, {96, 99, u"7/1"_s},
      {100, 100, u"12/5"_s}}},
};

const std::vector<BackgroundTable> incomeTable = {
    {u"Agent"_s,
     {{1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 99, u"G"_s},
      {100, 100, u"H"_s}}},
    {u"Archäologe"_s,
     {{1, 1, u"C"_s}, {2, 30, u"E"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 100, u"H"_s}}},
    {u"Arzt"_s,
     {{1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 99, u"H"_s},
      {100, 100, u"I"_s}}},
    {u"Diplomat"_s,
     {{1, 30, u"B"_s}, {31, 50, u"F"_s}, {51, 80, u"G"_s}, {81, 95, u"H"_s}, {96, 99, u"I"_s},
      {100, 100, u"J"_s}}},
    {u"Entdecker"_s,
     {{1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 99, u"G"_s},
      {100, 100, u"H"_s}}},
    {u"Feldforscher"_s,
     {{1, 1, u"C"_s}, {2, 30, u"E"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 99, u"H"_s},
      {100, 100, u"I"_s}}},
    {u"Glücksritter"_s,
     {{1, 1, u"B"_s}, {2, 30, u"C"_s}, {31, 50, u"D"_s}, {51, 80, u"F"_s}, {81, 95, u"H"_s},
      {96, 99, u"I"_s}, {100, 100, u"J"_s}}},
    {u"Händler"_s,
     {{1, 1, u"A"_s}, {2, 30, u"B"_s}, {31, 50, u"F"_s}, {51, 80, u"G"_s}, {81, 95, u"H"_s},
      {96, 99, u"I"_s}, {100, 100, u"J"_s}}},
    {u"Ingenieur"_s,
     {{1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 99, u"H"_s},
      {100, 100, u"I"_s}}},
    {u"Journalist"_s,
     {{1, 1, u"B"_s}, {2, 30, u"C"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 99, u"G"_s},
      {100, 100, u"H"_s}}},
    {u"Kirchenmann"_s, {{1, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 95, u"F"_s}, {96, 100, u"G"_s}}},
    {u"Kriminalist"_s,
     {{1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 50, u"E"_s}, {51, 80, u"F"_s}, {81, 99, u"G"_s},
      {100, 100, u"H"_s}}},
    {u"Künstler"_s,
     {{1, 1, u"C"_s}, {2, 30, u"D"_s}, {31, 80, u"E"_s}, {81, 95, u"F"_s}, {96, 99, u"H"_s},
      {100, 100, u"I"_s}}},
    {u"Naturforscher"_s,
     {{1, 1, u"C"_s}, {2, 30, u"E"_s}, {31, 50, u"F"_s}, {51, 95, u"G"_s}, {96, 100, u"H"_s}}},
    {u"Soldat"_s,
     {{1, 1, u"A"_s}, {2, 30, u"B"_s}, {31, 50, u"E"_s}, {51, 80, u"F"_s}, {81, 95, u"G"_s},
      {96, 99, u"H"_s}, {100, 100, u"I"_s}}},
};

} // namespace

const std::vector<BackgroundTable> &fameTables()
{
    return fameTable;
}

const std::vector<BackgroundTable> &incomeTables()
{
    return incomeTable;
}

QString lookUpBackground(const std::vector<BackgroundTable> &tables, const QString &className, int roll)
{
    for (const BackgroundTable &table : tables) {
        if (table.className != className)
            continue;
        for (const RollRange &range : table.ranges) {
            if (roll >= range.low && roll <= range.high)
                return range.result;
        }
    }
    return QString();
}

} // namespace Tarvosk
