#include "editor/core/ToolNames.h"

namespace tupalo {

QString ToolStatusName(int code) {
  switch (code) {
    case 0:
      return QStringLiteral("No select");
    case 1:
      return QStringLiteral("Pset");
    case 2:
      return QStringLiteral("FreeLine");
    case 3:
      return QStringLiteral("Line");
    case 4:
      return QStringLiteral("Box");
    case 5:
      return QStringLiteral("Boxfill");
    case 6:
      return QStringLiteral("Circle");
    case 7:
      return QStringLiteral("Circlefill");
    case 8:
      return QStringLiteral("Paint A");
    case 9:
      return QStringLiteral("Paint B");
    case 10:
      return QStringLiteral("Mask pen");
    case 11:
      return QStringLiteral("Reverse mask pen");
    case 12:
      return QStringLiteral("Left side change");
    case 13:
      return QStringLiteral("Right side change");
    case 14:
      return QStringLiteral("Up side change");
    case 15:
      return QStringLiteral("Down side change");
    case 16:
      return QStringLiteral("Reverse");
    case 17:
      return QStringLiteral("Change color");
    case 18:
      return QStringLiteral("Copy to Clipboard");
    case 19:
      return QStringLiteral("Copy from Clipboard");
    case 21:
      return QStringLiteral("Spray");
    case 22:
      return QStringLiteral("Mask Spray");
    case 23:
      return QStringLiteral("Fuzzy Mask Pen");
    case 24:
      return QStringLiteral("Fuzzy Change Color");
    case 25:
      return QStringLiteral("Reverse ChangeCol.");
    case 26:
      return QStringLiteral("Fuz.Rev.Change Col.");
    case 27:
      return QStringLiteral("Polygon ");
    case 28:
      return QStringLiteral("Polygon Copy");
    case 29:
      return QStringLiteral("Line(Type2)");
    case 30:
      return QStringLiteral("Glass Mirror");
    case 31:
      return QStringLiteral("Bezier Line");
    case 32:
      return QStringLiteral("V Box");
    case 33:
      return QStringLiteral("V Pen");
    case 34:
      return QStringLiteral("AirSpray");
    case 35:
      return QStringLiteral("MaskAirSpray");
    case 36:
      return QStringLiteral("Thru Pen");
    case 1000:
      return QStringLiteral("Spoit");
    case 10002:
      return QStringLiteral("Expand to x2");
    case 10004:
      return QStringLiteral("Expand to x4");
    case 10008:
      return QStringLiteral("Expand to x8");
    case 11001:
      return QStringLiteral("Pset");
    case 11002:
      return QStringLiteral("Boxfill");
    case 11003:
      return QStringLiteral("Box");
    case 11004:
      return QStringLiteral("Circle");
    case 11006:
      return QStringLiteral("V Pen");
    case 11029:
      return QStringLiteral("Line(Type2)");
    case 11100:
      return QStringLiteral("Copy");
    case 20000:
      return QStringLiteral("Area copy ");
    case 27001:
      return QStringLiteral("Write word");
    default:
      return QStringLiteral("- - - -");
  }
}

int BaseToolCode(int code) {
  switch (code) {
    case 5027:
    case 6027:
    case 7027:
      return 27;
    case 5028:
    case 6028:
    case 7028:
    case 8028:
      return 28;
    case 5029:
    case 6029:
    case 7029:
    case 8029:
      return 29;
    case 1031:
    case 2031:
    case 5031:
      return 31;
    case 12029:
    case 13029:
      return 11029;
    case 11101:
    case 11102:
      return 11100;
    case 20001:
    case 20002:
      return 20000;
    case 27002:
      return 27001;
    default:
      return code;
  }
}

bool IsPendingMultiStep(int code) {
  const int base = BaseToolCode(code);
  return code != base && (base == 27 || base == 28 || base == 29 || base == 31 || base == 11029);
}

}  // namespace tupalo
