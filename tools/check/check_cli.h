#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kelmora::check {

// The whole command line after the program name. Without files, kelmora.db and zamen.db in
// workDir are checked. Returns the exit status: 0 clean, 1 warnings only, 2 errors or bad use.
int runCheck(const std::vector<std::string>& args, const std::filesystem::path& workDir,
             std::ostream& out, std::ostream& err);

}  // namespace kelmora::check
