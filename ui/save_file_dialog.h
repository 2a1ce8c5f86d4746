#pragma once

// The modal question for a file to save to.

#include <QString>

#include <optional>

class QWidget;

namespace korvane {

class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    // Proposes `proposedPath` (its folder and name) under `title`, offering
    // the files that match `filter`. Returns the chosen path, or nothing when
    // the operator cancels.
    virtual std::optional<QString> askSavePath(const QString& title, const QString& filter,
                                               const QString& proposedPath) = 0;
};

// A modal QFileDialog in Chinese, whatever the desktop's language, as the
// other dialogs of the window. A name without the suffix of a file type on
// offer gets the chosen type's (".pdf", ".dat") before the dialog checks
// whether the file exists, so replacing an archived file is always asked
// first.
class QtSaveFileDialog final : public SaveFileDialog {
public:
    explicit QtSaveFileDialog(QWidget* parent) : parent_(parent) {}
    std::optional<QString> askSavePath(const QString& title, const QString& filter,
                                       const QString& proposedPath) override;

private:
    QWidget* parent_;
};

// `path`, ending in ".pdf" (in any case); a name without it gets it.
QString withPdfSuffix(const QString& path);

// `path` as it is when it ends in the suffix of any of `filters` ("CSV 文件
// (*.csv)"), else with the first suffix of `chosenFilter` added.
QString withFilterSuffix(const QString& path, const QString& chosenFilter, const QStringList& filters);

} // namespace korvane
