#include "platform/FileErrors.h"

#include <cerrno>
#include <cstring>

namespace tupalo {

namespace {

std::function<int(FileCall, const QString&)>& faultInjector() {
  static std::function<int(FileCall, const QString&)> injector;
  return injector;
}

struct Reason {
  int errnum;
  const char* reading;
  const char* writing;  // null: as when reading
};

constexpr Reason kReasons[] = {
    {ENOSPC, "ディスクの容量不足です", nullptr},
    {EDQUOT, "ディスクの使用量の上限を超えています", nullptr},
    {EACCES, "読み取り権限がありません", "書き込み権限がありません"},
    {EPERM, "読み取り権限がありません", "書き込み権限がありません"},
    {EROFS, "読み取り専用の場所です", nullptr},
    {ENOENT, "ファイルがありません", "保存先のフォルダがありません"},
    {ENOTDIR, "パスの途中にフォルダでないものがあります", "保存先のフォルダがありません"},
    {EISDIR, "ファイルではなくフォルダです", "同じ名前のフォルダがあります"},
    {ENAMETOOLONG, "パス又はファイル名が長すぎます", nullptr},
    {ELOOP, "シンボリックリンクが循環しています", nullptr},
    {EIO, "ディスクの読み書きに失敗しました（入出力エラー）", nullptr},
    {EMFILE, "開いているファイルが多すぎます", nullptr},
    {ENFILE, "開いているファイルが多すぎます", nullptr},
    {EFBIG, "ファイルが大きすぎます", nullptr},
    {ENOMEM, "メモリが不足しています", nullptr},
    {EBUSY, "ファイルが使用中です", nullptr},
    {ETXTBSY, "ファイルが使用中です", nullptr},
};

}  // namespace

QString fileErrorReason(int errnum, FileAccess access) {
  for (const Reason& r : kReasons) {
    if (r.errnum != errnum) continue;
    return QString::fromUtf8(access == FileAccess::Write && r.writing ? r.writing : r.reading);
  }
  // The system's own words, in the user's language where it has them.
  return QString::fromLocal8Bit(std::strerror(errnum));
}

void setFileFaultInjector(std::function<int(FileCall, const QString&)> injector) {
  faultInjector() = std::move(injector);
}

int injectedFileFault(FileCall call, const QString& path) {
  return faultInjector() ? faultInjector()(call, path) : 0;
}

}  // namespace tupalo
