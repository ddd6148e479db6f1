#include "widgets/dropdownpanel.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

DropDownPanel::DropDownPanel(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(u"picMenu"_s);
    setToolTipsVisible(true);
}

void DropDownPanel::setRows(const std::vector<DropDownRow> &rows)
{
    clear();
    m_rows.clear();
    for (const DropDownRow &row : rows) {
        // A file name is shown as it is: "&" would otherwise mark a mnemonic.
        QString text = QString(row.text).replace(u'&', u"&&"_s);
        if (!row.shortcut.isEmpty())
            text += u'\t' + row.shortcut;
        QAction *action = addAction(text);
        action->setToolTip(row.toolTip.isEmpty() ? row.text : row.toolTip);
        action->setEnabled(row.enabled);
        const int index = int(m_rows.size());
        connect(action, &QAction::triggered, this, [this, index] { Q_EMIT rowChosen(index); });
        m_rows.push_back(action);
    }
}

int DropDownPanel::rowCount() const
{
    return int(m_rows.size());
}

QString DropDownPanel::rowText(int row) const
{
    const QAction *action = rowAction(row);
    return action ? action->text().section(u'\t', 0, 0).replace(u"&&"_s, u"&"_s) : QString();
}

QAction *DropDownPanel::rowAction(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[std::size_t(row)] : nullptr;
}

} // namespace Tarvosk
