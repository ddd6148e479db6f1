#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QComboBox;

namespace Tarvosk {

class ListComboBox;

// Completes a chosen race or habit a few milliseconds after the choice
// (tmrCombo), once the list has put its entry into the field: the race keeps
// only its word, a habit is added to the habits written before.
class ComboCompleter : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMs = 10;
    static constexpr int maxWaitTicks = 10;

    ComboCompleter(ListComboBox *race, ListComboBox *habits, QObject *parent = nullptr);

    // The habits text before the list was opened; the choice is added to it.
    void rememberHabitsText(const QString &text);
    bool isCompleting() const;

private:
    void startCompletion(QComboBox *completing);
    void tick();

    QPointer<QComboBox> m_race;
    QPointer<QComboBox> m_habits;
    QPointer<QComboBox> m_completing;
    QString m_habitsBefore;
    int m_ticks = 0;
    QTimer m_timer;
};

} // namespace Tarvosk
