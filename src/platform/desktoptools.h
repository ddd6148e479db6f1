#pragma once

#include <QString>
#include <QStringList>

namespace Tarvosk {

// Starts a desktop tool (update-mime-database and the like) without waiting;
// a tool that is not installed is skipped silently.
void startToolDetached(const QString &program, const QStringList &arguments);

} // namespace Tarvosk
