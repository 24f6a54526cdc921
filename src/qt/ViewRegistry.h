#pragma once

#include "ui/Form.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tlx4r::qt {

// Which view shows which form, by the form's type name. Each entry can also create a sample of
// its form, so that the binding check and the screenshot tool reach every view.
class ViewRegistry {
public:
    using ViewFactory = std::function<QWidget*(ui::Form&)>;
    using FormFactory = std::function<std::unique_ptr<ui::Form>()>;

    // The process's registry, holding the component's views.
    static ViewRegistry& Instance();

    // Replaces an earlier entry of the same name.
    void Register(const std::string& form_name, ViewFactory view, FormFactory sample);
    bool Has(const std::string& form_name) const { return entries_.count(form_name) > 0; }
    // A new view bound to form (the caller owns it); nullptr when none is registered.
    QWidget* CreateView(ui::Form& form) const;
    // A new form of that name for tests and screenshots; nullptr when none is registered.
    std::unique_ptr<ui::Form> CreateSample(const std::string& form_name) const;
    std::vector<std::string> Names() const;

private:
    struct Entry {
        ViewFactory view;
        FormFactory sample;
    };
    std::map<std::string, Entry> entries_;
};

}  // namespace tlx4r::qt
