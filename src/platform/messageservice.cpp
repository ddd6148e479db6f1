#include "platform/messageservice.h"

namespace Tarvosk {

MessageService::~MessageService() = default;

} // namespace Tarvosk
