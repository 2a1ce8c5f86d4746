#pragma once

// The entry's memory in the user's settings, an INI file read and written
// through QSettings: by default the file where QSettings keeps organisation
// "Korvane", application "korvane" (~/.config/Korvane/korvane.conf), each
// value under [Entry] as its exact text.

#include "entry_memory.h"

namespace korvane {

class SettingsMemory final : public EntryMemory {
public:
    explicit SettingsMemory(QString fileName);

    // Korvane/korvane.conf in the user's configuration folder
    // ($XDG_CONFIG_HOME, else ~/.config); empty when there is none.
    static QString userFile();

    QString recall(const char* name) override;
    void remember(const char* name, const QString& text) override;

private:
    bool usable() const;

    QString fileName_;
    bool unsound_ = false; // the file could not be read or parsed
};

} // namespace korvane
