#include "wizard/skilllistframe.h"

#include "rules/skilllisttables.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

namespace Tarvosk {

namespace {

struct Cell
{
    bool heading;
    QString text;
};

// Where each heading and row stands: a list of columns, each a list of cells.
std::vector<std::vector<Cell>> arrange(const SkillListTable &table, SkillListFrame::Arrangement arrangement,
                                       int columns)
{
    std::vector<std::vector<Cell>> result;
    if (arrangement == SkillListFrame::Arrangement::GroupPerColumn) {
        for (const SkillGroup &group : table.groups) {
            std::vector<Cell> column{{true, group.heading}};
            for (const QString &line : group.lines)
                column.push_back({false, line});
            result.push_back(std::move(column));
        }
        return result;
    }

    std::vector<Cell> cells;
    for (const SkillGroup &group : table.groups) {
        cells.push_back({true, group.heading});
        for (const QString &line : group.lines)
            cells.push_back({false, line});
    }
    const std::size_t perColumn = (cells.size() + columns - 1) / columns;
    result.emplace_back();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::vector<Cell> &column = result.back();
        // A heading never stands alone at the foot of a column.
        const bool full = column.size() >= perColumn || (cells[i].heading && column.size() + 1 >= perColumn);
        if (full && !column.empty() && int(result.size()) < columns)
            result.emplace_back();
        result.back().push_back(cells[i]);
    }
    return result;
}

} // namespace

SkillListFrame::SkillListFrame(const QString &objectName, const QString &rowPrefix, const QString &headingPrefix,
                               const SkillListTable &table, Arrangement arrangement, int columns, QWidget *parent)
    : QGroupBox(table.frameCaption, parent)
{
    setObjectName(objectName);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);

    int headingIndex = 0;
    const auto layout = arrange(table, arrangement, columns);
    columns = qMax(columns, int(layout.size()));
    for (int c = 0; c < int(layout.size()); ++c) {
        for (int r = 0; r < int(layout[c].size()); ++r) {
            const Cell &cell = layout[c][r];
            auto *label = new QLabel(cell.text, this);
            if (cell.heading) {
                label->setObjectName(QStringLiteral("%1_%2").arg(headingPrefix).arg(headingIndex++));
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            } else {
                label->setObjectName(QStringLiteral("%1_%2").arg(rowPrefix).arg(m_rows.size()));
                label->setCursor(Qt::PointingHandCursor);
                label->installEventFilter(this);
                m_rows.push_back(label);
            }
            // The full cell width, so that a longer caption ("2x ...") is never cut.
            grid->addWidget(label, r, c);
        }
    }
    // Columns share the width evenly, whatever their rows hold at the moment.
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(c, 1);
    grid->setRowStretch(grid->rowCount(), 1);
}

QLabel *SkillListFrame::row(int index) const
{
    return index >= 0 && index < rowCount() ? m_rows[index] : nullptr;
}

int SkillListFrame::rowCount() const
{
    return int(m_rows.size());
}

QColor SkillListFrame::learntColour() const
{
    return palette().color(QPalette::Dark);
}

QColor SkillListFrame::normalColour() const
{
    return palette().color(QPalette::ButtonText);
}

void SkillListFrame::showRows(const SkillList &rows)
{
    for (int i = 0; i < rowCount() && i < int(rows.size()); ++i) {
        QLabel *label = m_rows[i];
        const SkillRow &skill = rows[i];
        label->setText(skill.caption);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, skill.learnt ? learntColour() : normalColour());
        label->setPalette(colours);
        label->setVisible(skill.visible);
    }
}

bool SkillListFrame::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press || event->type() == QEvent::MouseButtonRelease) {
        const auto it = std::find(m_rows.begin(), m_rows.end(), watched);
        // The press is taken too, so that the release comes to the row.
        if (it != m_rows.end() && press)
            return true;
        if (it != m_rows.end()) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            Q_EMIT rowClicked(int(it - m_rows.begin()), mouse->button(), mouse->modifiers());
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace Tarvosk
