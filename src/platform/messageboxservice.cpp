#include "platform/messageboxservice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace Tarvosk {

MessageService::Answer MessageBoxService::show(const QString &text, const QString &title, Icon icon,
                                               Buttons buttons)
{
    QMessageBox box(QApplication::activeWindow());
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

    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

} // namespace Tarvosk
