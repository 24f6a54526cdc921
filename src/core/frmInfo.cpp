#include "core/frmInfo.h"

#include "core/modReporting.h"

namespace tlx4r {

frmInfo::frmInfo() : ui::Form("frmInfo", "Info") {
    btnOk.SetDefault(true);
    btnOk.SetCancel(true);
    btnOk.Click = [this] { Hide(); };
}

void frmInfo::ShowInfo(const std::string& program_line) {
    lblProgram.SetCaption(program_line);
    lblCopyright.SetCaption(LegalCopyright());
    FormShowModal(*this);
}

}  // namespace tlx4r
