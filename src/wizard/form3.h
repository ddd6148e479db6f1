#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace Tarvosk {

struct CharacterRecord;

// "Basiseigenschaften": where a rolled value goes. Only the attributes
// without a value yet are offered, stacked from the top without gaps.
class Form3 : public QDialog
{
    Q_OBJECT

public:
    Form3(const CharacterRecord &record, int value, QWidget *mainWindow);

    // An attribute 0 to 4, RollDialogs::Discard, or RollDialogs::Abort when closed otherwise.
    int answer() const;
    QPushButton *button(int index) const;
    QString question() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Command1_Click(int index);

    std::array<QPushButton *, 6> m_buttons{};
    QLabel *m_question;
    int m_answer;
};

} // namespace Tarvosk
