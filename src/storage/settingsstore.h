#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringView>

#include <memory>

class QSettings;

namespace Tarvosk {

// A setting's section, key and the default its usual readers assume.
struct SettingKey
{
    QStringView section;
    QStringView key;
    QStringView fallback;

    // A section and key as the store announces them: the section in any case.
    bool matches(QStringView changedSection, QStringView changedKey) const
    {
        return changedSection.compare(section, Qt::CaseInsensitive) == 0 && changedKey == key;
    }
};

// The per-user settings of the program: sections of keys holding text.
// Every read names its default. A write goes to the file at once and is
// announced, so a window that shows a setting can follow it. Section names
// ignore case. Reads come from memory: what another process writes (the
// hand-off path of a later start) is seen after reload().
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    // The user's store, "Tarvosk/Tarvosk.conf" in the configuration folder.
    explicit SettingsStore(QObject *parent = nullptr);
    // A store in the given INI file (tests use a temporary one).
    explicit SettingsStore(const QString &iniFile, QObject *parent = nullptr);
    ~SettingsStore() override;

    QString read(QStringView section, QStringView key, QStringView fallback = {}) const;
    QString read(const SettingKey &setting) const;
    void write(QStringView section, QStringView key, const QString &value);
    void write(const SettingKey &setting, const QString &value);
    void deleteSection(QStringView section);
    // Reads the file again, for the values another process wrote since.
    void reload();

    // A whole number: the leading number of the text, its fraction cut off,
    // held to +-2147483647 (so that its negation is a number too).
    int readNumber(QStringView section, QStringView key, int fallback) const;
    int readNumber(const SettingKey &setting) const;
    // A size such as "8.25"; a decimal comma ("8,25") reads the same. Always finite.
    double readSize(QStringView section, QStringView key, double fallback) const;
    // "1"/"0", any other number (non-zero is true), or a word for true or false in English or German.
    bool readFlag(QStringView section, QStringView key, bool fallback) const;

    QString fileName() const;

Q_SIGNALS:
    // A write changed the text of a key (or added the key); the section as the writer spelled it.
    void settingChanged(const QString &section, const QString &key);
    // A section that held keys was deleted with all of them.
    void sectionDeleted(const QString &section);

private:
    QString groupName(QStringView section) const;

    std::unique_ptr<QSettings> m_settings;
    // Case-folded section name -> its spelling in the file. Asking QSettings for
    // its groups walks every key, which a long player history makes slow.
    mutable QHash<QString, QString> m_groups;
    mutable bool m_groupsKnown = false;
};

// Reads a flag's text; an unknown word gives the fallback.
bool flagFromText(const QString &text, bool fallback);

} // namespace Tarvosk
