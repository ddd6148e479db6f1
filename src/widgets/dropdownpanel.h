#pragma once

#include <QMenu>
#include <QString>

#include <vector>

namespace Tarvosk {

// One row of a drop-down menu.
struct DropDownRow
{
    DropDownRow(const QString &text, const QString &shortcut = {}, const QString &toolTip = {}, bool enabled = true)
        : text(text)
        , shortcut(shortcut)
        , toolTip(toolTip)
        , enabled(enabled)
    {
    }

    QString text;
    QString shortcut; // shown at the right end of the row, as "Strg+S"
    QString toolTip;
    bool enabled;
};

// The drop-down menu of a toolbar button (picMenu): its rows highlight under
// the pointer and lose the highlight when it leaves, Up, Down and Enter work
// them, and a chosen row closes the menu and names its number.
class DropDownPanel : public QMenu
{
    Q_OBJECT

public:
    explicit DropDownPanel(QWidget *parent = nullptr);

    void setRows(const std::vector<DropDownRow> &rows);
    int rowCount() const;
    // The text of the row, without its shortcut.
    QString rowText(int row) const;
    QAction *rowAction(int row) const;

Q_SIGNALS:
    void rowChosen(int row);

private:
    std::vector<QAction *> m_rows;
};

} // namespace Tarvosk
