#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "launcher/folder_setup.h"

namespace kelmora::launcher {

// A command line the launcher cannot follow; the player is pointed to --help.
class UsageError : public LaunchError {
 public:
  using LaunchError::LaunchError;
};

struct Request {
  enum class Kind { Play, Help, Version };
  Kind kind = Kind::Play;
  std::optional<std::filesystem::path> folder;
  // For developers: a build tree instead of the installed defaults and game program.
  std::optional<std::filesystem::path> defaults;
  std::optional<std::filesystem::path> program;
};

// The launcher's arguments, argv[0] excluded. The game itself takes none, so anything the
// launcher does not know is an error rather than something to pass on.
Request parseArguments(const std::vector<std::string>& args);

// The environment the player's folder is chosen from; an unset variable is empty.
struct FolderEnvironment {
  std::string kelmoraDir;   // KELMORA_DIR
  std::string xdgDataHome;  // XDG_DATA_HOME
  std::string home;         // HOME, or the account's home directory
};

// Where the player's game lives: --folder, else KELMORA_DIR, else $XDG_DATA_HOME/kelmora, else
// ~/.local/share/kelmora. A relative XDG_DATA_HOME is ignored, as the XDG convention asks.
// Relative names are taken from `cwd`.
std::filesystem::path playerFolder(const std::optional<std::filesystem::path>& option,
                                   const FolderEnvironment& env, const std::filesystem::path& cwd);

// --help, with the folder this start would use (or why there is none).
std::string helpText(const std::string& folderLine);

}  // namespace kelmora::launcher
