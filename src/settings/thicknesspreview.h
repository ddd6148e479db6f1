#pragma once

#include <QWidget>

namespace Tarvosk {

// Four line weights, one to a band of 16 pixels; the band of the chosen
// weight is lit. A click chooses the band under the pointer.
class ThicknessPreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int bandHeight = 16;
    static constexpr int rows = 4;

    explicit ThicknessPreview(const QString &objectName, QWidget *parent = nullptr);

    // The lit band; -1 lights none.
    void setMarkedRow(int row);
    int markedRow() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The mouse went up over the band of this row.
    void rowClicked(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_markedRow = -1;
};

} // namespace Tarvosk
