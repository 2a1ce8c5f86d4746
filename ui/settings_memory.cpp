#include "settings_memory.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
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

const QString figurePageKey = QStringLiteral("Report/FigurePage");

// Qt parses a settings file once a process and keeps what it read: only the
// first QSettings on a file that is not valid INI reports it. Such a file
// stays unsound here until it changes (the next value kept rewrites it
// whole), whichever value is read first.
struct FileState {
    qint64 size;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

QHash<QString, FileState>& unsoundFiles()
{
    static QHash<QString, FileState> files;
    return files;
}

FileState stateOf(const QFileInfo& file)
{
    return {file.size(), file.lastModified()};
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

// What Qt makes of a file it cannot read or parse is not worth offering.
bool SettingsMemory::unsound(const QSettings& settings) const
{
    const QFileInfo file(fileName_);
    if (settings.status() != QSettings::NoError) {
        unsoundFiles().insert(file.absoluteFilePath(), stateOf(file));
        return true;
    }
    const auto known = unsoundFiles().constFind(file.absoluteFilePath());
    return known != unsoundFiles().constEnd() && *known == stateOf(file);
}

QVariant SettingsMemory::read(const QString& key) const
{
    if (!usable())
        return {};
    const QSettings settings(fileName_, QSettings::IniFormat);
    if (unsound(settings))
        return {};
    return settings.value(key);
}

void SettingsMemory::write(const QString& key, const QString& text)
{
    if (!usable())
        return;
    QSettings settings(fileName_, QSettings::IniFormat);
    // nothing Qt half read from an unsound file is kept: the file starts
    // again with what the surveyor keeps from now on
    if (unsound(settings))
        settings.clear();
    settings.setValue(key, text);
    // written at once, so a value outlives a program killed at the next prompt
    settings.sync();
}

QString SettingsMemory::recall(const char* name)
{
    const QVariant value = read(key(name));
    // a list ("1, 2") or a serialised value is nothing the entry wrote
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString();
}

void SettingsMemory::remember(const char* name, const QString& text)
{
    write(key(name), text);
}

bool SettingsMemory::recallFigurePage()
{
    const QVariant value = read(figurePageKey);
    return value.typeId() == QMetaType::QString && value.toString() == QStringLiteral("true");
}

void SettingsMemory::rememberFigurePage(bool wanted)
{
    write(figurePageKey, wanted ? QStringLiteral("true") : QStringLiteral("false"));
}

} // namespace korvane
