#include "export/docxlayout.h"

namespace Tarvosk::DocxLayout {

namespace {

using Source = Cell::Source;

constexpr double rowHeight = 0.5;

Cell caption(int index, int span = 1)
{
    return {Source::Caption, index, span};
}

Cell value(int index, int span = 1)
{
    return {Source::Value, index, span};
}

Cell empty(int span = 1)
{
    return {Source::Nothing, -1, span};
}

Box title()
{
    Box box{0.5, 0.5, 20, 1, {}, 2, 0, true, {}};
    box.rows = {{caption(0), {Source::Caption, 1, 1, true}}};
    return box;
}

Box personalData()
{
    Box box{0.5, 1.6, 20, 4.3, {3.6, 6.4, 3.6, 6.4}, 4, rowHeight, false, {}};
    for (int r = 0; r < 6; ++r)
        box.rows.append({caption(2 + r), value(r), caption(8 + r), value(6 + r)});
    // "Besonderes" and "Adresse" take the rest of their row.
    box.rows.append({caption(14), value(12, 3)});
    box.rows.append({caption(15), value(13, 3)});
    return box;
}

Box attributes()
{
    Box box{0.5, 6, 20, 1.3, {}, 14, rowHeight, false, {}};
    // St Ge Gw Ko In mT | Au pA Sb Wk Rw B | Sch Hgw; the values stand in column order.
    const int heads[] = {21, 20, 19, 18, 17, 16, 27, 26, 25, 24, 23, 22, 28, 29};
    QList<Cell> headRow, valueRow;
    for (int c = 0; c < 14; ++c) {
        headRow.append(caption(heads[c]));
        valueRow.append(value(14 + c));
    }
    box.rows = {headRow, valueRow};
    return box;
}

Box senses()
{
    Box box{0.5, 7.3, 20, 1.3, {5.6, 1.1, 5.5, 1.1, 5.6, 1.1}, 6, rowHeight, false, {}};
    box.rows = {{caption(92), value(28), caption(93), value(30), caption(94), value(32)},
                {caption(95), value(29), caption(80), value(31), caption(79), value(33)}};
    return box;
}

Box points()
{
    Box box{0.5, 8.6, 20, 1.9, {2.4}, 17, rowHeight, false, {}};
    for (int c = 1; c < 17; ++c)
        box.columnWidths.append(1.1);
    for (int r = 0; r < 3; ++r) {
        QList<Cell> row{caption(30 + r), value(34 + r)};
        if (r == 2) {
            row.append(empty(15));
        } else {
            for (int c = 2; c < 17; ++c)
                row.append(empty());
        }
        box.rows.append(row);
    }
    return box;
}

Box skills()
{
    Box box{0.5, 10.5, 13.6, 12, {3.9, 1.4, 1.4, 3.9, 1.4, 1.4}, 6, rowHeight, false, {}};
    for (int r = 1; r <= 23; ++r) {
        box.rows.append({caption(32 + r), value(35 + 2 * r), value(36 + 2 * r),
                         caption(55 + r), value(81 + 2 * r), value(82 + 2 * r)});
    }
    return box;
}

Box equipment()
{
    Box box{14.3, 10.5, 6.2, 16, {6.2}, 1, rowHeight, false, {}};
    box.rows.append({caption(84)});
    // The 29 lines; the overflow line behind them is never exported.
    for (int line = 0; line < 29; ++line)
        box.rows.append({{Source::EquipmentLine, line}});
    return box;
}

Box weapons()
{
    Box box{0.5, 22.7, 13.5, 4.8, {2.5, 1.4, 1.4, 1.4, 2.5, 1.4, 1.4, 1.4}, 8, rowHeight, false, {}};
    // Fertigkeit EW Schaden PP, twice.
    box.rows.append({caption(83), caption(82), caption(90), caption(81),
                     caption(89), caption(87), caption(88), caption(91)});
    for (int k = 0; k < 8; ++k) {
        QList<Cell> row;
        for (int c = 0; c < 4; ++c)
            row.append(value(129 + 4 * k + c));
        for (int c = 0; c < 4; ++c)
            row.append(value(161 + 4 * k + c));
        box.rows.append(row);
    }
    return box;
}

Box defence()
{
    Box box{14.3, 26.3, 6.2, 1.2, {3.4, 1.4, 1.4}, 3, rowHeight, false, {}};
    box.rows = {{caption(85), value(193), value(194)},
                {caption(86), value(195), value(196)}};
    return box;
}

} // namespace

const std::array<Box, boxCount> &boxes()
{
    static const std::array<Box, boxCount> all{
        title(), personalData(), attributes(), senses(), points(), skills(), equipment(), weapons(), defence(),
    };
    return all;
}

} // namespace Tarvosk::DocxLayout
