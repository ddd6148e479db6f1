#pragma once

#include <QDialog>

#include <vector>

class QPushButton;

namespace Tarvosk {

// "100 gewürfelt !": the free choice of a natural or special ability, after
// which the special-ability table is rolled again.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

    // The choice 0 to 13, or -1 when the dialog was closed without one.
    int choice() const;
    QPushButton *button(int index) const;

private:
    std::vector<QPushButton *> m_buttons;
    int m_choice = -1;
};

} // namespace Tarvosk
