#include "settings_memory.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <utility>

namespace korvane {

namespace {

QString key(const char* name)
{
    return QStringLiteral("Entry/") + QString::fromLatin1(name);
}

} // namespace

SettingsMemory::SettingsMemory(QString fileName) : fileName_(std::move(fileName)) {}

QString SettingsMemory::userFile()
{
    // the same file as QSettings("Korvane", "korvane") on Linux, named here
    // so that it can be looked at before QSettings opens it
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/Korvane/korvane.conf");
}

// Opening a folder, a pipe or a device in place of the file could fail in
// odd ways or wait for ever; the entry would rather remember nothing.
bool SettingsMemory::usable() const
{
    if (fileName_.isEmpty())
        return false;
    const QFileInfo info(fileName_);
    return !info.exists() || info.isFile();
}

QString SettingsMemory::recall(const char* name)
{
    if (!usable())
        return {};
    const QSettings settings(fileName_, QSettings::IniFormat);
    // what Qt makes of a file it cannot read or parse is not worth offering
    if (settings.status() != QSettings::NoError)
        return {};
    const QVariant value = settings.value(key(name));
    // a list ("1, 2") or a serialised value is nothing the entry wrote
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString();
}

void SettingsMemory::remember(const char* name, const QString& text)
{
    if (!usable())
        return;
    QSettings settings(fileName_, QSettings::IniFormat);
    settings.setValue(key(name), text);
    // written at once, so a value outlives a program killed at the next prompt
    settings.sync();
}

} // namespace korvane
