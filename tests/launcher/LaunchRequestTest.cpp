// How tuparun reads what the editor asks of it.
#include <gtest/gtest.h>

#include "launcher/LaunchRequest.h"

namespace tuparun {
namespace {

TEST(LaunchRequestTest, TheEditorsArgumentsWithBlanksAroundTheValues) {
  // The editor writes the flag with its leading blank; a picture with spaces
  // and a program folder with spaces are one argument each.
  const auto r = ParseLaunchArguments({"/MD", " 1", "/EN", "/home/u/RPG/my pic.BMP", "/RP",
                                       "/opt/tu pa/tupalo", "/SP", "/usr/bin/edit"});
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->restartWhenDone);
  EXPECT_EQ(r->picture, "/home/u/RPG/my pic.BMP");
  EXPECT_EQ(r->editor, "/opt/tu pa/tupalo");
  EXPECT_EQ(r->program, "/usr/bin/edit");

  // Two blanks before the flag, and 0.
  EXPECT_TRUE(
      ParseLaunchArguments({"/MD", "  1", "/EN", "a", "/RP", "b", "/SP", "c"})->restartWhenDone);
  EXPECT_FALSE(
      ParseLaunchArguments({"/MD", " 0", "/EN", "a", "/RP", "b", "/SP", "c"})->restartWhenDone);
  // A value that reads like a switch stays a value in the editor's form.
  EXPECT_EQ(ParseLaunchArguments({"/MD", "1", "/EN", "/SP", "/RP", "b", "/SP", "c"})->picture,
            "/SP");
}

TEST(LaunchRequestTest, WordsTypedByHandAreJoinedAndTrimmed) {
  const auto r = ParseLaunchArguments(
      {"/MD", "1", "/EN", "/tmp/my", "", "pic.BMP ", "/RP", "ed", "/SP", "/usr/bin/x", "y"});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->picture, "/tmp/my  pic.BMP");
  EXPECT_EQ(r->program, "/usr/bin/x y");
  // Switches match whole arguments only: /RP inside a path cuts nothing.
  EXPECT_EQ(
      ParseLaunchArguments({"/MD", "0", "/EN", "/home/u/RP/x /SP.BMP", "/RP", "e", "/SP", "p", "q"})
          ->picture,
      "/home/u/RP/x /SP.BMP");
}

TEST(LaunchRequestTest, MissingMisplacedOrEmptyPartsAreRefused) {
  EXPECT_FALSE(ParseLaunchArguments({}));
  EXPECT_FALSE(ParseLaunchArguments({"/MD", "1", "/EN", "a", "/RP", "b"}));
  EXPECT_FALSE(ParseLaunchArguments({"/EN", "a", "/MD", "1", "/RP", "b", "/SP", "c"}));
  EXPECT_FALSE(ParseLaunchArguments({"x", "/MD", "1", "/EN", "a", "/RP", "b", "/SP", "c"}));
  EXPECT_FALSE(ParseLaunchArguments({"/MD", "1", "/EN", "/RP", "b", "/SP", "c"}));
  EXPECT_FALSE(ParseLaunchArguments({"/MD", "1", "/EN", "a", "/RP", "b", "/SP"}));
  EXPECT_FALSE(ParseLaunchArguments({"/MD", "1", "/EN", " ", "/RP", "b", "/SP", "c"}));
  // Lower case is not a switch.
  EXPECT_FALSE(ParseLaunchArguments({"/md", "1", "/EN", "a", "/RP", "b", "/SP", "c"}));
}

TEST(LaunchRequestTest, TheFlagReadsAsTheSettingsFileReadsNumbers) {
  EXPECT_EQ(DecimalValue("  1"), 1);
  EXPECT_EQ(DecimalValue("1x"), 1);
  EXPECT_EQ(DecimalValue("x1"), 0);
  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("-2.5"), -2);
  EXPECT_EQ(DecimalValue("0.5"), 0);
  EXPECT_EQ(DecimalValue("0.51"), 1);
  EXPECT_EQ(DecimalValue("1e99999999999999999999"), 1);
  EXPECT_NE(DecimalValue("99999999999999999999999"), 0);
}

}  // namespace
}  // namespace tuparun
