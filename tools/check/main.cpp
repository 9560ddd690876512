#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "check/check_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kelmora::check::runCheck(args, std::filesystem::path("."), std::cout, std::cerr);
}
