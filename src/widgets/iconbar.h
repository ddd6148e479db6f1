#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

namespace Tarvosk {

class HoverWatch;
class IconButton;

// One icon of a bar: its object name ("imgButton0_1"), picture and tool tip.
struct IconEntry
{
    QString objectName;
    QString resource;
    QString toolTip;

    // An icon whose picture is one of the program's own (":/icons/<picture>.svg").
    static IconEntry ofPicture(const QString &objectName, const QString &picture, const QString &toolTip)
    {
        return {objectName, QStringLiteral(":/icons/") + picture + QStringLiteral(".svg"), toolTip};
    }
};

// A row of icon buttons: a step's button bar along the window's top edge
// (with its divider, its "Abbrechen" icon at the right end and its
// background pattern) or a plain pair of icons inside a frame. An icon may
// have a drop-down arrow beside it; the hover frame then takes in the arrow,
// drawn sunken while its menu is open.
class IconBar : public QWidget
{
    Q_OBJECT

public:
    enum class Style { Toolbar, Plain };

    static constexpr int toolbarHeight = 26; // 390 twips
    static constexpr int dropDownWidth = 9;

    IconBar(const QString &objectName, const std::vector<IconEntry> &icons, const IconEntry *abortIcon,
            Style style, HoverWatch &hoverWatch, QWidget *parent = nullptr);

    IconButton *icon(int index) const;
    IconButton *abortIcon() const;
    // Every button from left to right, each arrow after its icon: the order Tab follows.
    std::vector<QWidget *> buttonsInOrder() const;

    // Puts a drop-down arrow beside icon `index`; the icons after it move along.
    IconButton *addDropDown(int index, const IconEntry &arrow);
    IconButton *dropDown(int index) const;
    // The icon whose menu is open keeps its frame, its arrow sunken; -1: none.
    void setOpenDropDown(int index);
    int openDropDown() const;
    // The icon and its arrow, if it has one, in the bar's coordinates.
    QRect iconArea(int index) const;

    // The frame around the icon at this left edge; -1 hides it.
    void setMark(int iconLeft);
    int markedLeft() const;

    // The bar's background; a null picture gives the plain face.
    void setPattern(const QImage &strip);
    bool hasPattern() const;

Q_SIGNALS:
    void iconClicked(int index);
    void abortClicked();
    void dropDownClicked(int index);
    void patternMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The owner is the index of the icon framed while the button is pointed at; -1: the button itself.
    void connectIcon(IconButton *button, int owner);
    // Hides the hover frame and ends its watch.
    void hideMark();
    // A plain bar takes the width of its icons.
    void placeIcons();

    Style m_style;
    HoverWatch &m_hoverWatch;
    std::vector<IconButton *> m_icons;
    std::vector<IconButton *> m_dropDowns; // one per icon, null where it has none
    int m_openDropDown = -1;
    IconButton *m_abort = nullptr;
    int m_markedLeft = -1;
    QImage m_pattern;
};

} // namespace Tarvosk
