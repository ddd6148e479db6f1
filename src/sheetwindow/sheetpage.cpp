#include "sheetwindow/sheetpage.h"

#include "sheetwindow/equipmentpane.h"
#include "sheetwindow/inplaceeditor.h"
#include "sheet/charactersheet.h"
#include "sheet/sheetdocument.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace Tarvosk {

using Hit = SheetLayout::Hit;

namespace {

bool isEditable(Hit hit)
{
    return hit.kind == Hit::Kind::Value
        || (hit.kind == Hit::Kind::Caption && CharacterSheet::isCharacterCaption(hit.index));
}

} // namespace

SheetPage::SheetPage(SheetDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_look(SheetLook::standard())
    , m_editor(new InPlaceEditor(u"Text1"_s, this))
    , m_pane(new EquipmentPane(document, this))
{
    setObjectName(u"Picture2"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());

    connect(m_editor, &InPlaceEditor::committed, this, &SheetPage::SaveText1);
    connect(m_editor, &InPlaceEditor::discarded, this, &SheetPage::hideText1);
    connect(m_editor, &InPlaceEditor::focused, this, &SheetPage::editorFocused);

    connect(m_pane, &EquipmentPane::lineEditStarting, this, &SheetPage::SaveText1);
    connect(m_pane, &EquipmentPane::menuOpening, this, [this] {
        hideText1();
        Q_EMIT backgroundClicked();
    });
    connect(m_pane, &EquipmentPane::editorFocused, this, &SheetPage::editorFocused);

    const auto repaint = [this] { update(); };
    connect(&m_document, &SheetDocument::captionChanged, this, repaint);
    connect(&m_document, &SheetDocument::valueChanged, this, repaint);
    connect(&m_document, &SheetDocument::equipmentChanged, this, repaint);
    // An editor open on the sheet before would write into the new one.
    connect(&m_document, &SheetDocument::sheetReplaced, this, [this] {
        hideEditors();
        update();
    });

    setLook(m_look);
}

SheetPage::~SheetPage() = default;

void SheetPage::setLook(const SheetLook &look)
{
    m_look = look;
    placeChildren();
    update();
}

const SheetLook &SheetPage::look() const
{
    return m_look;
}

void SheetPage::hideEditors()
{
    hideText1();
    m_pane->hideEditor();
}

void SheetPage::commitEditors()
{
    m_pane->commitEditor();
    SaveText1();
}

Hit SheetPage::editTarget() const
{
    return m_editTarget;
}

QLineEdit *SheetPage::textEditor() const
{
    return m_editor;
}

EquipmentPane *SheetPage::equipmentPane() const
{
    return m_pane;
}

QTransform SheetPage::pageTransform() const
{
    const QSize page = SheetLayout::pageSize;
    return QTransform::fromScale(qreal(width()) / page.width(), qreal(height()) / page.height());
}

QSize SheetPage::sizeHint() const
{
    return SheetLayout::pageSize;
}

bool SheetPage::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const Hit hit = hitAt(help->pos());
        const QString tip = hit.kind == Hit::Kind::Value ? m_document.sheet().toolTip(hit.index) : QString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this, labelRect(hit));
        }
        return true;
    }
    return QWidget::event(event);
}

void SheetPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setTransform(pageTransform());
    paintSheetPage(painter, m_document.sheet(), m_look);
    if (m_focusShown) {
        painter.resetTransform();
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void SheetPage::setFocusShown(bool shown)
{
    if (shown == m_focusShown)
        return;
    m_focusShown = shown;
    update();
}

bool SheetPage::isFocusShown() const
{
    return m_focusShown;
}

void SheetPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void SheetPage::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? hitAt(event->position()) : Hit{};
    event->accept();
}

void SheetPage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Hit hit = hitAt(event->position());
    // A click is a press and a release on the same label.
    if (hit != m_pressed)
        return;
    if (isEditable(hit)) {
        beginEdit(hit);
    } else if (hit.kind == Hit::Kind::Nothing) {
        hideEditors();
        Q_EMIT backgroundClicked();
    }
    // The printed labels are fixed: a click on one does nothing.
}

Hit SheetPage::hitAt(QPointF widgetPoint) const
{
    return SheetLayout::labelAt(pageTransform().inverted().map(widgetPoint).toPoint());
}

void SheetPage::beginEdit(Hit target)
{
    m_pane->commitEditor();
    SaveText1();
    m_editTarget = target;
    placeChildren();
    const CharacterSheet &sheet = m_document.sheet();
    m_editor->setText(target.kind == Hit::Kind::Value ? sheet.value(target.index) : sheet.caption(target.index));
    m_editor->show();
    m_editor->raise();
    // All selected, the cursor at the start, so a long text shows its beginning.
    const int length = int(m_editor->text().size());
    m_editor->setSelection(length, -length);
    m_editor->setFocus(Qt::MouseFocusReason);
}

void SheetPage::SaveText1()
{
    const Hit target = m_editTarget;
    if (target.kind == Hit::Kind::Nothing)
        return;
    hideText1();
    if (target.kind == Hit::Kind::Value)
        m_document.setValue(target.index, m_editor->text());
    else
        m_document.setCaption(target.index, m_editor->text());
}

void SheetPage::hideText1()
{
    m_editTarget = {};
    m_editor->hide();
}

QRect SheetPage::labelRect(Hit target) const
{
    return pageTransform().mapRect(QRectF(pageRect(target))).toRect();
}

QRect SheetPage::pageRect(Hit target)
{
    return target.kind == Hit::Kind::Value ? SheetLayout::valueRect(target.index) : SheetLayout::captionRect(target.index);
}

QFont SheetPage::editorFont(const QFont &font) const
{
    // As the painter reads it, then scaled with the page.
    const qreal pixels = pagePixelSize(font) * pageTransform().m22();
    QFont scaled = font;
    scaled.setPointSizeF(qMax(1.0, pixels * 72.0 / qMax(1, logicalDpiY())));
    return scaled;
}

void SheetPage::placeChildren()
{
    const QTransform transform = pageTransform();
    m_pane->setGeometry(transform.mapRect(QRectF(SheetLayout::equipmentPane())).toRect());
    m_pane->setZoom(transform.m22());
    m_pane->setEditorFont(editorFont(m_look.values));

    if (m_editTarget.kind == Hit::Kind::Nothing)
        return;
    // From the rule above the label to the rule below it, so that the text
    // inside the editor's border stands where the label's did.
    m_editor->setGeometry(transform.mapRect(QRectF(pageRect(m_editTarget).adjusted(0, -1, 0, 1))).toRect());
    const QFont &font = m_editTarget.kind == Hit::Kind::Value ? m_look.values
        : m_editTarget.index <= CharacterSheet::classCaption ? m_look.headline
                                                             : m_look.labels;
    m_editor->setFont(editorFont(font));
    m_editor->setAlignment(m_editTarget.kind == Hit::Kind::Value ? SheetLayout::valueAlignment(m_editTarget.index)
                                                                 : SheetLayout::captionAlignment(m_editTarget.index));
}

} // namespace Tarvosk
