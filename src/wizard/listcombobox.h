#pragma once

#include <QComboBox>

namespace Tarvosk {

// A combo box that tells when its list is about to open, and that never
// adds typed text to its list.
class ListComboBox : public QComboBox
{
    Q_OBJECT

public:
    ListComboBox(const QString &objectName, bool editable, QWidget *parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void popupOpening();
};

} // namespace Tarvosk
