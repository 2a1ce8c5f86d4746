#pragma once

// The modal question for a file to open.

#include <QString>

#include <optional>

class QWidget;

namespace korvane {

class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // Shows the files of `folder` that match `filter` under `title`. Returns
    // the chosen path, or nothing when the operator cancels.
    virtual std::optional<QString> askOpenPath(const QString& title, const QString& filter, const QString& folder) = 0;
};

// Qt's own file dialog in Chinese, as the save dialog.
class QtOpenFileDialog final : public OpenFileDialog {
public:
    explicit QtOpenFileDialog(QWidget* parent) : parent_(parent) {}
    std::optional<QString> askOpenPath(const QString& title, const QString& filter, const QString& folder) override;

private:
    QWidget* parent_;
};

} // namespace korvane
