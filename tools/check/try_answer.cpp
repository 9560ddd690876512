// An answer typed against one question, judged by the game's own function: an author tries a
// key the way a player types, without playing a game to reach the question.
#include "check/try_answer.h"

#include <fstream>
#include <ostream>

#include "check/check_support.h"
#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/files/file_error.h"
#include "core/text/answer_match.h"
#include "core/text/cp1251.h"

namespace kelmora::check {

namespace fs = std::filesystem;

namespace {

constexpr int kRight = 0;
constexpr int kWrong = 1;
constexpr int kCannotTry = 2;

// The game's loaders read a fixed name inside a directory; the file goes there in the code
// page, so a source kept in UTF-8 is read exactly as the file the build makes of it.
class CodePageCopy {
 public:
  CodePageCopy(const std::vector<std::string>& lines, bool fromUtf8, const char* gameName)
      : scratch_(gameName) {
    std::ofstream out(dir() / gameName, std::ios::binary);
    for (const auto& line : lines)
      out << (fromUtf8 ? toCp1251(line) : line) << "\r\n";
    if (!out.flush()) throw FileError::cannotOpen(gameName);
  }
  const fs::path& dir() const { return scratch_.path(); }

 private:
  ScratchDir scratch_;
};

struct Question {
  std::string text;
  AnswerRow slots;
};

// The question the game keeps for file line `line`, or why there is none.
std::optional<Question> mainQuestion(const CodePageCopy& copy, int line, std::string& why) {
  QuestionBase base;
  std::vector<std::string> messages;
  loadMainBase(copy.dir(), base, [&messages](const std::string& m) { messages.push_back(m); });
  if (line > base.questionCount) {
    why = line > base.capacity()
              ? "игра загружает только первые " + std::to_string(base.capacity()) + " строк"
              : "в файле нет такой строки";
    return std::nullopt;
  }
  for (const auto& m : messages) {
    if (m == erroneousLineMessage(line)) {
      why = "игра считает эту строку ошибочной, вопроса на ней нет";
      return std::nullopt;
    }
  }
  const auto i = static_cast<std::size_t>(line - 1);
  return Question{base.questionTexts[i], base.answerVariants[i]};
}

std::optional<Question> topicQuestion(const CodePageCopy& copy, int line, std::string& why) {
  const TopicList list = loadTopicList(copy.dir(), [](const std::string&) {});
  for (std::size_t t = 0; t < list.topics.size(); ++t) {
    const auto& questions = list.topics[t].questions;
    for (std::size_t k = 0; k < questions.size(); ++k) {
      if (questions[k].lineNumber != line) continue;
      ReplacementBase base;
      loadTopicQuestions(list, static_cast<int>(t), base);
      return Question{base.questionTexts[k], base.answerVariants[k]};
    }
  }
  why =
      "на этой строке нет вопроса темы (заголовок, «%», строка вне темы или за пределами "
      "того, что игра загружает)";
  return std::nullopt;
}

// The first slot that takes the answer, from 1; 0 for none. Each slot is tried alone through
// answerMatches, so the verdict is the game's to the byte.
int matchedSlot(std::string_view typed, const AnswerRow& slots) {
  for (std::size_t k = 0; k < slots.size(); ++k) {
    AnswerRow alone;
    alone.fill(slots[k]);
    if (answerMatches(typed, alone)) return static_cast<int>(k) + 1;
  }
  return 0;
}

}  // namespace

int tryAnswer(const TryRequest& request, std::ostream& out, std::ostream& err) {
  const std::string where = request.shown + ":" + std::to_string(request.line);
  Report report(request.shown);
  const auto raw = readRaw(request.file, report);
  if (!raw) {
    for (const auto& f : report.take())
      err << formatFinding(f) << "\n";
    return kCannotTry;
  }
  if (static_cast<std::size_t>(request.line) > raw->lines.size()) {
    err << where << ": в файле нет такой строки ("
        << counted(static_cast<long long>(raw->lines.size()), "строка", "строки", "строк") << ")\n";
    return kCannotTry;
  }
  const bool main = request.kind.value_or(guessKind(request.file)) == BaseKind::kMain;
  std::string why;
  std::optional<Question> question;
  try {
    const CodePageCopy copy(raw->lines, utf8Line(raw->lines) > 0,
                            main ? kMainBaseFile : kTopicsFile);
    question =
        main ? mainQuestion(copy, request.line, why) : topicQuestion(copy, request.line, why);
  } catch (const FileError&) {
    err << request.shown << ": не удаётся прочитать файл\n";
    return kCannotTry;
  }
  if (!question) {
    err << where << ": " << why << "\n";
    return kCannotTry;
  }

  const std::string typed = toCp1251(request.typed);
  out << where << ": " << toUtf8(question->text) << "\n   ответы:";
  for (const auto& slot : question->slots)
    out << " " << inQuotes(slot.view());
  out << "\nответ " << inQuotes(typed) << " игра сравнивает как "
      << inQuotes(normalizeAnswer(typed)) << ": ";
  if (!answerMatches(typed, question->slots)) {
    out << "неверно, ни один вариант не совпал\n";
    return kWrong;
  }
  const int slot = matchedSlot(typed, question->slots);
  out << "верно, совпал вариант " << slot << " "
      << inQuotes(question->slots[static_cast<std::size_t>(slot - 1)].view()) << "\n";
  return kRight;
}

}  // namespace kelmora::check
