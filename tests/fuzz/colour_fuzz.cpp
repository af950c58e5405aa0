// Any bytes as TUPA.CDI: what is read and written back (from its own lines,
// in its own encoding and line ends, as the editor saves it) reads the same
// again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "editor/files/ColourFile.h"
#include "editor/files/ConfigText.h"

namespace {

using namespace tupalo;

bool same(const ColourDictionary& a, const ColourDictionary& b) {
  if (a.ColourPageNames != b.ColourPageNames) return false;
  for (int page = 0; page < ColourDictionary::kPages; ++page)
    for (int colour = 0; colour < ColourDictionary::kColours; ++colour)
      for (int component = 1; component <= 3; ++component)
        if (a.ColourTable[page][colour][component] != b.ColourTable[page][colour][component])
          return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ConfigText text = decodeConfigText(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  ColourDictionary first;
  applyColourFile(text.lines, first);
  const QByteArray written = encodeConfigText(renderColourFile(text.lines, first), text.format);
  ColourDictionary second;
  applyColourFile(decodeConfigText(written).lines, second);
  if (!same(first, second)) {
    std::fprintf(stderr, "colours read back differently; written:\n%s\n", written.constData());
    std::abort();
  }
  return 0;
}
