// Test entry point for everything that touches Qt: one QApplication for the
// whole run, on the offscreen platform unless the caller chose another.
#include <gtest/gtest.h>

#include <QApplication>

namespace {
QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about window features it doesn't have; that
// noise would bury real failures in the log.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("propagateSizeHints"))) return;
  if (previousHandler) previousHandler(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(quietHandler);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
