#include "ExportXml.h"

#include "modXML.h"
#include "types/Date.h"

namespace tlx4r {

namespace {
// Shown as the generator of the files; it is the component's file description.
constexpr const char* kFileDescription = "Kelvora Reporting V4";
}  // namespace

void ExportXml::Open(const std::string& base_path, const std::vector<std::string>& fields,
                     const std::vector<std::string>&) {
    fields_ = fields;
    file_.Create(base_path + ".xml");
    Date now = Date::Now();
    file_.Line("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    file_.Line("<!--Copyright (c) " + std::to_string(now.Year()) + " Kelvora Software-->");
    file_.Line("<!--generator program=\"" + XmlEscape(kFileDescription) + "\"-->");
    file_.Line("<!--timestamp date=\"" + now.Format("dd.mm.yyyy") + "\" time=\"" + now.Format("HH:nn:ss") + "\"-->");
    file_.Line(XmlIndent(0) + "<Data>");
}

void ExportXml::Write(const std::vector<std::string>& values) {
    file_.Line(XmlIndent(1) + "<" + data_name_ + ">");
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::string& name = fields_[i];
        const std::string value = i < values.size() ? values[i] : std::string();
        if (value.empty()) {
            file_.Line(XmlIndent(2) + "<" + name + " />");
        } else {
            file_.Line(XmlIndent(2) + "<" + name + ">" + XmlEscape(value) + "</" + name + ">");
        }
    }
    file_.Line(XmlIndent(1) + "</" + data_name_ + ">");
}

void ExportXml::Close() {
    if (!file_.IsOpen()) return;
    file_.Line(XmlIndent(0) + "</Data>");
    file_.Commit();
}

}  // namespace tlx4r
