#include "check/base_checker.h"

#include <algorithm>

#include "check/check_support.h"
#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/text/file_error.h"
#include "core/text/text_file.h"

namespace kelmora::check {

BaseKind guessKind(const std::filesystem::path& file) {
  const auto name = file.filename();
  if (name == kMainBaseFile) return BaseKind::kMain;
  if (name == kTopicsFile) return BaseKind::kTopics;
  try {
    LineReader reader(file, kMaxLineLength);
    std::string line;
    while (reader.next(line)) {
      if (!line.empty() && line[0] == '[') return BaseKind::kTopics;
    }
  } catch (const FileError&) {
    // Checked as a main base, which reports the file as unreadable.
  }
  return BaseKind::kMain;
}

std::string formatFinding(const Finding& finding) {
  std::string out = finding.file + ":";
  if (finding.line > 0) out += std::to_string(finding.line) + ":";
  out += finding.severity == Severity::kError ? " ошибка: " : " предупреждение: ";
  return out + finding.message;
}

std::string formatSummary(const std::vector<Finding>& findings) {
  const auto errors = std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
    return f.severity == Severity::kError;
  });
  const auto warnings = static_cast<long long>(findings.size()) - errors;
  if (findings.empty()) return "Замечаний нет.";
  return "Итого: " + counted(errors, "ошибка", "ошибки", "ошибок") + ", " +
         counted(warnings, "предупреждение", "предупреждения", "предупреждений") + ".";
}

int exitStatus(const std::vector<Finding>& findings) {
  int status = 0;
  for (const auto& f : findings)
    status = std::max(status, f.severity == Severity::kError ? 2 : 1);
  return status;
}

}  // namespace kelmora::check
