#include "storage/settingssnapshot.h"

#include <QFile>

namespace Tarvosk {

SettingsSnapshot::SettingsSnapshot(const QString &settingsFile)
{
    const QString copy = m_folder.filePath(QStringLiteral("Tarvosk.conf"));
    QFile::copy(settingsFile, copy);
    // The copy is the program's own, whatever rights the original had.
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_store = std::make_unique<SettingsStore>(copy);
}

SettingsSnapshot::~SettingsSnapshot() = default;

} // namespace Tarvosk
