#include "editor/files/ColourFile.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "editor/files/ConfigText.h"

namespace tupalo {

namespace {

const QString kPageKey = QStringLiteral("CNAM");

// A colour line "C?_R": the letter's code minus 65 is the colour (A = 0 ..
// "[" = 26), the fourth character the component. Anything else about it
// (wrong letter, wrong component, a short key) makes it no colour line.
struct ColourSlot {
  int colour = -1;
  int component = 0;  // 1 red, 2 green, 3 blue
};

std::optional<ColourSlot> colourSlot(const QString& key) {
  if (key.size() < 4 || key[0] != u'C' || key[2] != u'_') return std::nullopt;
  ColourSlot slot;
  slot.colour = key[1].unicode() - 65;
  slot.component = key[3] == u'R' ? 1 : key[3] == u'G' ? 2 : key[3] == u'B' ? 3 : 0;
  if (slot.component == 0 || slot.colour < 0 || slot.colour >= ColourDictionary::kColours)
    return std::nullopt;
  return slot;
}

// A page the table keeps: colour lines before the first CNAM, or on an
// eleventh or later page, have nowhere to go.
bool usedPage(int page) { return page >= 0 && page < ColourDictionary::kUsedPages; }

// A page name as the file can hold it: an apostrophe would start a comment and
// cut the name, leaving its tail as a comment that every later save keeps.
QString writableName(const QString& name) {
  QString out = name;
  out.replace(u'\'', QChar(0x2019));
  out.replace(u'\r', u' ');
  out.replace(u'\n', u' ');
  return out;
}

// What to rewrite when there is no file to take the lines from: every page
// and colour, so that nothing the user stored is dropped.
QStringList completeLayout() {
  QStringList lines;
  for (int page = 0; page < ColourDictionary::kUsedPages; ++page) {
    lines << kPageKey + QStringLiteral(" , ");
    for (int colour = 0; colour < ColourDictionary::kColours; ++colour)
      for (const char component : {'R', 'G', 'B'})
        lines << QStringLiteral("C") + QChar(65 + colour) + QLatin1Char('_') +
                     QLatin1Char(component) + QStringLiteral(" , 0");
  }
  lines << kConfigEndLine;
  return lines;
}

}  // namespace

void applyColourFile(const QStringList& lines, ColourDictionary& d) {
  int page = -1;
  for (const QString& line : lines) {
    if (isConfigEndLine(line)) break;
    if (line.startsWith(u'\'')) continue;
    const QString trimmed = trimBlanks(line);
    if (trimmed.isEmpty()) continue;
    const KeyLine parts = splitKeyLine(trimmed);
    if (parts.key == kPageKey) {
      ++page;
      if (usedPage(page)) d.ColourPageNames[page] = parts.value;
      continue;
    }
    const auto slot = colourSlot(parts.key);
    if (!slot || !usedPage(page)) continue;
    // A component is 0..255 whatever the file says; a number beyond 16 bits
    // leaves the colour as it was.
    if (const auto v = configNumber16(parts.value))
      d.ColourTable[page][slot->colour][slot->component] =
          static_cast<int16_t>(std::clamp<int>(*v, 0, 255));
  }
}

QStringList renderColourFile(const QStringList& templateLines, const ColourDictionary& d) {
  int page = -1;
  return rewriteKeyLines(templateLines, [&](const KeyLine& parts) {
    if (parts.key == kPageKey) {
      ++page;
      if (usedPage(page)) return writableName(d.ColourPageNames[page]);
    } else if (const auto slot = colourSlot(parts.key); slot && usedPage(page)) {
      return QString::number(d.ColourTable[page][slot->colour][slot->component]);
    }
    return parts.value;
  });
}

bool holdsColourPages(const QStringList& lines) {
  for (const QString& line : lines) {
    if (isConfigEndLine(line)) break;
    if (line.startsWith(u'\'')) continue;
    if (splitKeyLine(trimBlanks(line)).key == kPageKey) return true;
  }
  return false;
}

bool LoadColourFile(const QString& userPath, const QString& appPath, ColourDictionary& d,
                    QString* error) {
  d = ColourDictionary{};
  // A file without a single page (empty, only comments, damaged) would also
  // be its own template at quit and store nothing: it is seeded like a
  // missing one.
  const SeededText file =
      readOrSeedConfigFile(colourFilePath(userPath), colourTemplatePath(appPath), holdsColourPages);
  applyColourFile(file.text.lines, d);
  if (error) *error = file.readError;
  return file.readError.isEmpty();
}

bool SaveColourFile(const QString& userPath, const QString& appPath, const ColourDictionary& d,
                    QString* error) {
  const QString path = colourFilePath(userPath);
  ConfigText templ;
  QString why;
  if (!readConfigFile(path, templ, &why)) {
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
      if (error) *error = why;
      return false;
    }
  }
  if (!holdsColourPages(templ.lines)) {
    // Gone (never seeded, or removed while the editor ran) or without pages:
    // the factory layout, or every line when even that has none. The file is
    // then stored as the factory copy is.
    if (!readConfigFile(colourTemplatePath(appPath), templ) || !holdsColourPages(templ.lines))
      templ = ConfigText{completeLayout(), TextFormat{}};
  }
  return writeConfigFile(path, renderColourFile(templ.lines, d), templ.format, error);
}

}  // namespace tupalo
