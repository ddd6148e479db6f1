#pragma once

#include <QWidget>

namespace Tarvosk {

class SettingsStore;
class ValueFrame;
struct CharacterRecord;

// "Charakterwerte ansehen": the base and derived values at a glance while the
// player works on later steps. It comes back where the user left it.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    Form4(SettingsStore &settings, const CharacterRecord &record, QWidget *parent = nullptr);

    ValueFrame *basis() const;
    ValueFrame *derived() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    SettingsStore &m_settings;
    ValueFrame *m_basis;
    ValueFrame *m_derived;
};

} // namespace Tarvosk
