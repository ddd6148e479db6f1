#pragma once

#include "rules/skillrow.h"

#include <QGroupBox>

#include <vector>

class QLabel;

namespace Tarvosk {

struct SkillListTable;

// One skill list of step 2 in its frame: the rows under their cost
// headings, laid out in columns, each row drawn in the colour of its state.
// The four lists differ only in their table and arrangement.
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
    // The colours of the two states: button shadow for learnt, button text otherwise.
    QColor learntColour() const;
    QColor normalColour() const;

Q_SIGNALS:
    void rowClicked(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<QLabel *> m_rows;
};

} // namespace Tarvosk
