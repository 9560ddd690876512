#include "core/text/one_line.h"

#include <algorithm>

namespace kelmora {

std::string oneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(line.begin(), line.end(), isControlByte, ' ');
  return line;
}

}  // namespace kelmora
