#include "accuracy_dialog.h"

#include "message_sink.h"

#include "exact_text.h"
#include "number_reading.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane {

namespace {

QString text(double value)
{
    return QString::fromStdString(typedText(value));
}

// one of the two values: its label and its bound
struct Part {
    QString label;
    double largest;
};

// "请输入 0 到 100 之间的数。"
QString rangeAdvice(const Part& part)
{
    return QStringLiteral("请输入 0 到 %1 之间的数。").arg(text(part.largest));
}

std::optional<double> readPart(const QString& typed, const Part& part, QString& refusal)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty()) {
        refusal = QStringLiteral("%1没有填写。").arg(part.label) + rangeAdvice(part);
        return std::nullopt;
    }
    const std::optional<double> value = readNumber(trimmed.toStdString());
    if (!value)
        refusal = QStringLiteral("%1“%2”不是可用的数。").arg(part.label, trimmed) + rangeAdvice(part);
    return value;
}

} // namespace

QString constantPartLabel()
{
    return QStringLiteral("固定误差 a（毫米）");
}

QString scalePartLabel()
{
    return QStringLiteral("比例误差 b（ppm）");
}

AccuracyReading readAccuracy(const AccuracyTexts& texts)
{
    const Part constant{constantPartLabel(), largestConstantMm};
    const Part scale{scalePartLabel(), largestPpm};
    AccuracyReading reading;
    const std::optional<double> a = readPart(texts.constantMm, constant, reading.refusal);
    if (!a)
        return reading;
    const std::optional<double> b = readPart(texts.ppm, scale, reading.refusal);
    if (!b)
        return reading;

    const DistanceAccuracy accuracy{*a, *b};
    const std::optional<AccuracyProblem> problem = accuracyProblem(accuracy);
    if (!problem) {
        reading.accuracy = accuracy;
        return reading;
    }
    if (problem->reason == AccuracyProblem::Reason::BothZero) {
        reading.refusal = QStringLiteral("固定误差 a 和比例误差 b 不能都为 0：没有误差的测距仪并不存在，"
                                         "那样任何闭合差都会超限。");
        return reading;
    }
    // read from finite numbers, the remaining problem is a value out of its range
    const bool constantWrong = problem->part == AccuracyProblem::Part::Constant;
    const Part& wrong = constantWrong ? constant : scale;
    const QString typed = (constantWrong ? texts.constantMm : texts.ppm).trimmed();
    reading.refusal = QStringLiteral("%1“%2”超出了范围。").arg(wrong.label, typed) + rangeAdvice(wrong);
    return reading;
}

std::optional<DistanceAccuracy> askAccuracy(AccuracyDialog& dialog, MessageSink& messages,
                                            DistanceAccuracy current)
{
    AccuracyTexts offered{text(current.constantMm), text(current.ppm)};
    for (;;) {
        const std::optional<AccuracyTexts> typed = dialog.ask(offered);
        if (!typed)
            return std::nullopt;
        const AccuracyReading reading = readAccuracy(*typed);
        if (reading.accuracy)
            return reading.accuracy;
        messages.tell(reading.refusal);
        offered = *typed;
    }
}

std::optional<AccuracyTexts> QtAccuracyDialog::ask(const AccuracyTexts& offered)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("测距精度"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("测距仪的标称精度 a + b·ppm，用来求闭合差的限差。"), &dialog));
    auto* form = new QFormLayout;
    layout->addLayout(form);
    auto* constant = new QLineEdit(offered.constantMm, &dialog);
    constant->setObjectName(QStringLiteral("constantMm"));
    auto* scale = new QLineEdit(offered.ppm, &dialog);
    scale->setObjectName(QStringLiteral("ppm"));
    form->addRow(constantPartLabel(), constant);
    form->addRow(scalePartLabel(), scale);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    // the first value selected, so typing replaces it and Enter keeps both
    constant->setFocus();
    constant->selectAll();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return AccuracyTexts{constant->text(), scale->text()};
}

} // namespace korvane
