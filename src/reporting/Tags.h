#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tlx4r {

// An ordered set of text tags kept as one text joined with ";" (for instance "XML;CSV"), as the
// export formats are stored in options. Tags compare without regard to case, as the old keyed
// collection did; each is kept as first written.
class Tags {
public:
    static constexpr char kSeparator = ';';

    long Count() const { return static_cast<long>(tags_.size()); }
    void Clear() { tags_.clear(); }
    // All tags joined with ";", without a trailing separator.
    std::string Full() const;
    // Clear, then Add.
    void SetFull(std::string_view text);
    // Splits text at ";", trims each piece and adds every non-empty piece not yet present.
    void Add(std::string_view text);
    // Removes the tag; returns false when it was not there.
    bool Remove(std::string_view tag);
    // The tag at a 1-based index; throws std::out_of_range outside 1..Count.
    const std::string& Item(long index) const;
    bool IsHere(std::string_view tag) const;

private:
    std::vector<std::string> tags_;
};

}  // namespace tlx4r
