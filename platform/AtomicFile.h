#pragma once
// Replacing a file that holds the user's work or settings: the new contents go
// into a temporary file beside the target, which is synced and renamed over
// it. The old file is never deleted first, so a crash or a full disk leaves
// either the old file or the new one, never a truncated mix. The new file
// keeps the old one's permission bits; a symbolic link stays a link and its
// target is replaced.

#include <QByteArray>
#include <QString>
#include <cerrno>
#include <functional>

namespace tupalo {

// Writes `data` to `path` atomically. Returns true on success; on failure the
// file at `path` is untouched, no temporary file is left, and *error (when
// given) says why in Japanese (fileErrorReason of the failing call's errno).
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// The same with the contents produced in pieces by `produce`, which calls the
// given sink once per piece; the sink returns false once a write failed.
bool writeFileAtomically(
    const QString& path,
    const std::function<bool(const std::function<bool(const char*, qint64)>&)>& produce,
    QString* error = nullptr);

// Test seam: when set, called before every write with the number of bytes
// written so far; returning false makes that write fail with `errnum` (a full
// disk unless the test chooses otherwise).
void setWriteFaultInjector(std::function<bool(qint64 writtenSoFar)> injector, int errnum = ENOSPC);

}  // namespace tupalo
