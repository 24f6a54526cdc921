#include "Tags.h"

#include "core/modStringLibrary.h"
#include "types/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace tlx4r {

std::string Tags::Full() const {
    std::string out;
    for (const auto& t : tags_) {
        if (!out.empty()) out += kSeparator;
        out += t;
    }
    return out;
}

void Tags::SetFull(std::string_view text) {
    Clear();
    Add(text);
}

void Tags::Add(std::string_view text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(kSeparator, start);
        if (end == std::string_view::npos) end = text.size();
        std::string piece = Trim(text.substr(start, end - start));
        if (!piece.empty() && !IsHere(piece)) tags_.push_back(piece);
        start = end + 1;
    }
}

bool Tags::Remove(std::string_view tag) {
    const std::string key = utf8::Upper(tag);
    auto it = std::find_if(tags_.begin(), tags_.end(), [&](const std::string& t) { return utf8::Upper(t) == key; });
    if (it == tags_.end()) return false;
    tags_.erase(it);
    return true;
}

const std::string& Tags::Item(long index) const {
    if (index < 1 || index > Count()) throw std::out_of_range("Tags: index " + std::to_string(index) + " out of range");
    return tags_[static_cast<std::size_t>(index - 1)];
}

bool Tags::IsHere(std::string_view tag) const {
    const std::string key = utf8::Upper(Trim(tag));
    return std::any_of(tags_.begin(), tags_.end(), [&](const std::string& t) { return utf8::Upper(t) == key; });
}

}  // namespace tlx4r
