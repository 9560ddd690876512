#pragma once

// Permissions mean nothing to root, and the tests (CI included) often run as root. A check of
// permissions therefore runs in a forked child that has become the unprivileged user "nobody";
// what the child saw comes back as text for the test to check in the parent.

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kelmora::test {

struct Nobody {
  uid_t uid = 65534;
  gid_t gid = 65534;
};

inline Nobody nobody() {
  Nobody who;
  if (const passwd* pw = ::getpwnam("nobody")) {
    who.uid = pw->pw_uid;
    who.gid = pw->pw_gid;
  }
  return who;
}

// Hands paths to the user the child will run as, so that it may change them; a no-op when the
// tests already run as an ordinary user.
inline void giveToChildUser(const std::filesystem::path& path) {
  if (::geteuid() != 0) return;
  const Nobody who = nobody();
  [[maybe_unused]] const int ignored = ::lchown(path.c_str(), who.uid, who.gid);
}

// The child's answer, or why there is none, for the test to skip with that reason.
struct ChildAnswer {
  std::optional<std::string> text;
  std::string skipReason;
};

// Runs body in a forked child and brings back what it returned. An answer that starts with a
// NUL byte is a reason to skip, not an answer.
inline ChildAnswer runInChild(const std::function<std::string()>& body) {
  int out[2];
  if (::pipe(out) != 0) return {std::nullopt, "no pipe for the child"};
  const pid_t pid = ::fork();
  if (pid < 0) return {std::nullopt, "cannot fork"};
  if (pid == 0) {
    ::close(out[0]);
    std::string answer;
    try {
      answer = body();
    } catch (const std::exception& e) {
      answer = std::string("exception: ") + e.what();
    }
    for (std::size_t at = 0; at < answer.size();) {
      const ssize_t n = ::write(out[1], answer.data() + at, answer.size() - at);
      if (n <= 0) break;
      at += static_cast<std::size_t>(n);
    }
    ::_exit(0);  // no test framework teardown in the child
  }
  ::close(out[1]);
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
    answer.append(buffer, static_cast<std::size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status)) return {"the child died: " + answer, {}};
  if (!answer.empty() && answer[0] == '\0') return {std::nullopt, answer.substr(1)};
  return {answer, {}};
}

// Runs body as nobody (or as the present user when that is not root) in a child process.
inline ChildAnswer runAsOrdinaryUser(const std::function<std::string()>& body) {
  return runInChild([&]() -> std::string {
    const Nobody who = nobody();
    std::error_code ec;
    const auto temporary = std::filesystem::temp_directory_path(ec);
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(who.gid) != 0 ||
                             ::setuid(who.uid) != 0 || ::geteuid() == 0)) {
      return std::string(1, '\0') + "cannot switch to the user nobody";
    }
    if (ec || ::access(temporary.c_str(), X_OK) != 0) {
      // The tests' folders live there: a TMPDIR inside a private home folder would otherwise
      // turn every case into a misleading "cannot open".
      return std::string(1, '\0') + "the user nobody cannot enter the temporary folder " +
             temporary.string();
    }
    return body();
  });
}

}  // namespace kelmora::test
