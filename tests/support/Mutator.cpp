#include "support/Mutator.h"

#include <algorithm>
#include <cstdlib>

namespace tlx4r::test {

Mutator::Mutator(std::uint32_t seed, std::vector<std::string> pieces, int most_edits)
    : random_(seed), pieces_(std::move(pieces)), most_edits_(std::max(1, most_edits)) {}

std::size_t Mutator::Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

std::string Mutator::Mutate(std::string text) {
    const int edits = 1 + static_cast<int>(Pick(static_cast<std::size_t>(most_edits_)));
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = Pick(text.size() + 1);
        const std::size_t kind = text.empty() ? 0 : Pick(4);
        switch (kind) {
            case 0:
                if (!pieces_.empty()) text.insert(at, pieces_[Pick(pieces_.size())]);
                break;
            case 1: text.erase(std::min(at, text.size() - 1), 1 + Pick(8)); break;
            case 2: text[std::min(at, text.size() - 1)] = static_cast<char>(Pick(256)); break;
            default: text.insert(at, text.substr(Pick(text.size()), 1 + Pick(16))); break;
        }
    }
    return text;
}

std::string Mutator::MutateOneOf(const std::vector<std::string>& seeds) { return Mutate(seeds[Pick(seeds.size())]); }

long Mutator::Budget(long normal) {
    if (const char* budget = std::getenv("TLX4R_FUZZ_ITERATIONS")) return std::max(1L, std::atol(budget));
    return normal;
}

}  // namespace tlx4r::test
