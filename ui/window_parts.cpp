#include "window_parts.h"

#include "accuracy_dialog.h"
#include "figure_chooser.h"
#include "guide_window.h"
#include "open_file_dialog.h"
#include "qt_dialogs.h"
#include "reduction_dialog.h"
#include "save_file_dialog.h"
#include "settings_memory.h"

#include <utility>

namespace korvane {

namespace {

template <typename Real, typename Part, typename... Arguments>
void fill(Part*& part, std::unique_ptr<Part>& real, Arguments&&... arguments)
{
    if (part)
        return;
    real = std::make_unique<Real>(std::forward<Arguments>(arguments)...);
    part = real.get();
}

} // namespace

RealParts::RealParts(WindowParts& parts, QWidget* window)
{
    fill<QtInputDialog>(parts.input, input_, window);
    fill<QtMessageSink>(parts.messages, messages_, window);
    fill<SettingsMemory>(parts.settings, settings_, SettingsMemory::userFile());
    fill<QtSaveFileDialog>(parts.saveFiles, saveFiles_, window);
    fill<QtOpenFileDialog>(parts.openFiles, openFiles_, window);
    fill<QtFigureChooser>(parts.chooser, chooser_, window);
    fill<QtAccuracyDialog>(parts.accuracy, accuracy_, window);
    fill<QtReductionDialog>(parts.reduction, reduction_, window);
    if (parts.guide.isEmpty())
        parts.guide = guideBesideProgram();
}

RealParts::~RealParts() = default;

} // namespace korvane
