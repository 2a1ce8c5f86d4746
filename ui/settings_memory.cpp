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
    // What Qt makes of a file it cannot read or parse is not worth offering.
    // Qt parses a file once for the whole process and tells only its first
    // reader of a fault, so the verdict is kept until the file is written anew.
    if (settings.status() != QSettings::NoError)
        unsound_ = true;
    if (unsound_)
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
    {
        QSettings settings(fileName_, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError)
            unsound_ = true;
        // nothing Qt half read from an unsound file is kept: the file starts
        // again with what the surveyor accepts from now on
        if (unsound_)
            settings.clear();
        settings.setValue(key(name), text);
        // written at once, so a value outlives a program killed at the next prompt
        settings.sync();
    }
    // a QSettings keeps the first fault it met; a fresh one tells how the
    // file reads now
    unsound_ = QSettings(fileName_, QSettings::IniFormat).status() != QSettings::NoError;
}

} // namespace korvane
