// The tool table as a whole: one row per code, every step leads back to a
// tool that is its own first step.
#include <gtest/gtest.h>

#include <set>

#include "editor/core/ToolTable.h"

namespace tupalo {
namespace {

TEST(ToolTable, EveryStepReturnsToAToolOfItsOwn) {
  std::set<int> codes;
  for (const ToolInfo& row : AllToolRows()) {
    SCOPED_TRACE(row.code);
    EXPECT_TRUE(codes.insert(row.code).second) << "one row per code";
    const ToolInfo base = ToolInfoOf(row.base);
    EXPECT_EQ(base.base, base.code);
    EXPECT_FALSE(base.betweenClicks);
    if (row.code != row.base) {
      EXPECT_STREQ(row.statusName, "- - - -");
      EXPECT_EQ(row.make, nullptr) << "steps are drawn by their tool's object";
    }
  }
  // A code without a row names nothing and returns to itself.
  EXPECT_EQ(ToolInfoOf(4321).base, 4321);
  EXPECT_EQ(ToolStatusName(4321), QStringLiteral("- - - -"));
}

}  // namespace
}  // namespace tupalo
