// Per-user policy values in a settings file that keeps the registry's key
// path and value name: $XDG_CONFIG_HOME/tavinor/HKEY_CURRENT_USER.ini.
#include <QSettings>
#include <QStandardPaths>

#include "platform/platform.h"

namespace platform {
namespace {

QString SettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/tavinor/HKEY_CURRENT_USER.ini";
}

// QSettings takes both slashes as the separator of sub keys.
QString ValuePath(const std::string& key, const std::string& name) {
    return QString::fromStdString(key).replace('\\', '/') + '/' + QString::fromStdString(name);
}

} // namespace

unsigned ReadUserPolicy(const std::string& key, const std::string& name) {
    const QSettings settings(SettingsFile(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return 0;
    bool number = false;
    const unsigned value = settings.value(ValuePath(key, name)).toString().toUInt(&number);
    return number ? value : 0;
}

bool WriteUserPolicy(const std::string& key, const std::string& name, unsigned value) {
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    if (!settings.isWritable())
        return false;
    settings.setValue(ValuePath(key, name), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace platform
