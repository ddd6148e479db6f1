#pragma once

#include <QString>

namespace Tarvosk {

// The title of every refusal of the rules (a roll too weak for the class, a
// skill that cannot be learnt or unlearnt), shown with an exclamation icon and OK.
inline const QString refusalTitle = QStringLiteral("Hinweis");

} // namespace Tarvosk
