#include <iostream>
#include <string>
#include <vector>

#include "data/data_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kelmora::tools::runDataTool(args, std::cout, std::cerr);
}
