#include "observation_commands.h"

#include "figure_chooser.h"
#include "input_dialog.h"
#include "message_sink.h"
#include "open_file_dialog.h"
#include "proposed_path.h"
#include "qt_text.h"
#include "save_file_dialog.h"

#include "file_words.h"
#include "observation_file.h"
#include "observation_words.h"
#include "shown_text.h"
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

ObservationCommands::ObservationCommands(const FigureCompute& compute, OpenFileDialog& openFiles,
                                         FigureChooser& chooser, SaveFileDialog& saveFiles, InputDialog& names,
                                         MessageSink& messages, QObject* parent)
    : QObject(parent),
      compute_(compute),
      openFiles_(openFiles),
      chooser_(chooser),
      saveFiles_(saveFiles),
      names_(names),
      messages_(messages)
{
}

QString ObservationCommands::folder() const
{
    return folder_.isEmpty() ? documentsFolder() : folder_;
}

void ObservationCommands::open()
{
    const std::optional<QString> path = openFiles_.askOpenPath(QStringLiteral("打开观测文件"), filter, folder());
    if (!path || path->isEmpty())
        return;
    folder_ = QFileInfo(*path).absolutePath();

    std::vector<files::FigureLine> lines;
    try {
        lines = files::readFigureLines(QFile::encodeName(*path).toStdString());
    } catch (const files::ObservationFileError& error) {
        messages_.tell(qtText(observationFaultMessage(path->toStdString(), error.fault())));
        return;
    }
    if (lines.empty()) {
        messages_.tell(qtText(noFiguresMessage(path->toStdString())));
        return;
    }
    std::size_t chosen = 0;
    if (lines.size() > 1) {
        std::vector<FigureChoice> choices;
        choices.reserve(lines.size());
        for (const files::FigureLine& line : lines) {
            if (const auto* fault = std::get_if<files::FileFault>(&line))
                choices.push_back({qtText(quotedCell(fault->name)), fault->line, qtText(observationFaultText(*fault))});
            else
                choices.push_back({qtText(quotedCell(std::get<files::Figure>(line).name)),
                                   std::get<files::Figure>(line).line, {}});
        }
        const std::optional<std::size_t> choice = chooser_.choose(*path, choices);
        if (!choice)
            return;
        chosen = *choice;
    }
    // a file of one line that holds no figure, as before
    if (const auto* fault = std::get_if<files::FileFault>(&lines[chosen])) {
        messages_.tell(qtText(observationFaultMessage(path->toStdString(), *fault)));
        return;
    }
    const files::Figure& figure = std::get<files::Figure>(lines[chosen]);
    emit figureOpened(figure.values, figure.identity(), figure.meanHeight);
}

void ObservationCommands::save()
{
    if (!compute_.entered()) {
        messages_.tell(nothingToSaveMessage());
        return;
    }
    const std::optional<QString> path =
        saveFiles_.askSavePath(QStringLiteral("保存观测文件"), QStringLiteral("观测文件 (*.csv)"),
                               stampedPath(folder(), QDateTime::currentDateTime(), QStringLiteral(".csv")));
    if (!path || path->isEmpty())
        return;
    folder_ = QFileInfo(*path).absolutePath();
    const FigureIdentity& figure = compute_.identity();
    const std::optional<QString> name = names_.ask(
        QStringLiteral("图形名称："),
        figure.name.empty() ? QFileInfo(*path).completeBaseName() : qtText(figure.name), nullptr, {});
    if (!name)
        return;
    try {
        writeWholeFile(QFile::encodeName(*path).toStdString(),
                       files::observationFileText(name->trimmed().toStdString(), *compute_.entered(), figure.points));
    } catch (const FileError& error) {
        messages_.tell(qtText(fileFailureMessage("观测值没有保存到文件", error)));
    }
}

} // namespace korvane
