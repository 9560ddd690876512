#include "core/speech/words.h"

#include <utility>

#include "core/text/cp1251.h"

namespace kelmora::speech {

namespace said {
constexpr std::string_view kNewGame = "Новая игра."_cp;
constexpr std::string_view kRight = "Верно."_cp;
constexpr std::string_view kWrong = "Неверно."_cp;
constexpr std::string_view kNoPassesLeft = "Пас. Больше пасов в этом раунде нет."_cp;
constexpr std::string_view kPassesLeft = "Пас. Осталось пасов: "_cp;
constexpr std::string_view kNoReplacementsLeft = "Замена. Замен больше нет."_cp;
constexpr std::string_view kReplacementsLeft = "Замена. Осталось замен: "_cp;
constexpr std::string_view kRound = "Раунд "_cp;
constexpr std::string_view kRoundCleared = " пройден. Приз "_cp;
constexpr std::string_view kInTheBank = ", в банке "_cp;
constexpr std::string_view kMoneyTaken = "Вы забираете деньги."_cp;
constexpr std::string_view kLeft = "Осталось "_cp;
constexpr std::string_view kGongUpTo = "Гонг-игра: можно отыграть до "_cp;
constexpr std::string_view kGongHowTo =
    ". Выберите столбец: кнопка 1, 2 или 3. Суммы будут расти; нажмите Стоп, "
    "чтобы забрать сумму, пока не ударил гонг."_cp;
constexpr std::string_view kColumn = "Столбец "_cp;
constexpr std::string_view kOneMoreRight = "нужен ещё 1 верный ответ"_cp;
constexpr std::string_view kMoreRight = "нужно ещё "_cp;
constexpr std::string_view kRightAnswer1 = "верный ответ"_cp;
constexpr std::string_view kRightAnswers2 = "верных ответа"_cp;
constexpr std::string_view kRightAnswers5 = "верных ответов"_cp;
constexpr std::string_view kRoundWord = "Раунд "_cp;
constexpr std::string_view kQuestionWord = ". Вопрос: "_cp;
constexpr std::string_view kRouble1 = "рубль"_cp;
constexpr std::string_view kRoubles2 = "рубля"_cp;
constexpr std::string_view kRoubles5 = "рублей"_cp;
constexpr std::string_view kSecond1 = "секунда"_cp;
constexpr std::string_view kSeconds2 = "секунды"_cp;
constexpr std::string_view kSeconds5 = "секунд"_cp;
constexpr std::string_view kMinute1 = "минута"_cp;
constexpr std::string_view kMinutes2 = "минуты"_cp;
constexpr std::string_view kMinutes5 = "минут"_cp;
constexpr std::string_view kClockStopped = "Часы стоят."_cp;
constexpr std::string_view kTimeLeft = "Осталось "_cp;
constexpr std::string_view kNoQuestion = "Вопроса нет. Новая игра: клавиша F2."_cp;
}  // namespace said

namespace {

using std::string;

// Russian nouns agree with the number: one, few (2-4) and many (5-20, and by the last digits).
string counted(int n, std::string_view one, std::string_view few, std::string_view many) {
  const int lastTwo = n % 100;
  const int last = n % 10;
  std::string_view word = many;
  if (lastTwo < 11 || lastTwo > 14) {
    if (last == 1)
      word = one;
    else if (last >= 2 && last <= 4)
      word = few;
  }
  return std::to_string(n) + " " + string(word);
}

// The base keeps a question as it was typed: line breaks and runs of blanks are only layout.
string spoken(std::string_view text) {
  string out;
  bool blank = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

bool endsSentence(const string& s) {
  return !s.empty() && (s.back() == '.' || s.back() == '?' || s.back() == '!');
}

string rightNeeded(int n) {
  if (n == 1) return string(said::kOneMoreRight);
  return string(said::kMoreRight) +
         counted(n, said::kRightAnswer1, said::kRightAnswers2, said::kRightAnswers5);
}

string questionWords(const events::QuestionShown& q) {
  string s = string(said::kRoundWord) + std::to_string(q.round) + ", " +
             rightNeeded(q.rightNeeded) + string(said::kQuestionWord) + spoken(q.text);
  if (!endsSentence(s)) s += '.';
  return s;
}

}  // namespace

string roubles(int amount) {
  return counted(amount, said::kRouble1, said::kRoubles2, said::kRoubles5);
}

string duration(int seconds) {
  const int minutes = seconds / 60;
  const int rest = seconds % 60;
  const string sec = counted(rest, said::kSecond1, said::kSeconds2, said::kSeconds5);
  if (minutes == 0) return sec;
  const string min = counted(minutes, said::kMinute1, said::kMinutes2, said::kMinutes5);
  return rest == 0 ? min : min + " " + sec;
}

string timeLeftWords(bool playing, int secondsLeft) {
  if (!playing) return string(said::kClockStopped);
  return string(said::kTimeLeft) + duration(secondsLeft) + ".";
}

void Narrator::add(const string& sentence) {
  if (!pending_.empty()) pending_ += ' ';
  pending_ += sentence;
}

// What the listener says, as code-page text; kept out of the visitor, whose generic lambda
// clang 14 cannot compile with the code-page literal inside it.
void Narrator::hear(const GameEvent& event) {
  using namespace events;
  using namespace said;
  std::visit(
      [this](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, GameStarted>) {
          // A new game forgets everything of the last one, said or not.
          pending_.clear();
          question_.reset();
          add(string(kNewGame));
        } else if constexpr (std::is_same_v<E, QuestionShown>) {
          question_ = e;
          add(questionWords(e));
        } else if constexpr (std::is_same_v<E, AnswerJudged>) {
          add(e.right ? string(kRight) : string(kWrong));
        } else if constexpr (std::is_same_v<E, Passed>) {
          add(e.passesLeft == 0 ? string(kNoPassesLeft)
                                : string(kPassesLeft) + std::to_string(e.passesLeft) + ".");
        } else if constexpr (std::is_same_v<E, Replaced>) {
          add(e.replacementsLeft == 0
                  ? string(kNoReplacementsLeft)
                  : string(kReplacementsLeft) + std::to_string(e.replacementsLeft) + ".");
        } else if constexpr (std::is_same_v<E, RoundWon>) {
          question_.reset();
          add(string(kRound) + std::to_string(e.round) + string(kRoundCleared) + roubles(e.prize) +
              string(kInTheBank) + roubles(e.bank) + ".");
        } else if constexpr (std::is_same_v<E, MoneyTaken>) {
          add(string(kMoneyTaken));
        } else if constexpr (std::is_same_v<E, ClockWarning>) {
          add(string(kLeft) + duration(e.secondsLeft) + ".");
        } else if constexpr (std::is_same_v<E, GongStarted>) {
          question_.reset();
          add(string(kGongUpTo) + roubles(e.prize) + string(kGongHowTo));
        } else if constexpr (std::is_same_v<E, GongColumnChosen>) {
          add(string(kColumn) + std::to_string(e.column) + ".");
        } else if constexpr (std::is_same_v<E, GongValueShown>) {
          // The strike is said by the message box that follows it.
          if (!e.struck) add(roubles(e.value) + ".");
        } else if constexpr (std::is_same_v<E, GameEnded>) {
          question_.reset();
        }
        // TimeOut, GongEnded, GameEnded and RecordPlaced open a message box that says it all.
      },
      event);
}

bool Narrator::leadsToModal(const GameEvent& event) {
  using namespace events;
  if (const auto* judged = std::get_if<AnswerJudged>(&event)) return !judged->right;
  return std::holds_alternative<RoundWon>(event) || std::holds_alternative<TimeOut>(event) ||
         std::holds_alternative<GongEnded>(event) || std::holds_alternative<GameEnded>(event) ||
         std::holds_alternative<RecordPlaced>(event);
}

string Narrator::take() {
  return std::exchange(pending_, {});
}

string Narrator::repeatQuestion() const {
  if (!question_) return string(said::kNoQuestion);
  return questionWords(*question_);
}

}  // namespace kelmora::speech
