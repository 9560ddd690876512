#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kelmora::import {

// The whole command line after the program name. The topics go to out when neither -o nor
// --into is given; the report always goes to err. Returns kelmora-check's exit statuses:
// 0 all taken and the result clean, 1 questions skipped or warnings in the result, 2 errors,
// a source that cannot be read, nothing written, or bad use.
int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelmora::import
