#include "editor/addins/AddInRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "editor/core/Editor.h"
#include "editor/files/ConfigText.h"
#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"

namespace tupalo {

namespace {

const QString kAdin = QStringLiteral("ADIN");
const QString kTwsl = QStringLiteral("TWSL");
const QString kTwsc = QStringLiteral("TWSC");
const QString kFfrd = QStringLiteral("FFRD");
const QString kFfwt = QStringLiteral("FFWT");
const QString kSpop = QStringLiteral("SPOP");
const QStringList kKinds = {kAdin, kTwsl, kTwsc, kFfrd, kFfwt, kSpop};

std::function<bool()>& scannerProbe() {
  static std::function<bool()> probe;
  return probe;
}

bool scannerProgramPresent() {
  if (scannerProbe()) return scannerProbe()();
  return !QStandardPaths::findExecutable(QStringLiteral("scanimage")).isEmpty();
}

QString field(const QStringList& f, int i) { return i < f.size() ? f[i] : QString(); }

// A-z only; everything else is compared as it is.
QString upperAscii(QStringView s) {
  QString out = s.toString();
  for (QChar& c : out)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
  return out;
}

int findFormat(const std::array<FormatEntry, addin::kMaxFormats>& table, int count,
               const QString& fileName) {
  const QString upper = upperAscii(fileName.trimmed());
  for (int i = std::min(count, addin::kMaxFormats) - 1; i >= 0; --i) {
    const FormatEntry& f = table[i];
    // An empty extension would end every name.
    if (f.addIn.isEmpty() || f.extension.isEmpty()) continue;
    if (upper.endsWith(f.extension)) return i;
  }
  return -1;
}

QStringList recordsOf(const QString& kind, const AddInRegistry& r) {
  QStringList out;
  auto join = [](const QStringList& f) { return f.join(QLatin1Char(',')); };
  if (kind == kAdin) {
    for (int i = 0; i < r.AddInCount; ++i) {
      const AddInEntry& a = r.AddIns[i];
      if (a.name.isEmpty()) continue;
      out << join({kAdin, a.name, a.path, a.title, configNumberText(a.option)});
    }
  } else if (kind == kTwsl || kind == kTwsc) {
    const bool select = kind == kTwsl;
    const AddInCommand& c = r.Twain[select ? addin::kTwainSelect : addin::kTwainScan];
    if ((select ? r.HasTwainSelect : r.HasTwainScan) == 1 && !c.addIn.isEmpty())
      out << join({kind, c.addIn, c.command});
  } else if (kind == kFfrd || kind == kFfwt) {
    const auto& table = kind == kFfrd ? r.Readers : r.Writers;
    const int count = kind == kFfrd ? r.ReaderCount : r.WriterCount;
    for (int i = 0; i < count; ++i) {
      const FormatEntry& f = table[i];
      if (f.addIn.isEmpty()) continue;
      out << join({kind, f.addIn, f.command, f.filter, f.extension});
    }
  } else if (kind == kSpop) {
    for (int i = 0; i < r.SpecialCount; ++i) {
      const AddInCommand& s = r.Specials[i];
      if (s.addIn.isEmpty()) continue;
      out << join({kSpop, s.addIn, s.command});
    }
  }
  return out;
}

// A field the registry writes must read back as it was.
bool writableField(const QString& f) {
  return !f.contains(u',') && !f.contains(u'\'') && !f.contains(u'\n') && !f.contains(u'\r');
}

Answer askUser(Editor& e, const QString& text, Buttons buttons, Icon icon, int defaultButton) {
  MessageRequest req;
  req.title = e.TitlePrefix;
  req.text = text;
  req.buttons = buttons;
  req.icon = icon;
  req.defaultButton = defaultButton;
  return e.prompter ? e.prompter->message(req) : Answer::Cancel;
}

AddInAsker editorAsker(Editor& e) {
  return
      [&e](const QString& text, Buttons b, Icon i, int def) { return askUser(e, text, b, i, def); };
}

// The registry was read again after a failed write: say why.
void tellWriteFailed(Editor& e, const QString& why) {
  askUser(e,
          addInRegistryPath(e.UserPath) +
              QStringLiteral("\nAdd_In情報を書き込めませんでした\n理由 : ") + why,
          Buttons::Ok, Icon::Exclamation, -1);
}

// Writes and reads back; tells the user when writing failed.
bool storeAndReload(Editor& e) {
  QString why;
  const bool ok = SaveAddInRegistry(e, &why);
  LoadAddInRegistry(e);
  if (!ok) tellWriteFailed(e, why);
  return ok;
}

// The shipped parameter files beside the program, in name order.
QStringList shippedPackages(const QString& appPath) {
  QDir dir(appPath);
  QStringList out;
  const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name);
  for (const QFileInfo& f : files)
    if (upperAscii(f.fileName()).endsWith(QLatin1String(".AIP"))) out << f.absoluteFilePath();
  return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// The registry file

QStringList splitAddInRecord(QStringView line) {
  QString text = trimBlanks(line);
  if (text.isEmpty() || text.startsWith(u'\'')) return {};
  if (const qsizetype quote = text.indexOf(u'\''); quote >= 0) text = trimBlanks(text.left(quote));
  if (text.isEmpty()) return {};
  if (!text.endsWith(u',')) text += u',';
  QStringList fields;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size() && fields.size() < addin::kMaxFields; ++i) {
    if (text[i] != u',') continue;
    fields << text.mid(start, i - start);
    start = i + 1;
  }
  return fields;
}

void applyAddInRegistry(const QStringList& lines, AddInRegistry& r) {
  for (const QString& line : lines) {
    if (isConfigEndLine(line)) break;
    const QStringList f = splitAddInRecord(line);
    if (f.isEmpty()) continue;
    const QString& kind = f[0];
    if (kind == kAdin) {
      if (r.AddInCount >= addin::kMaxAddIns) continue;
      AddInEntry& a = r.AddIns[r.AddInCount++];
      a.name = field(f, 1);
      a.path = field(f, 2);
      a.title = field(f, 3);
      a.option = configNumber16(field(f, 4)).value_or(0);
    } else if (kind == kTwsl || kind == kTwsc) {
      const bool select = kind == kTwsl;
      r.Twain[select ? addin::kTwainSelect : addin::kTwainScan] = {field(f, 1), field(f, 2)};
      (select ? r.HasTwainSelect : r.HasTwainScan) = 1;
    } else if (kind == kFfrd || kind == kFfwt) {
      auto& table = kind == kFfrd ? r.Readers : r.Writers;
      int& count = kind == kFfrd ? r.ReaderCount : r.WriterCount;
      if (count >= addin::kMaxFormats) continue;
      table[count++] = {field(f, 1), field(f, 2), field(f, 3), field(f, 4)};
    } else if (kind == kSpop) {
      if (r.SpecialCount >= addin::kMaxSpecials) continue;
      r.Specials[r.SpecialCount++] = {field(f, 1), field(f, 2)};
    }
  }
}

QStringList renderAddInRegistry(const QStringList& templateLines, const AddInRegistry& r,
                                QString* error) {
  QStringList out;
  QStringList written;  // kinds whose records are out
  bool ended = false;
  for (const QString& line : templateLines) {
    if (isConfigEndLine(line)) {
      out << line;
      ended = true;
      break;
    }
    const QStringList f = splitAddInRecord(line);
    if (!f.isEmpty() && kKinds.contains(f[0])) {
      // A second placeholder of a kind would store its records twice, and
      // every later rewrite would double them again.
      if (!written.contains(f[0])) {
        out << recordsOf(f[0], r);
        written << f[0];
      }
      continue;
    }
    out << line;
  }
  QStringList missing;
  for (const QString& kind : kKinds)
    if (!written.contains(kind)) missing << kind;
  if (!missing.isEmpty() || !ended) {
    if (error) {
      *error = missing.isEmpty()
                   ? QStringLiteral("DEFAULT.AINに[EOF]の行がありません")
                   : QStringLiteral("DEFAULT.AINに") + missing.join(QLatin1Char(' ')) +
                         QStringLiteral("の行がありません");
    }
    return {};
  }
  return out;
}

bool SaveAddInRegistry(const Editor& e, QString* error) {
  ConfigText templ;
  QString why;
  if (!readConfigFile(addInTemplatePath(e.AppPath), templ, &why)) {
    if (error) *error = addInTemplatePath(e.AppPath) + QStringLiteral(" : ") + why;
    return false;
  }
  const QStringList lines = renderAddInRegistry(templ.lines, e.addins, &why);
  if (lines.isEmpty()) {
    if (error) *error = why;
    return false;
  }
  // An existing registry keeps its encoding and line ends.
  TextFormat format = templ.format;
  ConfigText old;
  if (readConfigFile(addInRegistryPath(e.UserPath), old)) format = old.format;
  return writeConfigFile(addInRegistryPath(e.UserPath), lines, format, error);
}

bool LoadAddInRegistry(Editor& e, QString* error) {
  const QString path = addInRegistryPath(e.UserPath);
  e.addins.clear();
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) {
    // First run: the add-ins shipped with the program, installed as a user
    // would install them. A scanner add-in only where its scanner program is.
    for (const QString& aip : shippedPackages(e.AppPath)) {
      AddInPackage p;
      if (!readAddInPackage(aip, p) || !packageProblem(p).isEmpty()) continue;
      if ((p.hasScan || p.hasSelect) && !scannerProgramPresent()) continue;
      installIntoRegistry(e.addins, p, [](const QString&, Buttons b, Icon, int) {
        return b == Buttons::YesNo ? Answer::No : Answer::Ok;
      });
    }
    QString why;
    if (!SaveAddInRegistry(e, &why)) {
      if (error) *error = why;
      return false;
    }
    e.addins.clear();
  }
  ConfigText text;
  if (!readConfigFile(path, text, error)) return false;
  applyAddInRegistry(text.lines, e.addins);
  return true;
}

FoundAddIn FindAddIn(const AddInRegistry& r, const QString& name) {
  FoundAddIn found;
  found.title = addin::kUnknownAddIn;
  if (name.isEmpty()) return found;
  for (int i = 0; i < std::min(r.AddInCount, addin::kMaxAddIns); ++i) {
    if (r.AddIns[i].name != name) continue;
    found.title = r.AddIns[i].title;
    found.path = r.AddIns[i].path;
    found.index = i;
    found.missing = false;
    break;
  }
  return found;
}

int findReader(const AddInRegistry& r, const QString& fileName) {
  return findFormat(r.Readers, r.ReaderCount, fileName);
}

int findWriter(const AddInRegistry& r, const QString& fileName) {
  return findFormat(r.Writers, r.WriterCount, fileName);
}

// ---------------------------------------------------------------------------
// Parameter files

AddInPackage parseAddInPackage(const QStringList& lines, const QString& folder) {
  AddInPackage p;
  for (const QString& line : lines) {
    if (isConfigEndLine(line)) break;
    const QStringList f = splitAddInRecord(line);
    if (f.isEmpty()) continue;
    const QString& kind = f[0];
    if (kind == kAdin) {
      p.hasAddIn = true;
      p.addIn.name = field(f, 1);
      p.addIn.path = field(f, 2);
      if (p.addIn.path.startsWith(QLatin1String("%%")))
        p.addIn.path = folder + QLatin1Char('/') + p.addIn.path.mid(2);
      p.addIn.title = field(f, 3);
      p.addIn.option = configNumber16(field(f, 4)).value_or(0);
    } else if (kind == kTwsl) {
      p.hasSelect = true;
      p.selectCommand = field(f, 1);
    } else if (kind == kTwsc) {
      p.hasScan = true;
      p.scanCommand = field(f, 1);
    } else if (kind == kFfrd || kind == kFfwt) {
      auto& list = kind == kFfrd ? p.readers : p.writers;
      if (int(list.size()) >= addin::kMaxFormats) continue;
      list.push_back({QString(), field(f, 1), field(f, 2), field(f, 3)});
    } else if (kind == kSpop) {
      p.hasSpecial = true;
      p.specialCommand = field(f, 1);
    }
  }
  return p;
}

bool readAddInPackage(const QString& path, AddInPackage& out, QString* error) {
  ConfigText text;
  if (!readConfigFile(path, text, error)) return false;
  out = parseAddInPackage(text.lines, QFileInfo(path).absolutePath());
  return true;
}

QString packageProblem(const AddInPackage& p) {
  if (!p.hasAddIn || p.addIn.name.isEmpty())
    return QStringLiteral("Add_Inの名前(ADIN)が指定されていません");
  // Only the folder put in for "%%" can bring what the file itself can't
  // hold; the other fields were read from such a file.
  if (!writableField(p.addIn.path))
    return QStringLiteral("Add_Inのフォルダー名に , 又は ' が含まれています\n") + p.addIn.path;
  for (const QString& f :
       {p.addIn.name, p.addIn.title, p.selectCommand, p.scanCommand, p.specialCommand})
    if (!writableField(f)) return QStringLiteral("Add_Inの指定に , 又は ' が含まれています");
  return {};
}

bool installIntoRegistry(AddInRegistry& r, const AddInPackage& p, const AddInAsker& ask) {
  const FoundAddIn same = FindAddIn(r, p.addIn.name);
  if (!same.missing) {
    ask(QStringLiteral("同じ名前で既に") + same.title +
            QStringLiteral("が\nインストールされています。"),
        Buttons::Ok, Icon::None, -1);
    return false;
  }
  if ((p.hasScan && r.HasTwainScan == 1) || (p.hasSelect && r.HasTwainSelect == 1)) {
    ask(QStringLiteral("既にSCANNERは指定されています。"), Buttons::Ok, Icon::None, -1);
    return false;
  }
  if (r.AddInCount >= addin::kMaxAddIns) {
    ask(QStringLiteral("Add_Inの最大数を超えました追加は出来ません。"), Buttons::Ok, Icon::None,
        -1);
    return false;
  }
  r.AddIns[r.AddInCount++] = p.addIn;
  const QString& name = p.addIn.name;
  if (p.hasScan) {
    r.Twain[addin::kTwainScan] = {name, p.scanCommand};
    r.HasTwainScan = 1;
  }
  if (p.hasSelect) {
    r.Twain[addin::kTwainSelect] = {name, p.selectCommand};
    r.HasTwainSelect = 1;
  }
  if (p.hasSpecial) {
    if (r.SpecialCount > addin::kMaxSpecials - 1)
      ask(QStringLiteral("Special Optionの最大数を超えました追加は出来ません。"), Buttons::Ok,
          Icon::None, -1);
    else
      r.Specials[r.SpecialCount++] = {name, p.specialCommand};
  }
  auto addFormats = [&](const std::vector<FormatEntry>& offered,
                        std::array<FormatEntry, addin::kMaxFormats>& table, int& count,
                        const QString& what, const QString& full, const QString& partly) {
    bool told = false;
    for (const FormatEntry& f : offered) {
      const FormatEntry entry{name, f.command, f.filter, f.extension};
      auto same = std::find_if(table.begin(), table.begin() + count,
                               [&](const FormatEntry& t) { return t.extension == f.extension; });
      if (same != table.begin() + count) {
        if (ask(what + f.extension + QStringLiteral("は\n既に指定されています置き換えますか?"),
                Buttons::YesNo, Icon::Question, 1) == Answer::Yes)
          *same = entry;
      } else if (count <= addin::kMaxFormats - 1) {
        table[count++] = entry;
      } else if (!told) {
        ask(full + QStringLiteral("\n") + partly, Buttons::Ok, Icon::None, -1);
        told = true;
      }
    }
  };
  addFormats(p.readers, r.Readers, r.ReaderCount, QStringLiteral("ファイル読み込みで拡張子"),
             QStringLiteral("読み込みの拡張子指定が最大数を超えました"),
             QStringLiteral("一部追加されない読み込みファイル指定があります。"));
  addFormats(p.writers, r.Writers, r.WriterCount, QStringLiteral("ファイル書き込みで拡張子"),
             QStringLiteral("書き込みの拡張子指定が最大数を超えました"),
             QStringLiteral("一部追加されない書き込みファイル指定があります。"));
  return true;
}

bool InstallAddIn(Editor& e, const AddInPackage& p) {
  if (const QString problem = packageProblem(p); !problem.isEmpty()) {
    askUser(e, problem + QStringLiteral("\nインストールできません。"), Buttons::Ok,
            Icon::Exclamation, -1);
    return false;
  }
  if (!installIntoRegistry(e.addins, p, editorAsker(e))) return false;
  return storeAndReload(e);
}

bool RemoveAddIn(Editor& e, int index) {
  AddInRegistry& r = e.addins;
  if (index < 0 || index >= std::min(r.AddInCount, addin::kMaxAddIns)) return false;
  const AddInEntry target = r.AddIns[index];
  if (askUser(e, target.title + QStringLiteral("\nを削除いたします、本当によろしいですか?"),
              Buttons::YesNo, Icon::Question, 1) != Answer::Yes)
    return false;
  const QString& name = target.name;
  if (!name.isEmpty()) {
    if (r.Twain[addin::kTwainSelect].addIn == name) {
      r.Twain[addin::kTwainSelect] = {};
      r.HasTwainSelect = 0;
    }
    if (r.Twain[addin::kTwainScan].addIn == name) {
      r.Twain[addin::kTwainScan] = {};
      r.HasTwainScan = 0;
    }
    for (AddInCommand& s : r.Specials)
      if (s.addIn == name) s = {};
    for (FormatEntry& f : r.Writers)
      if (f.addIn == name) f = {};
    for (FormatEntry& f : r.Readers)
      if (f.addIn == name) f = {};
  }
  r.AddIns[index] = {};
  return storeAndReload(e);
}

// ---------------------------------------------------------------------------
// Lists

QStringList addInTitles(const AddInRegistry& r) {
  QStringList out;
  for (int i = 0; i < std::min(r.AddInCount, addin::kMaxAddIns); ++i) out << r.AddIns[i].title;
  return out;
}

QStringList registryListLines(const AddInRegistry& r, AddInListMode mode) {
  QStringList out;
  auto title = [&](const QString& name) { return FindAddIn(r, name).title; };
  switch (mode) {
    case AddInListMode::Special:
      for (int i = 0; i < r.SpecialCount; ++i)
        if (!r.Specials[i].addIn.isEmpty()) out << title(r.Specials[i].addIn);
      break;
    case AddInListMode::Scanner:
      if (r.HasTwainSelect == 1)
        out << QStringLiteral("SetUp:") + title(r.Twain[addin::kTwainSelect].addIn);
      if (r.HasTwainScan == 1)
        out << QStringLiteral("Scan :") + title(r.Twain[addin::kTwainScan].addIn);
      break;
    case AddInListMode::Read:
    case AddInListMode::Write: {
      const bool read = mode == AddInListMode::Read;
      const auto& table = read ? r.Readers : r.Writers;
      const int count = read ? r.ReaderCount : r.WriterCount;
      for (int i = 0; i < count; ++i)
        if (!table[i].addIn.isEmpty())
          out << QStringLiteral("*.") + table[i].extension + QStringLiteral(":") +
                     title(table[i].addIn);
      break;
    }
  }
  return out;
}

QStringList packageListLines(const AddInPackage& p, AddInListMode mode) {
  QStringList out;
  const QString& title = p.addIn.title;
  switch (mode) {
    case AddInListMode::Special:
      if (p.hasSpecial) out << title;
      break;
    case AddInListMode::Scanner:
      out << (p.hasSelect ? QStringLiteral("SetUp:") + title
                          : QStringLiteral("SetUp: No TWAIN Select module"));
      out << (p.hasScan ? QStringLiteral("Scan :") + title
                        : QStringLiteral("Scan : No TWAIN Scan module"));
      break;
    case AddInListMode::Read:
    case AddInListMode::Write:
      for (const FormatEntry& f : mode == AddInListMode::Read ? p.readers : p.writers)
        out << QStringLiteral("*.") + f.extension + QStringLiteral(":") + title;
      break;
  }
  return out;
}

// ---------------------------------------------------------------------------
// The settings window's backup

bool BackupAddInRegistry(const Editor& e, QString* error) {
  QByteArray bytes;
  if (!readConfigFileBytes(addInRegistryPath(e.UserPath), bytes, error)) return false;
  return writeFileAtomically(addInBackupPath(e.UserPath), bytes, error);
}

bool RestoreAddInRegistry(Editor& e, QString* error) {
  bool ok = true;
  const QString backup = addInBackupPath(e.UserPath);
  if (QFileInfo::exists(backup)) {
    QByteArray bytes;
    ok = readConfigFileBytes(backup, bytes, error) &&
         writeFileAtomically(addInRegistryPath(e.UserPath), bytes, error);
    // A backup that couldn't be put back stays, so nothing is lost.
    if (ok) QFile::remove(backup);
  }
  LoadAddInRegistry(e);
  return ok;
}

void DiscardAddInBackup(Editor& e) {
  QFile::remove(addInBackupPath(e.UserPath));
  LoadAddInRegistry(e);
}

void setScannerProbe(std::function<bool()> probe) { scannerProbe() = std::move(probe); }

}  // namespace tupalo
