#pragma once

// What the tools say about themselves under --version: the version and the terms the code
// and the bundled questions are shared under, which a distribution needs to see at once.

#include <string>

namespace kelmora::tools {

inline std::string versionText(const std::string& tool) {
  return tool +
         " (Кельмора) " KELMORA_VERSION
         "\n"
         "Copyright 2026 The Kelmora developers\n"
         "Лицензия программы: GNU GPL версии 3 или любой более поздней (GPL-3.0-or-later)\n"
         "<https://www.gnu.org/licenses/gpl-3.0.html>; вопросы и справка игры — CC BY-SA 4.0\n"
         "<https://creativecommons.org/licenses/by-sa/4.0/>.\n"
         "Это свободная программа: её можно изменять и распространять. Гарантий нет в той\n"
         "мере, в какой это допускает закон.\n";
}

}  // namespace kelmora::tools
