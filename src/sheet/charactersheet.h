#pragma once

namespace Tarvosk {

} // namespace Tarvosk
