#include "wizard/listcombobox.h"

namespace Tarvosk {

ListComboBox::ListComboBox(const QString &objectName, bool editable, QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(objectName);
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
}

void ListComboBox::showPopup()
{
    Q_EMIT popupOpening();
    QComboBox::showPopup();
}

} // namespace Tarvosk
