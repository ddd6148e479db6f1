#include "settings/desktopfileicon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Tarvosk {

DesktopFileIcon::DesktopFileIcon(DesktopPaths paths, std::array<QByteArray, 4> pictures)
    : m_registration(std::move(paths), QString(), CharacterFileType(), nullptr)
    , m_pictures(std::move(pictures))
{
}

bool DesktopFileIcon::isRegistered() const
{
    return m_registration.typeOfCharacterFiles().compare(FileTypeRegistration::mimeType, Qt::CaseInsensitive) == 0;
}

int DesktopFileIcon::current() const
{
    if (!isRegistered())
        return 0;
    QFile file(m_registration.iconPath());
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray shown = file.readAll();
    for (int n = 0; n < int(m_pictures.size()); ++n) {
        if (!m_pictures[n].isEmpty() && m_pictures[n] == shown)
            return n;
    }
    return 0;
}

bool DesktopFileIcon::choose(int n) const
{
    if (n < 0 || n >= int(m_pictures.size()) || !isRegistered())
        return false;
    const QString path = m_registration.iconPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(m_pictures[n]);
    return file.commit();
}

} // namespace Tarvosk
