// Any bytes as TUPA.CNF: what is read and written back (from the factory
// template, in the file's own encoding and line ends, as the editor saves it)
// reads the same again.
#include <QSet>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "editor/files/ConfigText.h"
#include "editor/files/Configuration.h"

namespace {

using namespace tupalo;

// A main window that takes what it is told.
struct Host : ConfigHost {
  int32_t top = 600, left = 900, width = 9000, height = 7000;
  int16_t state = 0;
  int32_t screenWidthTwips() const override { return 19200; }
  int32_t screenHeightTwips() const override { return 14400; }
  int32_t mainTop() const override { return top; }
  int32_t mainLeft() const override { return left; }
  int32_t mainWidth() const override { return width; }
  int32_t mainHeight() const override { return height; }
  void setMainTop(int32_t v) override { top = v; }
  void setMainLeft(int32_t v) override { left = v; }
  void setMainWidth(int32_t v) override { width = v; }
  void setMainHeight(int32_t v) override { height = v; }
  int16_t mainState() const override { return state; }
  void setMainState(int16_t v) override { state = v; }
  void restoreMainIfMinimised() override { state = state == 1 ? 0 : state; }
  int32_t paletteTop() const override { return 3091; }
  int32_t paletteHeight() const override { return 4200; }
  int32_t paletteWidth() const override { return 1500; }
  int32_t colourWindowLeft() const override { return 7000; }
  void autosaveIntervalRead(int16_t) override {}
};

const QStringList& factoryTemplate() {
  static const QStringList lines = [] {
    ConfigText text;
    if (!readConfigFile(QStringLiteral(TUPALO_DATA_DIR "/DEFAULT.CNF"), text)) std::abort();
    return text.lines;
  }();
  return lines;
}

Settings read(const QByteArray& bytes, Host& host) {
  Settings s;
  QString name;
  applyConfiguration(decodeConfigText(bytes).lines, s, host, false, name);
  return s;
}

// Takes one setting from another set of settings.
using Take = void (*)(Settings&, const Settings&);
#define KEY(k)                                             \
  {                                                        \
#k, [](Settings & a, const Settings& b) { a.k = b.k; } \
  }
const std::pair<const char*, Take> kKeys[] = {
    KEY(FEMD), KEY(PIWT), KEY(PIWS), KEY(PIWL), KEY(PIWW), KEY(PIWH), KEY(COWL), KEY(COWT),
    KEY(CMWL), KEY(CMWT), KEY(BEWT), KEY(BEWL), KEY(BEWW), KEY(BEWH), KEY(BEWD), KEY(IDSP),
    KEY(BEAU), KEY(BERM), KEY(VDMD), KEY(SZWM), KEY(RPNX), KEY(RPNM), KEY(CSEL), KEY(DROP),
    KEY(LAN1), KEY(LAN2), KEY(LAM1), KEY(LAM2), KEY(ASAM), KEY(ASAT), KEY(MERM), KEY(FUZH),
    KEY(FUZS), KEY(FUZV), KEY(SPRI), KEY(CDSP), KEY(LMOD), KEY(ACHK), KEY(HSET), KEY(MLLF),
    KEY(MLTP), KEY(MLDS), KEY(THPD), KEY(PRAD)};
#undef KEY

// Applied only while FEMD is 1.
const char* const kWindowKeys[] = {"PIWT", "PIWS", "PIWL", "PIWW", "PIWH", "COWL",
                                   "COWT", "CMWL", "CMWT", "BEWT", "BEWL", "BEWW",
                                   "BEWH", "BEWD", "MLLF", "MLTP", "MLDS"};

// The keys of a file, as the reader finds them.
QSet<QString> keysOf(const QStringList& lines) {
  QSet<QString> keys;
  for (const QString& line : lines) {
    if (isConfigEndLine(line)) break;
    if (line.startsWith(u'\'')) continue;
    const QString trimmed = trimBlanks(line);
    if (!trimmed.isEmpty()) keys.insert(splitKeyLine(trimmed).key);
  }
  return keys;
}

void take(const char* key, Settings& a, const Settings& b) {
  for (const auto& [name, copy] : kKeys)
    if (std::strcmp(name, key) == 0) copy(a, b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const ConfigText text = decodeConfigText(bytes);
  Host firstHost;
  Settings first = read(bytes, firstHost);
  // A save restores a minimised window first.
  firstHost.restoreMainIfMinimised();
  first.PIWS = firstHost.mainState();
  const QByteArray written =
      encodeConfigText(renderConfiguration(factoryTemplate(), first, firstHost), text.format);
  Host secondHost;
  const Settings second = read(written, secondHost);

  // What may differ: a key missing from the file kept its default, which the
  // key's own rule (a clamp, the window's geometry) changes once the key is
  // there; and without FEMD the window keys are whatever the windows have,
  // whatever an earlier FEMD line let through.
  const QSet<QString> present = keysOf(text.lines);
  for (const auto& [name, copy] : kKeys)
    if (!present.contains(QLatin1String(name))) copy(first, second);
  if (first.FEMD != 1)
    for (const char* key : kWindowKeys) take(key, first, second);

  if (!(first == second)) {
    std::fprintf(stderr, "settings read back differently; written:\n%s\n", written.constData());
    std::abort();
  }
  return 0;
}
