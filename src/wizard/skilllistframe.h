#pragma once

#include "rules/skillrow.h"

#include <QGroupBox>

#include <vector>

class QLabel;

namespace Tarvosk {

struct SkillListTable;

// One skill list of step 2 in its frame: the rows under their cost
// headings, laid out in columns, each row drawn in the colour of its state.
// The four lists differ only in their table and arrangement. By keys, the
// arrows move a framed current row, and keys stand for the clicks on it:
// Space, Enter and "+" for a left click, Delete, Backspace and "-" for a
// right click.
class SkillListFrame : public QGroupBox
{
    Q_OBJECT

public:
    enum class Arrangement {
        GroupPerColumn, // each cost group fills a column of its own
        Flowing,        // the groups run on through the columns
    };

    SkillListFrame(const QString &objectName, const QString &rowPrefix, const QString &headingPrefix,
                   const SkillListTable &table, Arrangement arrangement, int columns, QWidget *parent = nullptr);

    // Shows each row's caption, state and visibility.
    void showRows(const SkillList &rows);

    QLabel *row(int index) const;
    int rowCount() const;
    // The colours of the two states, both clearly readable on the frame's
    // background and clearly apart from each other, in light and dark palettes.
    QColor learntColour() const;
    QColor normalColour() const;

    // The row the keys act on; -1 before the list had the focus.
    int currentRow() const;

Q_SIGNALS:
    void rowClicked(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool isShown(int index) const;
    // The next shown row after `from` in reading order (step 1) or against it
    // (step -1), or the nearest one in the column beside; -1 where there is none.
    int nextShownRow(int from, int step) const;
    int rowBeside(int step) const;
    void setCurrentRow(int index);

    std::vector<QLabel *> m_rows;
    int m_current = -1;
};

} // namespace Tarvosk
