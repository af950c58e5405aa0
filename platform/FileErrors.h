#pragma once
// Why a file could not be read or written, in the words the user reads in the
// editor's messages, and a test seam that makes the file calls fail.

#include <QString>
#include <functional>

namespace tupalo {

// The same error number means different things to a reader and a writer: a
// missing name is the file itself when reading, its folder when writing.
enum class FileAccess { Read, Write };

// A short Japanese sentence for `errnum` (an errno value). Numbers without
// their own sentence get the system's text, so no reason is ever "unknown".
QString fileErrorReason(int errnum, FileAccess access);

// The calls the file layer makes on behalf of a path.
enum class FileCall {
  OpenForReading,   // a settings, colour or picture file
  Read,             // a picture file's contents, after the open
  CreateTemporary,  // the temporary file beside a file that is being replaced
  Write,
  Sync,
  Rename,  // the temporary file over the target
};

// Test seam: when set, consulted before each of these calls with the path the
// caller named (the target, for the calls of a replacement); a non-zero result
// makes that call fail with it as errno. Lets a test reproduce what ordinary
// users meet (no permission, a read-only disk) also when it runs as root.
void setFileFaultInjector(std::function<int(FileCall call, const QString& path)> injector);

// 0, or the errno the injector chose for this call.
int injectedFileFault(FileCall call, const QString& path);

}  // namespace tupalo
