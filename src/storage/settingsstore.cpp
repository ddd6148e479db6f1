#include "storage/settingsstore.h"

#include "rules/numerictext.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace Tarvosk {

namespace {

// A value typed by hand with an unquoted comma comes back from QSettings as a
// list of trimmed parts; joined by the bare comma, a size such as "8,25" reads right.
QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

// The sections of an INI file, read off its "[...]" lines as QSettings reads them
// (the name up to the first "]", trimmed); none when a name is one only QSettings
// can decode. QSettings::childGroups() would say the same, but walks every key to
// do it, thousands of player names among them.
std::optional<QStringList> sectionsInFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    QByteArray text = file.readAll();
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QStringList sections;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        const qsizetype close = line.indexOf(']');
        if (!line.startsWith('[') || close < 0)
            continue;
        const QByteArrayView name = line.sliced(1, close - 1).trimmed();
        const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '_'
                || c == '-' || c == '.';
        });
        if (!plain)
            return std::nullopt;
        // "[General]" in any spelling holds the keys outside every section.
        const QString section = QString::fromLatin1(name);
        if (section.compare(u"general", Qt::CaseInsensitive) != 0)
            sections.append(section);
    }
    // In the order QSettings keeps them, so that the same spelling comes first.
    std::sort(sections.begin(), sections.end());
    sections.erase(std::unique(sections.begin(), sections.end()), sections.end());
    return sections;
}

} // namespace

SettingsStore::SettingsStore(QObject *parent)
    : QObject(parent)
    // The native format on Linux is INI, in "Tarvosk/Tarvosk.conf" under the configuration folder.
    , m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Tarvosk"), QStringLiteral("Tarvosk")))
{
}

SettingsStore::SettingsStore(const QString &iniFile, QObject *parent)
    : QObject(parent)
    , m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

// The spelling of the section already in the file, so that "StartUp" and "Startup" are one.
QString SettingsStore::groupName(QStringView section) const
{
    if (!m_groupsKnown) {
        m_groups.clear();
        const std::optional<QStringList> inFile = sectionsInFile(m_settings->fileName());
        const QStringList groups = inFile ? *inFile : m_settings->childGroups();
        // A hand-edited file may spell one section twice; the first one is read.
        for (const QString &group : groups) {
            const QString folded = group.toCaseFolded();
            if (!m_groups.contains(folded))
                m_groups.insert(folded, group);
        }
        m_groupsKnown = true;
    }
    const QString name = section.toString();
    return m_groups.value(name.toCaseFolded(), name);
}

QString SettingsStore::read(QStringView section, QStringView key, QStringView fallback) const
{
    const QString path = groupName(section) + u'/' + key.toString();
    const QVariant value = m_settings->value(path);
    if (!value.isValid())
        return fallback.toString();
    return textOf(value);
}

QString SettingsStore::read(const SettingKey &setting) const
{
    return read(setting.section, setting.key, setting.fallback);
}

void SettingsStore::write(QStringView section, QStringView key, const QString &value)
{
    const QString group = groupName(section);
    const QString path = group + u'/' + key.toString();
    const QVariant before = m_settings->value(path);
    // The file is written only for a change: a load that brings the options already set stays quick.
    if (before.isValid() && textOf(before) == value)
        return;
    m_settings->setValue(path, value);
    m_settings->sync();
    m_groups.insert(group.toCaseFolded(), group);
    Q_EMIT settingChanged(section.toString(), key.toString());
}

void SettingsStore::write(const SettingKey &setting, const QString &value)
{
    write(setting.section, setting.key, value);
}

void SettingsStore::deleteSection(QStringView section)
{
    // Every spelling: a hand-edited file may hold the section twice.
    const QString folded = section.toString().toCaseFolded();
    bool held = false;
    const QStringList groups = m_settings->childGroups();
    for (const QString &group : groups) {
        if (group.toCaseFolded() == folded) {
            m_settings->remove(group);
            held = true;
        }
    }
    m_settings->sync();
    m_groups.remove(folded);
    if (held)
        Q_EMIT sectionDeleted(section.toString());
}

void SettingsStore::reload()
{
    // Every write is synced at once, so nothing of ours is pending: this only reads.
    m_settings->sync();
    m_groupsKnown = false;
}

int SettingsStore::readNumber(QStringView section, QStringView key, int fallback) const
{
    // Text that is no number at all (edited by hand) counts as missing.
    const std::optional<double> value = parseLeadingNumber(read(section, key));
    if (!value || std::isnan(*value))
        return fallback;
    // Symmetric, so a reader may negate it; in range, the cast only cuts the fraction.
    constexpr double limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(*value, -limit, limit));
}

int SettingsStore::readNumber(const SettingKey &setting) const
{
    return readNumber(setting.section, setting.key, static_cast<int>(leadingNumber(setting.fallback)));
}

double SettingsStore::readSize(QStringView section, QStringView key, double fallback) const
{
    QString text = read(section, key);
    text.replace(u',', u'.');
    const std::optional<double> value = parseLeadingNumber(text);
    return value && std::isfinite(*value) ? *value : fallback;
}

bool SettingsStore::readFlag(QStringView section, QStringView key, bool fallback) const
{
    return flagFromText(read(section, key, fallback ? u"1" : u"0"), fallback);
}

bool flagFromText(const QString &text, bool fallback)
{
    const QString word = text.trimmed();
    static const QStringList trueWords{QStringLiteral("true"), QStringLiteral("wahr")};
    static const QStringList falseWords{QStringLiteral("false"), QStringLiteral("falsch")};
    if (trueWords.contains(word, Qt::CaseInsensitive))
        return true;
    if (falseWords.contains(word, Qt::CaseInsensitive))
        return false;
    bool isNumber = false;
    const double number = word.toDouble(&isNumber);
    // QString::toDouble takes "nan", which is neither true nor false.
    if (isNumber && !std::isnan(number))
        return number != 0;
    return fallback;
}

} // namespace Tarvosk
