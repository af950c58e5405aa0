#include "editor/files/ConfigText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"

namespace tupalo {

namespace {

// The name under which the toolkit reaches the Shift-JIS of the older
// versions (Windows code page 932: NEC and IBM extensions, 0x5C a backslash).
constexpr char kShiftJisName[] = "Shift_JIS";
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The whole of `bytes` in one encoding, or nothing when they aren't valid in
// it (an invalid or cut-off sequence anywhere).
std::optional<QString> decodeStrictly(QStringDecoder&& decoder, QByteArrayView bytes) {
  if (!decoder.isValid()) return std::nullopt;
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

QStringList splitLines(QStringView text, bool& crlf) {
  QStringList lines;
  bool sawLineEnd = false;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c != u'\n' && c != u'\r') continue;
    lines << text.sliced(start, i - start).toString();
    const bool pair = c == u'\r' && i + 1 < n && text[i + 1] == u'\n';
    if (!sawLineEnd) crlf = pair;
    sawLineEnd = true;
    if (pair) ++i;
    start = i + 1;
  }
  if (start < n) lines << text.sliced(start).toString();
  return lines;
}

// `text` in Shift-JIS when every character of it has its own code there:
// nothing substituted, nothing that reads back as another character (a yen
// sign would come back as a backslash).
std::optional<QByteArray> encodeShiftJis(const QString& text) {
  QStringEncoder encoder(kShiftJisName, QStringEncoder::Flag::Stateless);
  if (!encoder.isValid()) return std::nullopt;
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) return std::nullopt;
  const auto back =
      decodeStrictly(QStringDecoder(kShiftJisName, QStringDecoder::Flag::Stateless), bytes);
  if (!back || *back != text) return std::nullopt;
  return bytes;
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
  if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max())
    return std::nullopt;
  return static_cast<T>(*v);
}

}  // namespace

bool readConfigFileBytes(const QString& path, QByteArray& bytes, QString* error) {
  bytes.clear();
  const auto fail = [&](int errnum) {
    if (error) *error = fileErrorReason(errnum, FileAccess::Read);
    return false;
  };
  if (path.isEmpty() || path.contains(QChar(0))) return fail(ENOENT);
  const QByteArray native = QFile::encodeName(path);
  if (const int fault = injectedFileFault(FileCall::OpenForReading, path)) return fail(fault);
  // O_NONBLOCK: opening a FIFO must not hold up start-up; it is refused below.
  const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(errno);
  if (S_ISDIR(st.st_mode)) return fail(EISDIR);
  if (!S_ISREG(st.st_mode)) {
    if (error) *error = QStringLiteral("通常のファイルではありません");
    return false;
  }
  if (st.st_size > kMaxConfigFileBytes) return fail(EFBIG);
  // Read to the end rather than trusting the size: the file may be growing.
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int errnum = errno;
      bytes.clear();
      return fail(errnum);
    }
    if (n == 0) break;
    if (bytes.size() + n > kMaxConfigFileBytes) {
      bytes.clear();
      return fail(EFBIG);
    }
    bytes.append(buffer, n);
  }
  return true;
}

ConfigText decodeConfigText(const QByteArray& bytes) {
  ConfigText out;
  QByteArrayView body(bytes);
  const bool mark = body.startsWith(kUtf8Mark);
  std::optional<QString> text = decodeStrictly(
      QStringDecoder(QStringDecoder::Utf8,
                     QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom),
      mark ? body.sliced(kUtf8Mark.size()) : body);
  if (text) {
    out.format.byteOrderMark = mark;
  } else {
    text = decodeStrictly(QStringDecoder(kShiftJisName, QStringDecoder::Flag::Stateless), body);
    if (text) {
      out.format.encoding = TextEncoding::ShiftJis;
    } else {
      out.format.encoding = TextEncoding::Latin1;
      text = QString::fromLatin1(body);
    }
  }
  out.lines = splitLines(*text, out.format.crlf);
  return out;
}

QStringList splitConfigText(const QByteArray& bytes) { return decodeConfigText(bytes).lines; }

bool readConfigFile(const QString& path, ConfigText& text, QString* error) {
  QByteArray bytes;
  text = ConfigText{};
  if (!readConfigFileBytes(path, bytes, error)) return false;
  text = decodeConfigText(bytes);
  return true;
}

QByteArray encodeConfigText(const QStringList& lines, const TextFormat& format) {
  const QString lineEnd = format.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
  QString text;
  for (const QString& line : lines) text += line + lineEnd;
  // The reader takes a file as UTF-8 when it can, then as Shift-JIS: once a
  // rewrite has dropped the bytes that made a file Latin-1 (or Shift-JIS),
  // the rest may read as other text than it was written from.
  const auto readsBackAs = [](const QByteArray& bytes, TextEncoding encoding) {
    return decodeConfigText(bytes).format.encoding == encoding;
  };
  switch (format.encoding) {
    case TextEncoding::ShiftJis:
      if (auto bytes = encodeShiftJis(text); bytes && readsBackAs(*bytes, TextEncoding::ShiftJis))
        return *bytes;
      break;
    case TextEncoding::Latin1: {
      const bool fits =
          std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
      if (fits) {
        QByteArray bytes = text.toLatin1();
        if (readsBackAs(bytes, TextEncoding::Latin1)) return bytes;
      }
      break;
    }
    case TextEncoding::Utf8:
      return format.byteOrderMark ? kUtf8Mark.toByteArray() + text.toUtf8() : text.toUtf8();
  }
  return text.toUtf8();
}

bool writeConfigFile(const QString& path, const QStringList& lines, const TextFormat& format,
                     QString* error) {
  const QByteArray bytes = encodeConfigText(lines, format);
  // Handed over a line at a time, as the file is made of them.
  return writeFileAtomically(
      path,
      [&](const std::function<bool(const char*, qint64)>& sink) {
        qsizetype start = 0;
        while (start < bytes.size()) {
          qsizetype end = bytes.indexOf('\n', start);
          end = end < 0 ? bytes.size() : end + 1;
          if (!sink(bytes.constData() + start, end - start)) return false;
          start = end;
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

SeededText readOrSeedConfigFile(const QString& path, const QString& factoryPath,
                                const std::function<bool(const QStringList&)>& holdsData) {
  SeededText out;
  QString why;
  if (readConfigFile(path, out.text, &why)) {
    if (!holdsData || holdsData(out.text.lines)) return out;
  } else {
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) out.readError = why;
  }
  QByteArray factory;
  if (!readConfigFileBytes(factoryPath, factory)) {
    out.text = ConfigText{};
    return out;
  }
  // The copy is byte for byte, so the seeded file is stored as the factory
  // copy is; a failed seed (read-only folder) still leaves its lines to use.
  if (out.readError.isEmpty()) writeFileAtomically(path, factory);
  out.text = decodeConfigText(factory);
  return out;
}

QStringList rewriteKeyLines(const QStringList& templateLines,
                            const std::function<QString(const KeyLine&)>& valueFor) {
  QStringList out;
  for (qsizetype i = 0; i < templateLines.size(); ++i) {
    const QString& line = templateLines[i];
    if (isConfigEndLine(line)) {
      // What follows the end is no data of ours, but it is the user's: kept.
      out << templateLines.mid(i);
      return out;
    }
    const QString trimmed = trimBlanks(line);
    // A line that only looks like the end once trimmed: the readers go past
    // it, so it stays as it is rather than being rewritten as a key line or
    // trimmed into a real end.
    if (isConfigEndLine(trimmed)) {
      out << line;
      continue;
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
