#include "observation_commands.h"

#include "fault_message.h"
#include "figure_chooser.h"
#include "file_messages.h"
#include "input_dialog.h"
#include "message_sink.h"
#include "open_file_dialog.h"
#include "proposed_path.h"
#include "save_file_dialog.h"

#include "observation_file.h"
#include "whole_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace korvane {

namespace {

const QString filter = QStringLiteral("观测文件 (*.csv *.txt);;所有文件 (*)");

} // namespace

QString nothingToSaveMessage()
{
    return QStringLiteral("还没有完整的一组观测值可以保存。请先进行平差计算（输入全部九个数值）或打开观测文件。");
}

std::optional<Observations> ObservationFiles::open(OpenFileDialog& files, FigureChooser& chooser, MessageSink& messages)
{
    const std::optional<QString> path =
        files.askOpenPath(QStringLiteral("打开观测文件"), filter, folder_.isEmpty() ? documentsFolder() : folder_);
    if (!path || path->isEmpty())
        return std::nullopt;
    folder_ = QFileInfo(*path).absolutePath();

    std::vector<files::Figure> figures;
    try {
        figures = files::readAllFigures(QFile::encodeName(*path).toStdString());
    } catch (const files::ObservationFileError& error) {
        messages.tell(observationFaultMessage(*path, error.fault()));
        return std::nullopt;
    }
    if (figures.empty()) {
        messages.tell(noFiguresMessage(*path));
        return std::nullopt;
    }
    std::size_t chosen = 0;
    if (figures.size() > 1) {
        std::vector<FigureChoice> choices;
        choices.reserve(figures.size());
        for (const files::Figure& figure : figures)
            choices.push_back({QString::fromStdString(figure.name), figure.line});
        const std::optional<std::size_t> choice = chooser.choose(*path, choices);
        if (!choice)
            return std::nullopt;
        chosen = *choice;
    }
    return figures[chosen].values;
}

void ObservationFiles::save(SaveFileDialog& files, InputDialog& names, MessageSink& messages, const Observations& values)
{
    const QString folder = folder_.isEmpty() ? documentsFolder() : folder_;
    const std::optional<QString> path =
        files.askSavePath(QStringLiteral("保存观测文件"), QStringLiteral("观测文件 (*.csv)"),
                          stampedPath(folder, QDateTime::currentDateTime(), QStringLiteral(".csv")));
    if (!path || path->isEmpty())
        return;
    folder_ = QFileInfo(*path).absolutePath();
    const std::optional<QString> name = names.ask(QStringLiteral("图形名称："), QFileInfo(*path).completeBaseName(), nullptr);
    if (!name)
        return;
    try {
        writeWholeFile(QFile::encodeName(*path).toStdString(),
                       files::observationFileText(name->trimmed().toStdString(), values));
    } catch (const FileError& error) {
        messages.tell(fileFailureMessage(QStringLiteral("观测值没有保存到文件"), error));
    }
}

} // namespace korvane
