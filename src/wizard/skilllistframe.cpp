#include "wizard/skilllistframe.h"

#include "rules/skilllisttables.h"
#include "widgets/readablecolour.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

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
    // Tab, not a click: a click on a row keeps the focus where it was.
    setFocusPolicy(Qt::TabFocus);
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

// Learnt rows take the palette's link colour, a hue apart from the text.
QColor SkillListFrame::learntColour() const
{
    return readableOn(palette().color(QPalette::Link), palette().color(QPalette::Window));
}

QColor SkillListFrame::normalColour() const
{
    return readableOn(palette().color(QPalette::WindowText), palette().color(QPalette::Window));
}

int SkillListFrame::currentRow() const
{
    return m_current;
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
    update();
}

bool SkillListFrame::isShown(int index) const
{
    return index >= 0 && index < rowCount() && !m_rows[index]->isHidden();
}

int SkillListFrame::nextShownRow(int from, int step) const
{
    for (int i = from + step; i >= 0 && i < rowCount(); i += step) {
        if (isShown(i))
            return i;
    }
    return -1;
}

int SkillListFrame::rowBeside(int step) const
{
    if (!isShown(m_current))
        return -1;
    const QRect here = m_rows[m_current]->geometry();
    int best = -1;
    int bestColumnGap = 0;
    int bestRowGap = 0;
    for (int i = 0; i < rowCount(); ++i) {
        const QRect there = m_rows[i]->geometry();
        const int columnGap = (there.left() - here.left()) * step;
        if (!isShown(i) || columnGap <= 0)
            continue;
        const int rowGap = qAbs(there.top() - here.top());
        if (best < 0 || columnGap < bestColumnGap || (columnGap == bestColumnGap && rowGap < bestRowGap)) {
            best = i;
            bestColumnGap = columnGap;
            bestRowGap = rowGap;
        }
    }
    return best;
}

void SkillListFrame::setCurrentRow(int index)
{
    // -1: no row that way; the current one stays.
    if (index < 0 || index == m_current)
        return;
    m_current = index;
    update();
}

// A group box takes Space for its check box, which a list has not: it is the list's.
bool SkillListFrame::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select) {
            if (event->type() == QEvent::KeyPress)
                keyPressEvent(key);
            return true;
        }
    }
    return QGroupBox::event(event);
}

void SkillListFrame::keyPressEvent(QKeyEvent *event)
{
    const bool shown = isShown(m_current);
    switch (event->key()) {
    case Qt::Key_Up: setCurrentRow(nextShownRow(m_current, -1)); break;
    case Qt::Key_Down: setCurrentRow(nextShownRow(m_current, 1)); break;
    case Qt::Key_Left: setCurrentRow(rowBeside(-1)); break;
    case Qt::Key_Right: setCurrentRow(rowBeside(1)); break;
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Plus:
        if (shown)
            Q_EMIT rowClicked(m_current, Qt::LeftButton, Qt::NoModifier);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Minus:
        if (shown)
            Q_EMIT rowClicked(m_current, Qt::RightButton, Qt::NoModifier);
        break;
    default:
        QGroupBox::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SkillListFrame::focusInEvent(QFocusEvent *event)
{
    if (!isShown(m_current))
        m_current = nextShownRow(-1, 1);
    update();
    QGroupBox::focusInEvent(event);
}

void SkillListFrame::focusOutEvent(QFocusEvent *event)
{
    update();
    QGroupBox::focusOutEvent(event);
}

// The current row is framed while the list has the focus, around its text.
void SkillListFrame::paintEvent(QPaintEvent *event)
{
    QGroupBox::paintEvent(event);
    if (!hasFocus() || !isShown(m_current))
        return;
    const QLabel *label = m_rows[m_current];
    const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
    QRect frame = label->geometry();
    frame.setWidth(qMin(frame.width(), textWidth + 4));
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(frame.adjusted(-2, 0, 0, -1));
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
            const int index = int(it - m_rows.begin());
            setCurrentRow(index);
            Q_EMIT rowClicked(index, mouse->button(), mouse->modifiers());
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace Tarvosk
