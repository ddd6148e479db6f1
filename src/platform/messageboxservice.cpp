#include "platform/messageboxservice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>
#include <optional>

namespace Tarvosk {

namespace {

// Title bars commonly hold the window's icon and three buttons (minimise,
// maximise, close), each about as wide as the bar is high.
constexpr int frameButtons = 4;
constexpr int buttonPadding = 6;
constexpr int titlePadding = 8;

std::optional<MessageService::Answer> answerFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return MessageService::Answer::Ok;
    case QMessageBox::Yes: return MessageService::Answer::Yes;
    case QMessageBox::No: return MessageService::Answer::No;
    case QMessageBox::Cancel: return MessageService::Answer::Cancel;
    default: return std::nullopt;
    }
}

} // namespace

int MessageBoxService::widthForTitle(const QString &title, const QFont &titleFont)
{
    const QFontMetrics metrics(titleFont);
    const int buttons = frameButtons * (metrics.height() + buttonPadding);
    return metrics.horizontalAdvance(title) + buttons + 2 * titlePadding;
}

QFont MessageBoxService::titleFont()
{
    // Window managers draw titles bold in the common themes.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    return font;
}

void MessageBoxService::setUp(QMessageBox &box, const QString &text, const QString &title, Icon icon,
                              Buttons buttons, Answer onEscape)
{
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // German captions whatever the system's language is.
    if (auto *yes = box.button(QMessageBox::Yes))
        yes->setText(QStringLiteral("&Ja"));
    if (auto *no = box.button(QMessageBox::No))
        no->setText(QStringLiteral("&Nein"));
    if (auto *cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("Abbrechen"));

    // Left to itself, QMessageBox lets Escape press "Nein"; the caller names the answer instead.
    switch (escapeAnswer(buttons, onEscape)) {
    case Answer::Ok: box.setEscapeButton(box.button(QMessageBox::Ok)); break;
    case Answer::Yes: box.setEscapeButton(box.button(QMessageBox::Yes)); break;
    case Answer::No: box.setEscapeButton(box.button(QMessageBox::No)); break;
    case Answer::Cancel:
        if (buttons == Buttons::YesNo) {
            // A Yes/No question stays one: the Cancel button is there for Escape and the close box only.
            box.addButton(QMessageBox::Cancel)->hide();
        }
        box.setEscapeButton(box.button(QMessageBox::Cancel));
        break;
    }

    // QMessageBox sizes itself to its text; a row of this width keeps it wide
    // enough for its title, within the screen.
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    int width = widthForTitle(title, titleFont());
    if (const QScreen *screen = box.screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    const QMargins margins = grid->contentsMargins();
    grid->addItem(new QSpacerItem(width - margins.left() - margins.right(), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

MessageService::Answer MessageBoxService::show(const QString &text, const QString &title, Icon icon,
                                               Buttons buttons, Answer onEscape)
{
    QMessageBox box(QApplication::activeWindow());
    setUp(box, text, title, icon, buttons, onEscape);
    box.exec();
    if (const auto answer = answerFor(box.standardButton(box.clickedButton())))
        return *answer;
    // Closed with no button pressed (the program ends under it): as Escape would.
    return escapeAnswer(buttons, onEscape);
}

} // namespace Tarvosk
