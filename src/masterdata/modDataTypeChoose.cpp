#include "masterdata/modDataTypeChoose.h"

#include "entries/TypeBase.h"
#include "entries/modTypeBase.h"
#include "types/Utf8.h"
#include "ui/Ui.h"

namespace tlx4r {

std::int32_t DataTypeChoose(TypeBase& catalogue, std::int32_t current, std::optional<int> /*x*/,
                            std::optional<int> /*y*/) {
    std::string prompt = catalogue.DisplayName() + ": Kategorie (Code leer, 0-9 oder A-Z)";
    if (current >= 1) {
        const std::string name = catalogue.Topic(current);
        if (!name.empty()) prompt += "\r\nBisher: " + TypeCode(current) + " " + name;
    }
    const auto answer = ui::Current().InputBox(prompt, catalogue.DisplayName(), current >= 1 ? TypeCode(current) : "");
    if (!answer) return 0;
    // Code letters are upper case; a typed lower-case letter means the same category.
    const std::string code = answer->empty() ? std::string(" ") : utf8::Upper(answer->substr(0, 1));
    const std::int32_t number = TypeNumber(code);
    if (number < 1 || answer->size() > 1) {
        ui::Current().Beep();
        return current;
    }
    return number;
}

}  // namespace tlx4r
