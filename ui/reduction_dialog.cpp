#include "reduction_dialog.h"

#include "message_sink.h"
#include "qt_text.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvane {

namespace {

// a typed value without the blanks of any width around it
std::string typed(const QLineEdit* field)
{
    return field->text().trimmed().toStdString();
}

QLineEdit* valueField(const std::string& text, const char* name, QWidget* dialog)
{
    auto* field = new QLineEdit(qtText(text), dialog);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

std::optional<DistanceReduction> askReduction(ReductionDialog& dialog, MessageSink& messages,
                                              const DistanceReduction& current)
{
    ReductionTexts offered = reductionTexts(current);
    for (;;) {
        const std::optional<ReductionTexts> texts = dialog.ask(offered);
        if (!texts)
            return std::nullopt;
        const ReductionReading reading = readReduction(*texts);
        if (reading.reduction)
            return reading.reduction;
        messages.tell(qtText(reading.refusal));
        offered = *texts;
    }
}

std::optional<ReductionTexts> QtReductionDialog::ask(const ReductionTexts& offered)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("边长归算"));
    auto* layout = new QVBoxLayout(&dialog);

    auto* off = new QRadioButton(QStringLiteral("不归算（边长已是坐标系中的平距）"), &dialog);
    off->setObjectName(QStringLiteral("off"));
    auto* toPlane = new QRadioButton(QStringLiteral("归算到投影面"), &dialog);
    toPlane->setObjectName(QStringLiteral("toProjectionPlane"));
    (offered.toProjectionPlane ? toPlane : off)->setChecked(true);
    layout->addWidget(off);
    layout->addWidget(toPlane);

    auto* heights = new QFormLayout;
    layout->addLayout(heights);
    auto* meanHeight = valueField(offered.meanHeight, "meanHeight", &dialog);
    auto* planeHeight = valueField(offered.planeHeight, "planeHeight", &dialog);
    heights->addRow(qtText(reductionPartLabel(ReductionProblem::Part::MeanHeight)), meanHeight);
    heights->addRow(qtText(reductionPartLabel(ReductionProblem::Part::PlaneHeight)), planeHeight);

    auto* gauss = new QCheckBox(QStringLiteral("高斯投影改正"), &dialog);
    gauss->setObjectName(QStringLiteral("gaussCorrection"));
    gauss->setChecked(offered.gaussCorrection);
    layout->addWidget(gauss);
    auto* constant = new QFormLayout;
    layout->addLayout(constant);
    auto* yConstant = valueField(offered.yConstant, "yConstant", &dialog);
    constant->addRow(qtText(reductionPartLabel(ReductionProblem::Part::YConstant)), yConstant);

    // the radius in one piece, wherever the line breaks
    const QString radius = qtText(earthRadiusText()).replace(u' ', QChar::Nbsp);
    auto* formulas = new QLabel(QStringLiteral("每条观测边乘以 k_H = 1 + (H_0 − H_m) / R，\n"
                                               "高斯投影改正再乘以 k_G = 1 + y_m² / (2R²) + Δy² / (24R²)，\n"
                                               "其中 %1。H_0 为 0 即归算到参考椭球面；\n"
                                               "Y 坐标加常数含带号时连带号一起填写，如 38500000。")
                                    .arg(radius),
                                &dialog);
    formulas->setWordWrap(true);
    layout->addWidget(formulas);
    // wide enough that each formula reads on a line of its own
    dialog.setMinimumWidth(formulas->fontMetrics().horizontalAdvance(QString(30, QChar(0x4E00))));

    // the values of a choice not taken are not read, and look it
    const auto enable = [=] {
        meanHeight->setEnabled(toPlane->isChecked());
        planeHeight->setEnabled(toPlane->isChecked());
        gauss->setEnabled(toPlane->isChecked());
        yConstant->setEnabled(toPlane->isChecked() && gauss->isChecked());
    };
    enable();
    QObject::connect(toPlane, &QRadioButton::toggled, &dialog, enable);
    QObject::connect(gauss, &QCheckBox::toggled, &dialog, enable);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    // the first value selected when it is in use, so typing replaces it
    if (toPlane->isChecked()) {
        meanHeight->setFocus();
        meanHeight->selectAll();
    } else {
        off->setFocus();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ReductionTexts{toPlane->isChecked(), typed(meanHeight), typed(planeHeight), gauss->isChecked(),
                          typed(yConstant)};
}

} // namespace korvane
