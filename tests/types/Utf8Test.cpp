#include "types/Utf8.h"

#include <gtest/gtest.h>

namespace tlx4r::utf8 {
namespace {

TEST(Utf8, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(Length("Müller"), 6u);
    EXPECT_EQ(Sub("Müller & Söhne", 0, 2), "Mü");
    EXPECT_EQ(Sub("Zürich", 1), "ürich");
    EXPECT_EQ(Sub("Zürich", 10), "");
    EXPECT_EQ(Length("€"), 1u);
}

TEST(Utf8, FoldsCaseOfLettersWithDiacritics) {
    EXPECT_EQ(Upper("straße äöü éàç œ ł"), "STRAßE ÄÖÜ ÉÀÇ Œ Ł");
    EXPECT_EQ(Lower("ÄÖÜ ÉÈ Ÿ Ž"), "äöü éè ÿ ž");
    EXPECT_EQ(Lower("×"), "×") << "the multiplication sign has no case";
}

TEST(Utf8, ReadsWindows1252WhereTextIsNotUtf8) {
    EXPECT_FALSE(IsValid("Z\xFCrich"));
    EXPECT_EQ(Encode(Decode("Z\xFCrich \x80")), "Zürich €");
    EXPECT_EQ(FromCp1252("Gr\xFC\xDF"), "Grüß");
    EXPECT_EQ(ToCp1252(U'€'), 0x80);
    EXPECT_EQ(ToCp1252(U'ü'), 0xFC);
    EXPECT_EQ(ToCp1252(U'ł'), -1);
}

}  // namespace
}  // namespace tlx4r::utf8
