#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QComboBox;

namespace Tarvosk {

class ListComboBox;

// Times the completion of a chosen race or habit: a few milliseconds after
// the choice (tmrCombo), once the list has put its entry into the field, it
// reports the choice; the other field waits, disabled, meanwhile.
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

Q_SIGNALS:
    void raceChosen(const QString &entry);
    void habitChosen(const QString &before, const QString &entry);

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
