#include "editor/files/ConfigText.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <limits>

namespace tupalo {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString decodeLine(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (utf8.hasError()) return QString::fromLatin1(bytes.data(), bytes.size());
  return text;
}

// Rounded value of a number field; nullopt once the magnitude is far beyond
// any key's range (the digits are still consumed, so "1e9" style text is not
// misread as a smaller number).
std::optional<int64_t> roundedNumber(QStringView text) {
  constexpr int64_t kLimit = int64_t(1) << 40;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  int64_t whole = 0;
  bool tooLarge = false;
  for (; i < n && isDigit(text[i]); ++i) {
    if (tooLarge) continue;
    whole = whole * 10 + (text[i].unicode() - u'0');
    if (whole > kLimit) tooLarge = true;
  }
  int firstFraction = 0;
  bool restNonZero = false;
  if (i < n && text[i] == u'.') {
    ++i;
    if (i < n && isDigit(text[i])) firstFraction = text[i++].unicode() - u'0';
    for (; i < n && isDigit(text[i]); ++i)
      if (text[i] != u'0') restNonZero = true;
  }
  if (tooLarge) return std::nullopt;
  const bool up = firstFraction > 5 || (firstFraction == 5 && (restNonZero || (whole & 1)));
  if (up) ++whole;
  return negative ? -whole : whole;
}

template <typename T>
std::optional<T> numberIn(QStringView text) {
  const auto v = roundedNumber(text);
  if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max()) return std::nullopt;
  return static_cast<T>(*v);
}

}  // namespace

bool readConfigFileBytes(const QString& path, QByteArray& bytes, QString* error) {
  bytes.clear();
  const QFileInfo info(path);
  // Opening a FIFO would block start-up; a folder can't be read as text.
  if (!info.exists() || !info.isFile()) {
    if (error) *error = info.exists() ? QStringLiteral("Not a regular file") : QStringLiteral("No such file");
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  bytes = file.read(kMaxConfigFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = file.errorString();
    bytes.clear();
    return false;
  }
  if (bytes.size() > kMaxConfigFileBytes) {
    if (error) *error = QStringLiteral("File too large");
    bytes.clear();
    return false;
  }
  return true;
}

QStringList splitConfigText(const QByteArray& bytes) {
  QByteArrayView rest(bytes);
  if (rest.startsWith("\xEF\xBB\xBF")) rest = rest.sliced(3);
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = rest.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = rest[i];
    if (c != '\n' && c != '\r') continue;
    lines << decodeLine(rest.sliced(start, i - start));
    if (c == '\r' && i + 1 < n && rest[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines << decodeLine(rest.sliced(start));
  return lines;
}

bool readConfigFile(const QString& path, QStringList& lines, QString* error) {
  QByteArray bytes;
  lines.clear();
  if (!readConfigFileBytes(path, bytes, error)) return false;
  lines = splitConfigText(bytes);
  return true;
}

QByteArray joinConfigText(const QStringList& lines) {
  QByteArray out;
  for (const QString& line : lines) {
    out += line.toUtf8();
    out += '\n';
  }
  return out;
}

bool writeConfigFile(const QString& path, const QStringList& lines, QString* error) {
  return writeFileAtomically(
      path,
      [&](const std::function<bool(const char*, qint64)>& sink) {
        for (const QString& line : lines) {
          const QByteArray bytes = line.toUtf8() + '\n';
          if (!sink(bytes.constData(), bytes.size())) return false;
        }
        return true;
      },
      error);
}

QString trimBlanks(QStringView text) {
  qsizetype b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  return text.sliced(b, e - b).toString();
}

KeyLine splitKeyLine(QStringView line) {
  KeyLine parts;
  QStringView body = line;
  const qsizetype apostrophe = line.indexOf(u'\'');
  if (apostrophe >= 0) {
    parts.comment = line.sliced(apostrophe).toString();
    body = line.first(apostrophe);
  }
  parts.key = body.left(4).toString();
  const qsizetype comma = body.indexOf(u',');
  parts.value = trimBlanks(comma >= 0 ? body.sliced(comma + 1) : body);
  return parts;
}

std::optional<int16_t> configNumber16(QStringView text) { return numberIn<int16_t>(text); }
std::optional<int32_t> configNumber32(QStringView text) { return numberIn<int32_t>(text); }

QString configNumberText(int32_t value) {
  return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QStringList readOrSeedConfigFile(const QString& path, const QString& factoryPath) {
  QStringList lines;
  if (readConfigFile(path, lines)) return lines;
  QByteArray factory;
  if (!readConfigFileBytes(factoryPath, factory)) return {};
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) writeFileAtomically(path, factory);
  return splitConfigText(factory);
}

QStringList rewriteKeyLines(const QStringList& templateLines,
                            const std::function<QString(const KeyLine&)>& valueFor) {
  QStringList out;
  for (const QString& line : templateLines) {
    const QString trimmed = trimBlanks(line);
    if (trimmed == kConfigEndLine) {
      out << trimmed;
      return out;
    }
    if (trimmed.isEmpty() || trimmed.startsWith(u'\'')) {
      out << trimmed;
      continue;
    }
    const KeyLine parts = splitKeyLine(trimmed);
    out << parts.key + QStringLiteral(" , ") + valueFor(parts) + QLatin1Char(' ') + parts.comment;
  }
  // A template without its end line still gives a complete file.
  out << kConfigEndLine;
  return out;
}

}  // namespace tupalo
