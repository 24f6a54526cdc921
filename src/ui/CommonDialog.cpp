#include "ui/CommonDialog.h"

#include <filesystem>

namespace tlx4r::ui {

bool CommonDialog::ShowOpen() { return Run(FileDialogRequest::Mode::Open); }
bool CommonDialog::ShowSave() { return Run(FileDialogRequest::Mode::Save); }

bool CommonDialog::Run(FileDialogRequest::Mode mode) {
    request_.mode = mode;
    auto chosen = Current().FileDialog(request_);
    if (!chosen) return false;
    request_.file_name = *chosen;
    auto folder = std::filesystem::path(*chosen).parent_path();
    if (!folder.empty()) request_.initial_dir = folder.string();
    return true;
}

}  // namespace tlx4r::ui
