#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "editor/files/ConfigText.h"

namespace tupalo {
namespace {

TEST(ConfigNumber, ReadsDecimalTextRoundingHalvesToEven) {
  const std::pair<const char*, int> cases[] = {
      {" 12", 12},  {"-3", -3},    {"+7", 7},   {"1.5", 2}, {"2.5", 2}, {"-2.5", -2},
      {"-1.5", -2}, {"2.51", 3},   {".6", 1},   {"3.", 3},  {"1,5", 1}, {"7abc", 7},
      {"1.5.5", 2}, {"1e3", 1},    {"abc", 0},  {"", 0},    {"- 3", 0}, {"+-3", 0},
      {"\t 4", 4},  {"00012", 12}, {"１２", 0},  // full-width digits are not digits here
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
  for (int32_t v : {0, -1, 3091, INT32_MAX, INT32_MIN})
    EXPECT_EQ(configNumber32(configNumberText(v)), v);
  EXPECT_EQ(configNumberText(3091), " 3091");
  EXPECT_EQ(configNumberText(-15), "-15");
}

QByteArray shiftJis(const QString& text) {
  QStringEncoder encoder("Shift_JIS");
  const QByteArray bytes = encoder.encode(text);
  EXPECT_FALSE(encoder.hasError()) << text.toStdString();
  return bytes;
}

TEST(ConfigText, SplitsLinesAndCutsKeyLines) {
  EXPECT_EQ(splitConfigText("A\r\nB\nC\rD\r\n\r\nE"), (QStringList{"A", "B", "C", "D", "", "E"}));

  KeyLine k = splitKeyLine(u"LAN1,/opt/a, b/run ' x 'y");
  EXPECT_EQ(k.key, "LAN1");
  EXPECT_EQ(k.value, "/opt/a, b/run");  // only the first comma separates
  EXPECT_EQ(k.comment, "' x 'y");
  EXPECT_EQ(splitKeyLine(u"IDSP").value, "IDSP");  // no comma: the whole line
}

// Each file comes back in the bytes it came in, whichever encoding and line
// ends it has, as long as nothing in it changed.
TEST(ConfigText, EncodingAndLineEndsAreRecognisedAndKept) {
  const QString japanese = QString::fromUtf8(
      "' 色定義 ｶﾅ ①\r\nCNAM , 肌色 'はだ\r\nLAN1 , /home/太郎/~絵\\x\r\n[EOF]\r\n");
  struct Case {
    const char* what;
    QByteArray bytes;
    TextFormat format;
  } cases[] = {
      {"UTF-8", QString(japanese).remove(u'\r').toUtf8(), {}},
      {"UTF-8, mark, CR LF", "\xEF\xBB\xBF" + japanese.toUtf8(), {TextEncoding::Utf8, true, true}},
      {"Shift-JIS, CR LF", shiftJis(japanese), {TextEncoding::ShiftJis, false, true}},
      {"Shift-JIS, LF",
       shiftJis(QString(japanese).remove(u'\r')),
       {TextEncoding::ShiftJis, false, false}},
      // Neither as a whole: one UTF-8 line does not make the others UTF-8.
      {"Latin-1", "/caf\xE9\r\n/\xE5\xA4\xAA\r\n\x81\r\n", {TextEncoding::Latin1, false, true}},
      {"cut-off Shift-JIS", shiftJis(japanese) + "\x93\r\n", {TextEncoding::Latin1, false, true}},
  };
  for (const Case& c : cases) {
    const ConfigText text = decodeConfigText(c.bytes);
    EXPECT_EQ(text.format, c.format) << c.what;
    EXPECT_EQ(encodeConfigText(text.lines, text.format), c.bytes) << c.what;
  }
  EXPECT_EQ(decodeConfigText(shiftJis(japanese)).lines,
            japanese.split(QStringLiteral("\r\n")).first(4));
  EXPECT_EQ(decodeConfigText(cases[4].bytes).lines[0], QString::fromUtf8("/café"));
  // Mixed line ends: the first one decides; a last line without one gets it.
  const ConfigText mixed = decodeConfigText("a\nb\r\nc");
  EXPECT_EQ(mixed.lines, (QStringList{"a", "b", "c"}));
  EXPECT_EQ(encodeConfigText(mixed.lines, mixed.format), "a\nb\nc\n");
}

// What Shift-JIS (or Latin-1) can't hold makes the whole file UTF-8, line
// ends kept: never a "?" in place of a name.
TEST(ConfigText, TextTheOldEncodingCannotHoldIsWrittenAsUtf8) {
  const TextFormat sjis{TextEncoding::ShiftJis, false, true};
  for (const char* name :
       {"😀 肌色", "¥100", "〜"}) {  // no code; one-way to 0x5C; no code in code page 932
    const QStringList lines{QStringLiteral("CNAM , ") + QString::fromUtf8(name),
                            QStringLiteral("[EOF]")};
    const QByteArray bytes = encodeConfigText(lines, sjis);
    EXPECT_EQ(bytes, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n") << name;
    EXPECT_EQ(decodeConfigText(bytes).lines, lines) << name;
  }
  EXPECT_EQ(encodeConfigText({QString::fromUtf8("～ ∥ 髙")}, sjis),
            shiftJis(QString::fromUtf8("～ ∥ 髙\r\n")));
  EXPECT_EQ(encodeConfigText({QString::fromUtf8("café 肌")}, {TextEncoding::Latin1, false, false}),
            QByteArray("caf\xC3\xA9 \xE8\x82\x8C\n"));
}

// A Shift-JIS file read as Latin-1 because of a damaged byte: once a rewrite
// drops that byte, the rest would read as Shift-JIS, every name changed.
TEST(ConfigText, BytesThatWouldReadBackAsOtherTextAreWrittenAsUtf8) {
  const QByteArray damaged = shiftJis(QString::fromUtf8("CNAM , 肌色\nCA_R")) + "\xFF , 1\n";
  const ConfigText text = decodeConfigText(damaged);
  ASSERT_EQ(text.format.encoding, TextEncoding::Latin1);
  const QStringList rewritten{text.lines[0], QStringLiteral("CA_R , 1")};
  const QByteArray bytes = encodeConfigText(rewritten, text.format);
  EXPECT_EQ(decodeConfigText(bytes).lines, rewritten);
  EXPECT_EQ(bytes, rewritten.join(u'\n').toUtf8() + "\n");
  // Plain ASCII reads back the same in any encoding and stays as it is.
  EXPECT_EQ(encodeConfigText({"CA_R , 1"}, text.format), "CA_R , 1\n");
}

// The end line means the same to the readers and the writer: exactly "[EOF]".
// What looks like it only once trimmed is data to both, and what follows the
// end is kept as it stands.
TEST(ConfigText, RewriteKeepsLookalikeEndLinesAndWhatFollowsTheEnd) {
  const QStringList out = rewriteKeyLines(
      {"  KEY1 , a 'c ", "  [EOF]", "[EOF]  ", "KEY2,b", "[EOF]", "  KEY3 , c", "", "\t[EOF]"},
      [](const KeyLine& parts) { return parts.value + QStringLiteral("!"); });
  EXPECT_EQ(out, (QStringList{"KEY1 , a! 'c", "  [EOF]", "[EOF]  ", "KEY2 , b! ", "[EOF]",
                              "  KEY3 , c", "", "\t[EOF]"}));
  EXPECT_TRUE(isConfigEndLine(u"[EOF]"));
  EXPECT_FALSE(isConfigEndLine(u" [EOF]"));
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
