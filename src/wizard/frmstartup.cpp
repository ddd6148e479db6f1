#include "wizard/frmstartup.h"

#include "widgets/freeshape.h"
#include "widgets/hoverwatch.h"
#include "widgets/windowplacement.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

constexpr QSize innerSize(pixelsFromTwips(4290), pixelsFromTwips(4200));
constexpr QSize buttonArea(pixelsFromTwips(855), pixelsFromTwips(1455));
constexpr QRect createArea(QPoint(pixelsFromTwips(480), pixelsFromTwips(1920)), buttonArea);
constexpr QRect editArea(QPoint(pixelsFromTwips(1680), pixelsFromTwips(1920)), buttonArea);
constexpr QSize litSize(64, 93);

// The resource names carry no suffix: read as PNG outright, they spare loading
// every image plugin to guess the format on the way to the first window.
QPixmap pngPicture(const QString &name)
{
    QImageReader reader(name, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// A picture of the resources as sharp as the screen allows: the one of twice
// the density on a screen of more than one pixel per unit.
QPixmap pictureForScreen(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        QPixmap sharp = pngPicture(name + u"@2x"_s);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return pngPicture(name);
}

// The lit pictures sit centred over the resting ones, which the background shows.
QRect litGeometry(const QRect &area)
{
    return QRect(area.topLeft() + QPoint((area.width() - litSize.width()) / 2,
                                         (area.height() - litSize.height()) / 2),
                 litSize);
}

} // namespace

frmStartup::frmStartup(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_background(pictureForScreen(u":/custom/101"_s, devicePixelRatioF()))
    , m_hoverWatch(new HoverWatch(this))
{
    setObjectName(u"frmStartup"_s);
    setWindowTitle(u"Charcter Creator"_s);
    setFixedSize(innerSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    // The resting looks are part of the background picture, so imgCreate and imgEdit
    // only catch the pointer. Resource 102 holds both lit pictures side by side.
    const QPixmap lit = pictureForScreen(u":/custom/102"_s, devicePixelRatioF());
    const qreal density = lit.devicePixelRatio();
    m_imgCreate = addPicture(u"imgCreate"_s, createArea, QPixmap());
    m_imgEdit = addPicture(u"imgEdit"_s, editArea, QPixmap());
    m_imgCreateActive = addPicture(u"imgCreateActive"_s, litGeometry(createArea),
                                   lit.copy(QRect(QPoint(0, 0), litSize * density)));
    m_imgEditActive = addPicture(u"imgEditActive"_s, litGeometry(editArea),
                                 lit.copy(QRect(QPoint(qRound(litSize.width() * density), 0), litSize * density)));
    m_imgCreateActive->hide();
    m_imgEditActive->hide();

    WindowPlacement::centre(*this);

    Form_Load();
}

frmStartup::~frmStartup() = default;

StartupChoice frmStartup::ask(QWidget *parent, std::function<void()> whileShown)
{
    frmStartup screen(parent);
    screen.m_whileShown = std::move(whileShown);
    screen.exec();
    return screen.choice();
}

StartupChoice frmStartup::choice() const
{
    return m_choice;
}

QRegion frmStartup::shape() const
{
    return m_shape;
}

bool frmStartup::isDragging() const
{
    return m_dragging;
}

HoverWatch *frmStartup::hoverWatch() const
{
    return m_hoverWatch;
}

void frmStartup::Form_Load()
{
    m_shape = FreeShape::applyShape(*this, u"101");
    m_dragging = false;
}

QLabel *frmStartup::addPicture(const QString &objectName, const QRect &geometry, const QPixmap &picture)
{
    auto *label = new QLabel(this);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!picture.isNull())
        label->setPixmap(picture);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    return label;
}

void frmStartup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    // After this paint has reached the screen, not in the middle of it.
    if (m_whileShown)
        QTimer::singleShot(0, this, std::exchange(m_whileShown, {}));
}

void frmStartup::mousePressEvent(QMouseEvent *event)
{
    m_dragOrigin = event->globalPosition().toPoint() - pos();
    m_dragging = true;
    event->accept();
}

void frmStartup::mouseMoveEvent(QMouseEvent *event)
{
    hideLitPictures();
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOrigin);
    event->accept();
}

void frmStartup::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    event->accept();
}

StartupChoice frmStartup::litChoice() const
{
    if (m_imgCreateActive->isVisibleTo(this))
        return StartupChoice::Create;
    if (m_imgEditActive->isVisibleTo(this))
        return StartupChoice::Edit;
    return StartupChoice::NoChoice;
}

void frmStartup::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        choose(StartupChoice::Quit);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        lightNext();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (litChoice() != StartupChoice::NoChoice)
            choose(litChoice());
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

// The screen has no child to take the focus: Tab moves the light instead.
bool frmStartup::focusNextPrevChild(bool)
{
    lightNext();
    return true;
}

void frmStartup::lightNext()
{
    const bool create = litChoice() != StartupChoice::Create;
    // The keys take the light over from the pointer: no watch puts it out.
    m_hoverWatch->end();
    m_imgCreateActive->setVisible(create);
    m_imgEditActive->setVisible(!create);
}

bool frmStartup::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);

    // Every mouse event on a picture stays there: passed on to the body it would
    // put out the light or start a drag.
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        if (watched == m_imgCreate)
            pictureHovered(m_imgCreate, m_imgCreateActive, mouse);
        else if (watched == m_imgEdit)
            pictureHovered(m_imgEdit, m_imgEditActive, mouse);
    } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        const auto *picture = static_cast<QWidget *>(watched);
        if (picture->rect().contains(mouse->position().toPoint())) {
            if (watched == m_imgCreateActive)
                choose(StartupChoice::Create);
            else if (watched == m_imgEditActive)
                choose(StartupChoice::Edit);
        }
    }
    return true;
}

void frmStartup::pictureHovered(QLabel *picture, QLabel *lit, QMouseEvent *event)
{
    // The watch begun here ends the one of the other picture, which puts its light out.
    m_hoverWatch->watch(QRect(event->globalPosition().toPoint() - event->position().toPoint(), picture->size()),
                        [this] { hideLitPictures(); });
    lit->show();
}

void frmStartup::hideLitPictures()
{
    m_imgCreateActive->hide();
    m_imgEditActive->hide();
}

void frmStartup::choose(StartupChoice choice)
{
    m_choice = choice;
    if (choice == StartupChoice::Quit)
        reject();
    else
        accept();
}

void frmStartup::done(int result)
{
    m_hoverWatch->end();
    m_dragging = false;
    QDialog::done(result);
    // Taken away once the window is hidden, so it never shows as a bare rectangle.
    FreeShape::removeShape(*this);
}

} // namespace Tarvosk
