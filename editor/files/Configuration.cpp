#include "editor/files/Configuration.h"

#include <algorithm>
#include <array>
#include <limits>
#include <variant>

#include "editor/files/ConfigText.h"

namespace tupalo {

namespace {

// How a key is applied when read.
enum class Rule {
  Plain,    // stored as read
  MainTop,  // main window geometry and state
  MainLeft,
  MainWidth,
  MainHeight,
  MainState,
  FloatLeft,  // colour window and palette: pulled back onto the screen
  FloatTop,
  BirdTop,  // overview window: derived from the palettes first
  BirdLeft,
  BirdWidth,
  BirdHeight,
  Presence,    // the key's presence sets 1
  ReopenName,  // RPNM
  Autosave,    // ASAT
};

using Member = std::variant<int16_t Settings::*, int32_t Settings::*, QString Settings::*>;

struct KeyDef {
  const char* name;
  Member member;
  Rule rule;
  bool gated;  // applied only while FEMD is 1
};

const std::array<KeyDef, 44> kKeys{{
    {"FEMD", &Settings::FEMD, Rule::Plain, false},
    {"PIWT", &Settings::PIWT, Rule::MainTop, true},
    {"PIWS", &Settings::PIWS, Rule::MainState, true},
    {"PIWL", &Settings::PIWL, Rule::MainLeft, true},
    {"PIWW", &Settings::PIWW, Rule::MainWidth, true},
    {"PIWH", &Settings::PIWH, Rule::MainHeight, true},
    {"COWL", &Settings::COWL, Rule::FloatLeft, true},
    {"COWT", &Settings::COWT, Rule::FloatTop, true},
    {"CMWL", &Settings::CMWL, Rule::FloatLeft, true},
    {"CMWT", &Settings::CMWT, Rule::FloatTop, true},
    {"BEWT", &Settings::BEWT, Rule::BirdTop, true},
    {"BEWL", &Settings::BEWL, Rule::BirdLeft, true},
    {"BEWW", &Settings::BEWW, Rule::BirdWidth, true},
    {"BEWH", &Settings::BEWH, Rule::BirdHeight, true},
    {"BEWD", &Settings::BEWD, Rule::Plain, true},
    {"IDSP", &Settings::IDSP, Rule::Plain, false},
    {"BEAU", &Settings::BEAU, Rule::Presence, false},
    {"BERM", &Settings::BERM, Rule::Plain, false},
    {"VDMD", &Settings::VDMD, Rule::Plain, false},
    {"SZWM", &Settings::SZWM, Rule::Plain, false},
    {"RPNX", &Settings::RPNX, Rule::Plain, false},
    {"RPNM", &Settings::RPNM, Rule::ReopenName, false},
    {"CSEL", &Settings::CSEL, Rule::Plain, false},
    {"DROP", &Settings::DROP, Rule::Plain, false},
    {"LAN1", &Settings::LAN1, Rule::Plain, false},
    {"LAN2", &Settings::LAN2, Rule::Plain, false},
    {"LAM1", &Settings::LAM1, Rule::Plain, false},
    {"LAM2", &Settings::LAM2, Rule::Plain, false},
    {"ASAM", &Settings::ASAM, Rule::Plain, false},
    {"ASAT", &Settings::ASAT, Rule::Autosave, false},
    {"MERM", &Settings::MERM, Rule::Plain, false},
    {"FUZH", &Settings::FUZH, Rule::Plain, false},
    {"FUZS", &Settings::FUZS, Rule::Plain, false},
    {"FUZV", &Settings::FUZV, Rule::Plain, false},
    {"SPRI", &Settings::SPRI, Rule::Plain, false},
    {"CDSP", &Settings::CDSP, Rule::Plain, false},
    {"LMOD", &Settings::LMOD, Rule::Plain, false},
    {"ACHK", &Settings::ACHK, Rule::Plain, false},
    {"HSET", &Settings::HSET, Rule::Plain, false},
    {"MLLF", &Settings::MLLF, Rule::Plain, true},
    {"MLTP", &Settings::MLTP, Rule::Plain, true},
    {"MLDS", &Settings::MLDS, Rule::Plain, true},
    {"THPD", &Settings::THPD, Rule::Plain, false},
    {"PRAD", &Settings::PRAD, Rule::Plain, false},
}};

const KeyDef* findKey(const QString& key) {
  for (const KeyDef& def : kKeys)
    if (key == QLatin1String(def.name)) return &def;
  return nullptr;
}

int32_t saturate32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The value read into the key's member type. A number outside the type's
// range is not applied: the setting keeps what it had (its default), the
// key's clamps still run.
struct ReadValue {
  std::optional<int32_t> number;  // in range of the member's type
  QString text;
};

ReadValue readValue(const KeyDef& def, const QString& value) {
  ReadValue r;
  r.text = value;
  if (std::holds_alternative<int16_t Settings::*>(def.member)) {
    if (auto v = configNumber16(value)) r.number = *v;
  } else if (std::holds_alternative<int32_t Settings::*>(def.member)) {
    r.number = configNumber32(value);
  }
  return r;
}

void store(const KeyDef& def, Settings& s, const ReadValue& v) {
  if (auto m16 = std::get_if<int16_t Settings::*>(&def.member)) {
    if (v.number) s.** m16 = static_cast<int16_t>(*v.number);
  } else if (auto m32 = std::get_if<int32_t Settings::*>(&def.member)) {
    if (v.number) s.** m32 = *v.number;
  } else {
    s.*std::get<QString Settings::*>(def.member) = v.text;
  }
}

void applyKey(const KeyDef& def, const QString& value, Settings& s, ConfigHost& host,
              bool fileFromCommandLine, QString& currentFileName) {
  const ReadValue v = readValue(def, value);
  const bool apply = !def.gated || s.FEMD == 1;
  const int64_t screenW = host.screenWidthTwips();
  const int64_t screenH = host.screenHeightTwips();

  switch (def.rule) {
    case Rule::Plain:
      if (apply) store(def, s, v);
      break;

    case Rule::MainTop:
      if (apply && v.number) host.setMainTop(*v.number);
      if (host.mainTop() < 0 || host.mainTop() > screenH) host.setMainTop(0);
      s.PIWT = host.mainTop();
      break;
    case Rule::MainLeft:
      if (apply && v.number) host.setMainLeft(*v.number);
      if (host.mainLeft() < 0 || host.mainLeft() > screenW) host.setMainLeft(0);
      s.PIWL = host.mainLeft();
      break;
    // A window can't take a size of 0 or less (the toolkit would refuse it
    // with an error); such a value is not applied.
    case Rule::MainWidth:
      if (apply && v.number && *v.number > 0) host.setMainWidth(*v.number);
      if (host.mainWidth() > screenW - 2) host.setMainWidth(saturate32(screenW));
      s.PIWW = host.mainWidth();
      break;
    case Rule::MainHeight:
      if (apply && v.number && *v.number > 0) host.setMainHeight(*v.number);
      if (host.mainHeight() > screenH - 2) host.setMainHeight(saturate32(screenH));
      s.PIWH = host.mainHeight();
      break;
    // Only the three states exist; anything else is not applied.
    case Rule::MainState:
      if (apply && v.number && *v.number >= 0 && *v.number <= 2)
        host.setMainState(static_cast<int16_t>(*v.number));
      s.PIWS = host.mainState();
      break;

    case Rule::FloatLeft:
    case Rule::FloatTop: {
      if (apply) store(def, s, v);
      int32_t& pos = s.*std::get<int32_t Settings::*>(def.member);
      const int64_t extent = def.rule == Rule::FloatLeft ? screenW : screenH;
      const int64_t pullBack = def.rule == Rule::FloatLeft ? 1680 : 3150;
      if (pos < 0) pos = 0;
      if (pos > extent - 2) pos = saturate32(extent - pullBack);
      break;
    }

    case Rule::BirdTop:
      s.BEWT = saturate32(int64_t(host.paletteTop()) + host.paletteHeight());
      if (apply) store(def, s, v);
      break;
    case Rule::BirdLeft:
      s.BEWL = host.colourWindowLeft();
      if (apply) store(def, s, v);
      break;
    case Rule::BirdWidth:
      s.BEWW = host.paletteWidth();
      if (apply) store(def, s, v);
      if (s.BEWW <= 0) s.BEWW = 1680;
      break;
    case Rule::BirdHeight:
      if (apply) store(def, s, v);
      if (s.BEWH <= 0) s.BEWH = 780;
      break;

    case Rule::Presence:
      s.*std::get<int16_t Settings::*>(def.member) = 1;
      break;
    case Rule::ReopenName:
      store(def, s, v);
      if (currentFileName.isEmpty() && !fileFromCommandLine && s.RPNX != 0)
        currentFileName = v.text;
      break;
    case Rule::Autosave:
      store(def, s, v);
      host.autosaveIntervalRead(s.ASAT);
      break;
  }
}

// A text value goes into the file only when it reads back the same: an
// apostrophe would start a comment and cut it, outer blanks would be trimmed.
// Such a value (a path holding an apostrophe) is written empty rather than as
// a different, possibly existing, path.
QString writableText(const QString& text) {
  if (text.contains(u'\'') || text.contains(u'\n') || text.contains(u'\r') ||
      trimBlanks(text) != text)
    return QString();
  return text;
}

QString currentValue(const KeyDef& def, const Settings& s, ConfigHost& host) {
  switch (def.rule) {
    case Rule::MainTop:
      return configNumberText(host.mainTop());
    case Rule::MainLeft:
      return configNumberText(host.mainLeft());
    case Rule::MainWidth:
      return configNumberText(host.mainWidth());
    case Rule::MainHeight:
      return configNumberText(host.mainHeight());
    case Rule::MainState: {
      // The window was restored before writing; a minimised start is never
      // recorded even if the restore didn't take.
      const int16_t state = host.mainState();
      return configNumberText(state == 1 ? 0 : state);
    }
    default:
      break;
  }
  if (auto m16 = std::get_if<int16_t Settings::*>(&def.member)) return configNumberText(s.**m16);
  if (auto m32 = std::get_if<int32_t Settings::*>(&def.member)) return configNumberText(s.**m32);
  return writableText(s.*std::get<QString Settings::*>(def.member));
}

}  // namespace

void applyConfiguration(const QStringList& lines, Settings& s, ConfigHost& host,
                        bool fileFromCommandLine, QString& currentFileName) {
  for (const QString& line : lines) {
    if (isConfigEndLine(line)) break;
    if (line.startsWith(u'\'')) continue;
    const QString trimmed = trimBlanks(line);
    if (trimmed.isEmpty()) continue;
    const KeyLine parts = splitKeyLine(trimmed);
    if (const KeyDef* def = findKey(parts.key))
      applyKey(*def, parts.value, s, host, fileFromCommandLine, currentFileName);
  }
}

QStringList renderConfiguration(const QStringList& templateLines, const Settings& s,
                                ConfigHost& host) {
  return rewriteKeyLines(templateLines, [&](const KeyLine& parts) {
    const KeyDef* def = findKey(parts.key);
    return def ? currentValue(*def, s, host) : parts.value;
  });
}

void LoadConfiguration(const QString& userPath, const QString& appPath, Settings& s,
                       ConfigHost& host, bool fileFromCommandLine, QString& currentFileName) {
  s.setDefaults();
  const SeededText file =
      readOrSeedConfigFile(configFilePath(userPath), configTemplatePath(appPath));
  applyConfiguration(file.text.lines, s, host, fileFromCommandLine, currentFileName);
}

bool SaveConfiguration(const QString& userPath, const QString& appPath, const Settings& s,
                       ConfigHost& host, QString* error) {
  ConfigText templ;
  QString why;
  if (!readConfigFile(configTemplatePath(appPath), templ, &why)) {
    if (error)
      *error =
          QStringLiteral("ひな形の DEFAULT.CNF を読み込めません（") + why + QStringLiteral("）");
    return false;
  }
  // The file keeps the encoding and line ends it has (an older version's
  // Shift-JIS and CR LF); a new one is UTF-8 with LF.
  ConfigText current;
  const TextFormat format =
      readConfigFile(configFilePath(userPath), current) ? current.format : TextFormat{};
  // Restore before measuring: a minimised window's geometry is not the one to
  // reopen with.
  if (host.mainState() == 1) host.restoreMainIfMinimised();
  return writeConfigFile(configFilePath(userPath), renderConfiguration(templ.lines, s, host),
                         format, error);
}

}  // namespace tupalo
