#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tlx4r::test {

// Mutations of valid inputs for the fuzz tests: pieces of the input's own language inserted,
// bytes deleted, replaced or repeated, one to `most_edits` edits per text, reproducible from the
// seed. The budget is small in the normal run and raised for long runs (scripts/fuzz.sh sets
// TLX4R_FUZZ_ITERATIONS).
class Mutator {
public:
    Mutator(std::uint32_t seed, std::vector<std::string> pieces, int most_edits = 4);

    // A mutated copy of text.
    std::string Mutate(std::string text);
    // One of seeds, mutated.
    std::string MutateOneOf(const std::vector<std::string>& seeds);
    // A number in [0, n).
    std::size_t Pick(std::size_t n);

    // The number of inputs a fuzz test tries: normal, or TLX4R_FUZZ_ITERATIONS when set.
    static long Budget(long normal);

private:
    std::mt19937 random_;
    std::vector<std::string> pieces_;
    int most_edits_;
};

}  // namespace tlx4r::test
