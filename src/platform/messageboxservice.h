#pragma once

#include "platform/messageservice.h"

class QWidget;

namespace Tarvosk {

// Messages as QMessageBox, modal over the active window.
class MessageBoxService final : public MessageService
{
public:
    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
};

} // namespace Tarvosk
