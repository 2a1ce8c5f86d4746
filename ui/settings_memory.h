#pragma once

// The window's settings in the user's settings file, an INI file read and
// written through QSettings: by default the file where QSettings keeps
// organisation "Korvane", application "korvane"
// (~/.config/Korvane/korvane.conf), each value of the entry and the
// accuracy under [Entry] as its exact text; under [Report], whether the
// report takes the page of the figure.

#include "settings.h"

#include <QVariant>

class QSettings;

namespace korvane {

class SettingsMemory final : public Settings {
public:
    explicit SettingsMemory(QString fileName);

    // Korvane/korvane.conf in the user's configuration folder
    // ($XDG_CONFIG_HOME, else ~/.config); empty when there is none.
    static QString userFile();

    QString recall(const char* name) override;
    void remember(const char* name, const QString& text) override;

    // Off unless "true", as rememberFigurePage writes it, is kept: a bad
    // value reads as the default, without a word.
    bool recallFigurePage() override;
    void rememberFigurePage(bool wanted) override;

private:
    bool usable() const;
    bool unsound(const QSettings& settings) const;
    QVariant read(const QString& key) const;
    void write(const QString& key, const QString& text);

    QString fileName_;
    bool unsound_ = false; // the file could not be read or parsed
};

} // namespace korvane
