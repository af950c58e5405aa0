#include "editor/files/ConfigText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tupalo {
namespace {

TEST(ConfigNumber, ReadsDecimalTextRoundingHalvesToEven) {
  const std::pair<const char*, int> cases[] = {
      {" 12", 12}, {"-3", -3},  {"+7", 7},    {"1.5", 2},    {"2.5", 2},   {"-2.5", -2}, {"-1.5", -2},
      {"2.51", 3}, {".6", 1},   {"3.", 3},    {"1,5", 1},    {"7abc", 7},  {"1.5.5", 2}, {"1e3", 1},
      {"abc", 0},  {"", 0},     {"- 3", 0},   {"+-3", 0},    {"\t 4", 4},  {"00012", 12},
      {"１２", 0},  // full-width digits are not digits here
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(configNumber16(QString::fromUtf8(text)), std::optional<int16_t>(expected)) << text;
  // Trailing digits far past the first still decide a half.
  EXPECT_EQ(configNumber32(QStringLiteral("4.5") + QString(5000, u'0') + QStringLiteral("1")), 5);
}

TEST(ConfigNumber, OutsideTheKeysTypeIsNoValue) {
  EXPECT_EQ(configNumber16(u"-32768.5"), std::optional<int16_t>(-32768));
  EXPECT_EQ(configNumber16(u"32767.5"), std::nullopt);  // rounds to 32768
  EXPECT_EQ(configNumber16(u"70000"), std::nullopt);    // not wrapped
  EXPECT_EQ(configNumber32(u"70000"), 70000);
  EXPECT_EQ(configNumber32(u"2147483648"), std::nullopt);
  EXPECT_EQ(configNumber32(u"99999999999999999999999999"), std::nullopt);
  for (int32_t v : {0, -1, 3091, INT32_MAX, INT32_MIN}) EXPECT_EQ(configNumber32(configNumberText(v)), v);
  EXPECT_EQ(configNumberText(3091), " 3091");
  EXPECT_EQ(configNumberText(-15), "-15");
}

TEST(ConfigText, SplitsLinesAndDecodes) {
  EXPECT_EQ(splitConfigText("A\r\nB\nC\rD\r\n\r\nE"), (QStringList{"A", "B", "C", "D", "", "E"}));
  // Byte-order mark dropped; a line that isn't UTF-8 is Latin-1.
  EXPECT_EQ(splitConfigText("\xEF\xBB\xBF/\xE5\xA4\xAA\xE9\x83\x8E\n/caf\xE9\n"),
            (QStringList{QString::fromUtf8("/太郎"), QString::fromUtf8("/café")}));

  KeyLine k = splitKeyLine(u"LAN1,/opt/a, b/run ' x 'y");
  EXPECT_EQ(k.key, "LAN1");
  EXPECT_EQ(k.value, "/opt/a, b/run");  // only the first comma separates
  EXPECT_EQ(k.comment, "' x 'y");
  EXPECT_EQ(splitKeyLine(u"IDSP").value, "IDSP");  // no comma: the whole line
}

TEST(ConfigText, ReadsOnlyRegularFilesOfSaneSize) {
  QTemporaryDir dir;
  QByteArray bytes;
  QString error;
  EXPECT_FALSE(readConfigFileBytes(dir.filePath("MISSING.CNF"), bytes, &error));
  EXPECT_FALSE(error.isEmpty());
  ASSERT_TRUE(QDir(dir.path()).mkdir("FOLDER.CNF"));
  EXPECT_FALSE(readConfigFileBytes(dir.filePath("FOLDER.CNF"), bytes));
  QFile big(dir.filePath("BIG.CNF"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxConfigFileBytes + 1));
  big.close();
  EXPECT_FALSE(readConfigFileBytes(big.fileName(), bytes));
}

}  // namespace
}  // namespace tupalo
