#pragma once

// The game's name as its windows show it: the main window's caption starts with it and every
// message box, the launcher's included, carries it, so a player always sees the same name.

#include <string_view>

#include "core/text/cp1251.h"

namespace kelmora {

inline constexpr std::string_view kGameTitle = "Кельмора..."_cp;

}  // namespace kelmora
