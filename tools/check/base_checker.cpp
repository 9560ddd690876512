#include "check/base_checker.h"

#include <algorithm>

#include "check/check_support.h"
#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/files/file_error.h"
#include "core/files/text_file.h"

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
  switch (finding.severity) {
    case Severity::kError:
      out += " ошибка: ";
      break;
    case Severity::kWarning:
      out += " предупреждение: ";
      break;
    case Severity::kNote:
      out += " замечание: ";
      break;
  }
  return out + finding.message;
}

std::string formatSummary(const std::vector<Finding>& findings) {
  if (findings.empty()) return "Всё в порядке.";
  auto count = [&findings](Severity severity) {
    return std::count_if(findings.begin(), findings.end(),
                         [severity](const Finding& f) { return f.severity == severity; });
  };
  return "Итого: " + counted(count(Severity::kError), "ошибка", "ошибки", "ошибок") + ", " +
         counted(count(Severity::kWarning), "предупреждение", "предупреждения", "предупреждений") +
         ", " + counted(count(Severity::kNote), "замечание", "замечания", "замечаний") + ".";
}

int exitStatus(const std::vector<Finding>& findings) {
  int status = 0;
  for (const auto& f : findings) {
    if (f.severity == Severity::kError) status = 2;
    if (f.severity == Severity::kWarning) status = std::max(status, 1);
  }
  return status;
}

std::vector<std::vector<Finding>> checkBases(const std::vector<BaseFile>& files) {
  std::vector<std::vector<Finding>> findings(files.size());
  RepeatIndex repeats;
  for (const BaseKind kind : {BaseKind::kMain, BaseKind::kTopics}) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      const BaseFile& f = files[i];
      if (f.kind != kind) continue;
      repeats.startFile(i);
      findings[i] = kind == BaseKind::kMain ? checkMainBase(f.path, f.shown, repeats)
                                            : checkTopicsBase(f.path, f.shown, repeats);
    }
  }
  const auto found = repeats.repeats();
  for (std::size_t i = 0; i < files.size(); ++i)
    withRepeats(findings[i], found, i);
  return findings;
}

}  // namespace kelmora::check
