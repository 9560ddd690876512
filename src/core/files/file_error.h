#pragma once

// The one failure a file operation reports. Its message is exactly what the player is shown
// (the error box adds the full stop), so the texts below must not change.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kelmora {

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  static FileError cannotOpen(const std::string& name) {
    return FileError("Cannot open file " + name);
  }
  static FileError cannotCreate(const std::string& name) {
    return FileError("Cannot create file " + name);
  }
  static FileError notFound() { return FileError(kNotFound); }
  static FileError readBeyondEnd() { return FileError("Read beyond end of file"); }

  // A missing file is the one failure that is not a fault of a file that is there.
  bool isNotFound() const { return what() == std::string_view(kNotFound); }

 private:
  static constexpr const char* kNotFound = "File not found";
};

}  // namespace kelmora
