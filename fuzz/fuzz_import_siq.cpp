// Any bytes as a .siq pack: a zip archive (when it starts like one) or content.xml alone, so
// that the fuzzer reaches the XML without having to forge an archive first. A pack is taken
// or refused with a message; it never crashes, hangs or takes more memory than the cap.

#include <cstddef>
#include <cstdint>

#include "fuzz_import.h"
#include "import/siq_reader.h"

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  try {
    const import::Source source =
        bytes.starts_with("PK") ? import::readSiqBytes(bytes) : import::readSiqContent(bytes);
    fuzz::checkPlan(source);
  } catch (const import::ImportError& e) {
    FUZZ_CHECK(e.what()[0] != '\0');
  }
  return 0;
}
