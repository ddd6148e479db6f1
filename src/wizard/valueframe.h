#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QGridLayout;
class QLabel;

namespace Tarvosk {

// A frame of values: a caption on the left and the value label on the right
// of each row. The value labels are named after their array ("Basis_0").
class ValueFrame : public QGroupBox
{
    Q_OBJECT

public:
    ValueFrame(const QString &objectName, const QString &title, const QStringList &captions,
               const QString &valuePrefix, QWidget *parent = nullptr);

    QLabel *value(int index) const;
    int count() const;
    // Writes the texts into the value labels, in order.
    template<typename Texts>
    void showValues(const Texts &texts)
    {
        int i = 0;
        for (const auto &text : texts)
            setValue(i++, text);
    }
    void setValue(int index, const QString &text);
    // A widget across both columns below the values.
    void addFullRow(QWidget *widget);

private:
    QGridLayout *m_grid;
    std::vector<QLabel *> m_values;
};

} // namespace Tarvosk
