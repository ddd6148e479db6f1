#pragma once

#include "storage/settingsstore.h"

#include <QTemporaryDir>

#include <memory>

namespace Tarvosk {

// The user's settings copied into a temporary file. A command without a
// window works on this copy (a character file's options may change it) and
// never changes the user's own settings.
class SettingsSnapshot
{
public:
    // A copy of the given settings file; a missing file gives an empty store.
    explicit SettingsSnapshot(const QString &settingsFile);
    ~SettingsSnapshot();

    SettingsStore &settings() { return *m_store; }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<SettingsStore> m_store;
};

} // namespace Tarvosk
