#pragma once

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
};

// The per-user settings of the program: sections of keys holding text.
// Every read names its default and nothing is cached, so a value written
// anywhere is seen by the next read. Section names ignore case.
class SettingsStore
{
public:
    // The user's store, "Tarvosk/Tarvosk.conf" in the configuration folder.
    SettingsStore();
    // A store in the given INI file (tests use a temporary one).
    explicit SettingsStore(const QString &iniFile);
    ~SettingsStore();

    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QString read(QStringView section, QStringView key, QStringView fallback = {}) const;
    QString read(const SettingKey &setting) const;
    void write(QStringView section, QStringView key, const QString &value);
    void write(const SettingKey &setting, const QString &value);
    void deleteSection(QStringView section);

    // A whole number: the leading number of the text, its fraction cut off.
    int readNumber(QStringView section, QStringView key, int fallback) const;
    int readNumber(const SettingKey &setting) const;
    // A size such as "8.25"; a decimal comma ("8,25") reads the same.
    double readSize(QStringView section, QStringView key, double fallback) const;
    // "1"/"0", any other number (non-zero is true), or a word for true or false in English or German.
    bool readFlag(QStringView section, QStringView key, bool fallback) const;

    QString fileName() const;

private:
    QString groupName(QStringView section) const;

    std::unique_ptr<QSettings> m_settings;
};

// Reads a flag's text; an unknown word gives the fallback.
bool flagFromText(const QString &text, bool fallback);

} // namespace Tarvosk
