#include "sheet/sheetlayout.h"

#include "sheet/charactersheet.h"

#include <algorithm>

namespace Tarvosk::SheetLayout {

namespace {

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment C = Qt::AlignHCenter;
constexpr Qt::Alignment R = Qt::AlignRight;

// A run of cells: `count` labels from index `first` in steps of `step`, each
// placed `dx`, `dy` pixels after the one before. A row is 16 pixels: 15 for
// the text, one for the ruling line below; heads above a heavy line get 14.
struct CellRun
{
    int first;
    int count;
    int step;
    int left, top, width, height;
    int dx, dy;
    Qt::Alignment alignment;
};

constexpr CellRun captionRuns[] = {
    // the character's name and class, the title line above the frames
    {0, 1, 1, 8, 8, 336, 27, 0, 0, L},
    {1, 1, 1, 347, 8, 230, 27, 0, 0, R},
    // personal data
    {2, 6, 1, 16, 40, 96, 15, 0, 16, L},
    {8, 6, 1, 296, 40, 96, 15, 0, 16, L},
    {14, 2, 1, 16, 136, 96, 15, 0, 16, L},
    // attribute heads by column: St Ge Gw Ko In mT | Au pA Sb Wk Rw B | Sch Hgw
    {21, 6, -1, 16, 176, 36, 15, 40, 0, C},
    {27, 6, -1, 256, 176, 36, 15, 40, 0, C},
    {28, 2, 1, 496, 176, 36, 15, 40, 0, C},
    // senses
    {92, 1, 1, 16, 216, 152, 15, 0, 0, L},
    {95, 1, 1, 16, 232, 152, 15, 0, 0, L},
    {93, 1, 1, 200, 216, 160, 15, 0, 0, L},
    {80, 1, 1, 200, 232, 160, 15, 0, 0, L},
    {94, 1, 1, 400, 216, 144, 15, 0, 0, L},
    {79, 1, 1, 400, 232, 144, 15, 0, 0, L},
    // LP, AP, EP
    {30, 3, 1, 16, 256, 48, 15, 0, 16, L},
    // skills: the general ones, then the rows for further skills
    {33, 23, 1, 16, 312, 109, 15, 0, 16, L},
    {56, 23, 1, 208, 312, 109, 15, 0, 16, L},
    // equipment head
    {84, 1, 1, 408, 312, 160, 14, 0, 0, L},
    // weapon table heads: Fertigkeit EW Schaden PP, left half then right half
    {83, 1, 1, 16, 688, 82, 14, 0, 0, L},
    {82, 1, 1, 103, 688, 23, 14, 0, 0, C},
    {90, 1, 1, 131, 688, 39, 14, 0, 0, C},
    {81, 1, 1, 175, 688, 19, 14, 0, 0, C},
    {89, 1, 1, 208, 688, 82, 14, 0, 0, L},
    {87, 1, 1, 295, 688, 23, 14, 0, 0, C},
    {88, 1, 1, 323, 688, 39, 14, 0, 0, C},
    {91, 1, 1, 367, 688, 23, 14, 0, 0, C},
    // defence
    {85, 2, 1, 408, 800, 88, 15, 0, 16, L},
};

constexpr CellRun valueRuns[] = {
    // personal data
    {0, 6, 1, 120, 40, 161, 15, 0, 16, L},
    {6, 6, 1, 400, 40, 172, 15, 0, 16, L},
    {12, 2, 1, 120, 136, 452, 15, 0, 16, L},
    // attributes, in column order
    {14, 14, 1, 16, 192, 36, 15, 40, 0, C},
    // senses: Sehen, Schmecken | Hören, Tasten | Riechen, Sechster Sinn
    {28, 2, 1, 175, 216, 19, 15, 0, 16, C},
    {30, 2, 1, 367, 216, 27, 15, 0, 16, C},
    {32, 2, 1, 551, 216, 22, 15, 0, 16, C},
    // LP, AP, EP
    {34, 3, 1, 71, 256, 55, 15, 0, 16, C},
    // two values per skill row
    {37, 23, 2, 131, 312, 39, 15, 0, 16, R},
    {38, 23, 2, 175, 312, 19, 15, 0, 16, C},
    {83, 23, 2, 323, 312, 39, 15, 0, 16, R},
    {84, 23, 2, 367, 312, 23, 15, 0, 16, C},
    // weapon rows: Fertigkeit EW Schaden PP, left half then right half
    {129, 8, 4, 16, 704, 82, 15, 0, 16, L},
    {130, 8, 4, 103, 704, 23, 15, 0, 16, C},
    {131, 8, 4, 131, 704, 39, 15, 0, 16, C},
    {132, 8, 4, 175, 704, 19, 15, 0, 16, C},
    {161, 8, 4, 208, 704, 82, 15, 0, 16, L},
    {162, 8, 4, 295, 704, 23, 15, 0, 16, C},
    {163, 8, 4, 323, 704, 39, 15, 0, 16, C},
    {164, 8, 4, 367, 704, 23, 15, 0, 16, C},
    // Abwehr, Ausweichen: two values each
    {193, 2, 2, 503, 800, 35, 15, 0, 16, C},
    {194, 2, 2, 543, 800, 30, 15, 0, 16, C},
};

struct Cell
{
    QRect rect;
    Qt::Alignment alignment;
};

template<size_t N, size_t RunCount>
constexpr std::array<Cell, N> expand(const CellRun (&runs)[RunCount])
{
    std::array<Cell, N> cells{};
    for (const CellRun &run : runs) {
        for (int k = 0; k < run.count; ++k) {
            const int index = run.first + k * run.step;
            cells[size_t(index)] = {QRect(run.left + k * run.dx, run.top + k * run.dy, run.width, run.height),
                                    run.alignment};
        }
    }
    return cells;
}

// Each index is placed by exactly one run.
template<size_t N, size_t RunCount>
constexpr bool placesEachOnce(const CellRun (&runs)[RunCount])
{
    std::array<int, N> placed{};
    for (const CellRun &run : runs) {
        for (int k = 0; k < run.count; ++k) {
            const int index = run.first + k * run.step;
            if (index < 0 || index >= int(N))
                return false;
            ++placed[size_t(index)];
        }
    }
    return std::all_of(placed.begin(), placed.end(), [](int n) { return n == 1; });
}

static_assert(placesEachOnce<CharacterSheet::captionCount>(captionRuns));
static_assert(placesEachOnce<CharacterSheet::valueCount>(valueRuns));

constexpr auto captionCells = expand<CharacterSheet::captionCount>(captionRuns);
constexpr auto valueCells = expand<CharacterSheet::valueCount>(valueRuns);

constexpr QRect pane{401, 328, 173, 462};

// Frames stand 4 pixels apart: the full-width blocks on top, below them the
// skills and weapons on the left, the equipment and defence on the right.
constexpr std::array<QRect, frameCount> frameTable{{
    {8, 38, 568, 132},   // personal data
    {8, 174, 568, 36},   // attributes
    {8, 214, 568, 36},   // senses
    {8, 254, 568, 52},   // LP, AP, EP
    {8, 310, 387, 372},  // skills
    {399, 310, 177, 482}, // equipment, around the pane
    {8, 686, 387, 148},  // weapons
    {399, 796, 177, 38}, // defence
}};

// A run of ruling lines: `count` lines from (x1, y1)-(x2, y2), each moved by
// dx, dy from the one before.
struct RuleRun
{
    int x1, y1, x2, y2;
    int count;
    int dx, dy;
    int width;
};

constexpr RuleRun ruleRuns[] = {
    // under the title
    {8, 35, 575, 35, 1, 0, 0, 1},
    // personal data: the rows of both halves, the two full rows, the line
    // after the captions, the halves
    {10, 55, 287, 55, 6, 0, 16, 1},
    {289, 55, 573, 55, 6, 0, 16, 1},
    {10, 151, 573, 151, 1, 0, 0, 1},
    {116, 40, 116, 167, 1, 0, 0, 1},
    {288, 40, 288, 135, 1, 0, 0, 1},
    {396, 40, 396, 135, 1, 0, 0, 1},
    // attributes: heads over values, the columns
    {10, 191, 573, 191, 1, 0, 0, 1},
    {54, 176, 54, 207, 13, 40, 0, 1},
    // senses: the rows, the three groups, caption and value
    {10, 231, 573, 231, 1, 0, 0, 1},
    {196, 216, 196, 247, 2, 200, 0, 2},
    {172, 216, 172, 247, 1, 0, 0, 1},
    {364, 216, 364, 247, 1, 0, 0, 1},
    {548, 216, 548, 247, 1, 0, 0, 1},
    // LP, AP, EP
    {10, 271, 573, 271, 2, 0, 16, 1},
    {68, 256, 68, 303, 1, 0, 0, 1},
    {128, 256, 128, 303, 1, 0, 0, 1},
    // skills: the rows, then caption | value | value in both columns
    {10, 327, 392, 327, 22, 0, 16, 1},
    {128, 312, 128, 679, 1, 0, 0, 1},
    {172, 312, 172, 679, 1, 0, 0, 1},
    {196, 312, 196, 679, 1, 0, 0, 2},
    {320, 312, 320, 679, 1, 0, 0, 1},
    {364, 312, 364, 679, 1, 0, 0, 1},
    // equipment: under the head, then one line under each band of the pane
    {401, 326, 573, 326, 1, 0, 0, 2},
    {401, 344, 573, 344, 28, 0, 16, 1},
    // weapons: under the heads, the rows, the columns of both halves
    {10, 702, 392, 702, 1, 0, 0, 2},
    {10, 719, 195, 719, 7, 0, 16, 1},
    {198, 719, 392, 719, 7, 0, 16, 1},
    {100, 688, 100, 831, 1, 0, 0, 1},
    {128, 688, 128, 831, 1, 0, 0, 1},
    {172, 688, 172, 831, 1, 0, 0, 1},
    {196, 688, 196, 831, 1, 0, 0, 2},
    {292, 688, 292, 831, 1, 0, 0, 1},
    {320, 688, 320, 831, 1, 0, 0, 1},
    {364, 688, 364, 831, 1, 0, 0, 1},
    // defence
    {401, 815, 573, 815, 1, 0, 0, 1},
    {500, 798, 500, 831, 1, 0, 0, 1},
    {540, 798, 540, 831, 1, 0, 0, 1},
};

constexpr int ruleRunTotal()
{
    int total = 0;
    for (const RuleRun &run : ruleRuns)
        total += run.count;
    return total;
}
static_assert(ruleRunTotal() == ruleCount);

constexpr std::array<Rule, ruleCount> expandRules()
{
    std::array<Rule, ruleCount> rules{};
    size_t next = 0;
    for (const RuleRun &run : ruleRuns) {
        for (int k = 0; k < run.count; ++k) {
            const QPoint shift(k * run.dx, k * run.dy);
            rules[next++] = {QLine(QPoint(run.x1, run.y1) + shift, QPoint(run.x2, run.y2) + shift), run.width};
        }
    }
    return rules;
}

constexpr auto ruleTable = expandRules();

template<size_t N>
const Cell *cellAt(const std::array<Cell, N> &cells, int index)
{
    if (index < 0 || index >= int(N))
        return nullptr;
    return &cells[size_t(index)];
}

template<size_t N>
int indexAt(const std::array<Cell, N> &cells, QPoint point)
{
    const auto found = std::find_if(cells.begin(), cells.end(),
                                    [point](const Cell &cell) { return cell.rect.contains(point); });
    return found == cells.end() ? -1 : int(found - cells.begin());
}

} // namespace

QRect captionRect(int index)
{
    const Cell *cell = cellAt(captionCells, index);
    return cell ? cell->rect : QRect();
}

QRect valueRect(int index)
{
    const Cell *cell = cellAt(valueCells, index);
    return cell ? cell->rect : QRect();
}

Qt::Alignment captionAlignment(int index)
{
    const Cell *cell = cellAt(captionCells, index);
    return cell ? cell->alignment : L;
}

Qt::Alignment valueAlignment(int index)
{
    const Cell *cell = cellAt(valueCells, index);
    return cell ? cell->alignment : L;
}

QRect equipmentPane()
{
    return pane;
}

QRect equipmentLineRect(int line)
{
    if (line < 0 || line >= CharacterSheet::equipmentLineCount)
        return {};
    return QRect(pane.left(), pane.top() + equipmentLineHeight * line + 1, pane.width(), equipmentLineHeight - 1);
}

int equipmentLineAt(int paneY)
{
    return std::max(paneY, 0) / equipmentLineHeight;
}

const std::array<QRect, frameCount> &frames()
{
    return frameTable;
}

const std::array<Rule, ruleCount> &rules()
{
    return ruleTable;
}

Hit labelAt(QPoint point)
{
    if (pane.contains(point))
        return {Hit::Kind::EquipmentLine, equipmentLineAt(point.y() - pane.top())};
    if (const int value = indexAt(valueCells, point); value >= 0)
        return {Hit::Kind::Value, value};
    if (const int caption = indexAt(captionCells, point); caption >= 0)
        return {Hit::Kind::Caption, caption};
    return {};
}

} // namespace Tarvosk::SheetLayout
