#include "sheet/sheetlayout.h"

#include "sheet/charactersheet.h"

#include <algorithm>

namespace Tarvosk::SheetLayout {

namespace {

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment R = Qt::AlignRight;

// A run of cells: `count` labels from index `first` in steps of `step`, each
// placed `dx`, `dy` pixels after the one before. Lefts, tops and the widths the
// table of labels gives are its twips / 15; a cell without a given width ends
// four pixels before the next label of its row, or the frame, where the ruling
// line between them stands. A row is 16 pixels: 15 for the text, one for the
// ruling line below; heads above a heavy line get 14.
struct CellRun
{
    int first;
    int count;
    int step;
    int left, top, width, height;
    int dx, dy;
    Qt::Alignment alignment = L;
};

constexpr CellRun captionRuns[] = {
    // The character's name and class, the title line above the frames: the
    // class ends 8 pixels from the page's right edge. The name stops short of
    // the class's left, which the table lets it overlap by 3 pixels.
    {0, 1, 1, 8, 8, 339, 27, 0, 0},
    {1, 1, 1, 347, 8, 230, 27, 0, 0, R},
    // personal data
    {2, 6, 1, 16, 40, 89, 15, 0, 16},
    {8, 6, 1, 296, 40, 89, 15, 0, 16},
    {14, 2, 1, 16, 136, 89, 15, 0, 16},
    // attribute heads by column: St Ge Gw Ko In mT | Au pA Sb Wk Rw B | Sch Hgw
    {21, 6, -1, 16, 176, 36, 15, 40, 0},
    {27, 6, -1, 256, 176, 36, 15, 40, 0},
    {28, 2, 1, 496, 176, 36, 15, 40, 0},
    // senses: Sehen, Hören, Riechen over Schmecken, Tasten, Sechster Sinn
    {92, 1, 1, 16, 216, 148, 15, 0, 0},
    {95, 1, 1, 16, 232, 148, 15, 0, 0},
    {93, 1, 1, 200, 216, 164, 15, 0, 0},
    {80, 1, 1, 200, 232, 164, 15, 0, 0},
    {94, 1, 1, 400, 216, 148, 15, 0, 0},
    {79, 1, 1, 400, 232, 148, 15, 0, 0},
    // LP, AP, EP
    {30, 3, 1, 16, 256, 52, 15, 0, 16},
    // skills: the general ones, then the rows for further skills
    {33, 23, 1, 16, 312, 105, 15, 0, 16},
    {56, 23, 1, 208, 312, 105, 15, 0, 16},
    // equipment head
    {84, 1, 1, 408, 312, 89, 14, 0, 0},
    // weapon table heads: Fertigkeit EW Schaden PP, left half then right half
    {83, 1, 1, 16, 688, 65, 14, 0, 0},
    {82, 1, 1, 88, 688, 36, 14, 0, 0},
    {90, 1, 1, 128, 688, 36, 14, 0, 0},
    {81, 1, 1, 168, 688, 32, 14, 0, 0},
    {89, 1, 1, 208, 688, 65, 14, 0, 0},
    {87, 1, 1, 280, 688, 36, 14, 0, 0},
    {88, 1, 1, 320, 688, 36, 14, 0, 0},
    {91, 1, 1, 360, 688, 31, 14, 0, 0},
    // defence
    {85, 2, 1, 408, 800, 92, 15, 0, 16},
};

constexpr CellRun valueRuns[] = {
    // personal data
    {0, 6, 1, 120, 40, 161, 15, 0, 16},
    {6, 6, 1, 400, 40, 161, 15, 0, 16},
    {12, 2, 1, 120, 136, 449, 15, 0, 16},
    // attributes under their heads, in column order
    {14, 14, 1, 16, 192, 36, 15, 40, 0},
    // senses: Sehen, Schmecken | Hören, Tasten | Riechen, Sechster Sinn
    {28, 2, 1, 168, 216, 28, 15, 0, 16},
    {30, 2, 1, 368, 216, 28, 15, 0, 16},
    {32, 2, 1, 552, 216, 20, 15, 0, 16},
    // LP, AP, EP
    {34, 3, 1, 72, 256, 52, 15, 0, 16},
    // two values per skill row
    {37, 23, 2, 128, 312, 33, 15, 0, 16},
    {38, 23, 2, 168, 312, 25, 15, 0, 16},
    {83, 23, 2, 320, 312, 36, 15, 0, 16},
    {84, 23, 2, 360, 312, 31, 15, 0, 16},
    // weapon rows: Fertigkeit EW Schaden PP, left half then right half
    {129, 8, 4, 16, 704, 68, 15, 0, 16},
    {130, 8, 4, 88, 704, 36, 15, 0, 16},
    {131, 8, 4, 128, 704, 36, 15, 0, 16},
    {132, 8, 4, 168, 704, 32, 15, 0, 16},
    {161, 8, 4, 208, 704, 68, 15, 0, 16},
    {162, 8, 4, 280, 704, 36, 15, 0, 16},
    {163, 8, 4, 320, 704, 36, 15, 0, 16},
    {164, 8, 4, 360, 704, 31, 15, 0, 16},
    // Abwehr, Ausweichen: two values each
    {193, 2, 2, 504, 800, 36, 15, 0, 16},
    {194, 2, 2, 544, 800, 28, 15, 0, 16},
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

// A vertical line stands 4 pixels before the label it sets apart.
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
    {52, 176, 52, 207, 13, 40, 0, 1},
    // senses: the rows, the three groups, caption and value
    {10, 231, 573, 231, 1, 0, 0, 1},
    {196, 216, 196, 247, 2, 200, 0, 2},
    {164, 216, 164, 247, 1, 0, 0, 1},
    {364, 216, 364, 247, 1, 0, 0, 1},
    {548, 216, 548, 247, 1, 0, 0, 1},
    // LP, AP, EP
    {10, 271, 573, 271, 2, 0, 16, 1},
    {68, 256, 68, 303, 1, 0, 0, 1},
    {128, 256, 128, 303, 1, 0, 0, 1},
    // skills: the rows, then caption | value | value in both columns
    {10, 327, 392, 327, 22, 0, 16, 1},
    {124, 312, 124, 679, 1, 0, 0, 1},
    {164, 312, 164, 679, 1, 0, 0, 1},
    {200, 312, 200, 679, 1, 0, 0, 2},
    {316, 312, 316, 679, 1, 0, 0, 1},
    {356, 312, 356, 679, 1, 0, 0, 1},
    // equipment: under the head, then one line under each band of the pane
    {401, 326, 573, 326, 1, 0, 0, 2},
    {401, 344, 573, 344, 28, 0, 16, 1},
    // weapons: under the heads, the rows, the columns of both halves
    {10, 702, 392, 702, 1, 0, 0, 2},
    {10, 719, 199, 719, 7, 0, 16, 1},
    {202, 719, 392, 719, 7, 0, 16, 1},
    {84, 688, 84, 831, 1, 0, 0, 1},
    {124, 688, 124, 831, 1, 0, 0, 1},
    {164, 688, 164, 831, 1, 0, 0, 1},
    {200, 688, 200, 831, 1, 0, 0, 2},
    {276, 688, 276, 831, 1, 0, 0, 1},
    {316, 688, 316, 831, 1, 0, 0, 1},
    {356, 688, 356, 831, 1, 0, 0, 1},
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

QPoint printedEquipmentText(int line)
{
    const QRect frame = frameTable[equipmentFrame];
    return QPoint(frame.left() + 8, frame.top() + 20 + equipmentLineHeight * line);
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
