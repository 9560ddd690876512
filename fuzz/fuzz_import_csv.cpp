// Any bytes as a table to import, with each delimiter and the guessed one: no crash, no hang,
// and whatever is taken is a topic the game reads back as planned.

#include <cstddef>
#include <cstdint>

#include "fuzz_import.h"
#include "import/table_reader.h"

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  for (const char delimiter : {'\0', '\t', ';', ','}) {
    try {
      const import::Source source = import::readTable(bytes, delimiter, "Тема");
      for (const auto& q : source.questions)
        FUZZ_CHECK(!q.text.empty() && !q.position.empty());
      fuzz::checkPlan(source);
    } catch (const import::ImportError&) {
      // A table of one column: refused with a message, which is the point.
    }
  }
  return 0;
}
