#include "reporting/Tags.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

TEST(Tags, KeepsAnOrderedSetOfTrimmedTags) {
    Tags tags;
    tags.Add(" XML ; ;CSV;xml;DBF;");
    EXPECT_EQ(tags.Count(), 3);
    EXPECT_EQ(tags.Full(), "XML;CSV;DBF");
    EXPECT_TRUE(tags.IsHere("csv"));
    EXPECT_FALSE(tags.IsHere("TXT"));
    EXPECT_EQ(tags.Item(2), "CSV");
    EXPECT_THROW((void)tags.Item(4), std::out_of_range);
    EXPECT_TRUE(tags.Remove("Xml"));
    EXPECT_FALSE(tags.Remove("MDB"));
    EXPECT_EQ(tags.Full(), "CSV;DBF");
    tags.SetFull("TXT");
    EXPECT_EQ(tags.Full(), "TXT");
    tags.SetFull("");
    EXPECT_EQ(tags.Count(), 0);
    EXPECT_EQ(tags.Full(), "");
}

}  // namespace
}  // namespace tlx4r
