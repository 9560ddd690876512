#pragma once

#include <functional>
#include <string>

namespace kelmora {

// A modal information box for the player, one per call, in the order of the calls.
using Notify = std::function<void(const std::string& message)>;

}  // namespace kelmora
