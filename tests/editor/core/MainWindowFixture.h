#pragma once
// A main window on a temporary program folder with the factory files copied
// in, answering its questions from a script.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "editor/EditorWindows.h"
#include "editor/core/P_WIN.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/files/PictureFile.h"
#include "editor/palette/CMD_WIN.h"
#include "platform/raster/Raster.h"
#include "support/ScriptedPrompter.h"

namespace tupalo {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    app = dir.path() + QStringLiteral("/prog");
    QDir().mkpath(app);
    for (const char* name : {"DEFAULT.CNF", "DEFAULT.CDI", "DEFAULT.AIN", "UNDO_B_IMG.bmp"})
      ASSERT_TRUE(QFile::copy(QStringLiteral(TUPALO_DATA_DIR "/") + QLatin1String(name),
                              app + QLatin1Char('/') + QLatin1String(name)));
    editor.prompter = &prompter;
  }

  // Writes TUPA.CNF holding just these lines.
  void writeConfig(const QString& lines) {
    QFile f(app + QStringLiteral("/TUPA.CNF"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((lines + QStringLiteral("\n[EOF]\n")).toUtf8());
  }

  static QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QString readConfig() const {
    QFile f(app + QStringLiteral("/TUPA.CNF"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
  }

  P_WIN& window(int depth = 32) {
    if (!win) {
      P_WIN::Options o;
      o.displayDepth = depth;
      windows = std::make_unique<EditorWindows>(editor, o);
      win = windows->main.get();
      cmdWin = windows->cmdWin;
      colWin = windows->colWin;
    }
    return *win;
  }

  // Closes the windows, so that the next start makes them anew.
  void closeWindows() {
    windows.reset();
    win = nullptr;
    cmdWin = nullptr;
    colWin = nullptr;
  }

  P_WIN::StartResult start(const QString& commandLine = {}, int depth = 32) {
    return window(depth).StartUp(app, commandLine);
  }

  // A small picture with a recognisable pixel, written as a BMP.
  QString writePicture(const QString& name, int w = 5, int h = 3) {
    raster::Surface s(w, h);
    raster::SetPixelV(s, 1, 1, raster::rgb(10, 20, 30));
    const QString path = dir.path() + QLatin1Char('/') + name;
    QString error;
    EXPECT_TRUE(writeBitmapFile(path, s, &error)) << error.toStdString();
    return path;
  }

  QTemporaryDir dir;
  QString app;
  Editor editor;
  ScriptedPrompter prompter;
  std::unique_ptr<EditorWindows> windows;
  P_WIN* win = nullptr;       // the main window
  CMD_WIN* cmdWin = nullptr;  // the command palette
  COL_WIN* colWin = nullptr;  // the colour window
};

}  // namespace tupalo
