#include <iostream>
#include <string>
#include <vector>

#include "import/import_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kelmora::import::runImport(args, std::cout, std::cerr);
}
