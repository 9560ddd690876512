#include "core/speech/words.h"

#include <utility>

#include "core/text/cp1251.h"

namespace kelmora::speech {

namespace {

using std::string;

// Russian nouns agree with the number: one, few (2-4) and many (5-20, and by the last digits).
string counted(int n, std::string_view one, std::string_view few, std::string_view many) {
  const int lastTwo = n % 100;
  const int last = n % 10;
  std::string_view word = many;
  if (lastTwo < 11 || lastTwo > 14) {
    if (last == 1) word = one;
    else if (last >= 2 && last <= 4) word = few;
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
  if (n == 1) return string("нужен ещё 1 верный ответ"_cp);
  return string("нужно ещё "_cp) + counted(n, "верный ответ"_cp, "верных ответа"_cp,
                                            "верных ответов"_cp);
}

string questionWords(const events::QuestionShown& q) {
  string s = string("Раунд "_cp) + std::to_string(q.round) + ", " + rightNeeded(q.rightNeeded) +
             string(". Вопрос: "_cp) + spoken(q.text);
  if (!endsSentence(s)) s += '.';
  return s;
}

}  // namespace

string roubles(int amount) {
  return counted(amount, "рубль"_cp, "рубля"_cp, "рублей"_cp);
}

string duration(int seconds) {
  const int minutes = seconds / 60;
  const int rest = seconds % 60;
  const string sec = counted(rest, "секунда"_cp, "секунды"_cp, "секунд"_cp);
  if (minutes == 0) return sec;
  const string min = counted(minutes, "минута"_cp, "минуты"_cp, "минут"_cp);
  return rest == 0 ? min : min + " " + sec;
}

string timeLeftWords(bool playing, int secondsLeft) {
  if (!playing) return string("Часы стоят."_cp);
  return string("Осталось "_cp) + duration(secondsLeft) + ".";
}

void Narrator::add(const string& sentence) {
  if (!pending_.empty()) pending_ += ' ';
  pending_ += sentence;
}

void Narrator::hear(const GameEvent& event) {
  using namespace events;
  std::visit(
      [this](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, GameStarted>) {
          // A new game forgets everything of the last one, said or not.
          pending_.clear();
          question_.reset();
          add(string("Новая игра."_cp));
        } else if constexpr (std::is_same_v<E, QuestionShown>) {
          question_ = e;
          add(questionWords(e));
        } else if constexpr (std::is_same_v<E, AnswerJudged>) {
          add(e.right ? string("Верно."_cp) : string("Неверно."_cp));
        } else if constexpr (std::is_same_v<E, Passed>) {
          add(e.passesLeft == 0 ? string("Пас. Больше пасов в этом раунде нет."_cp)
                                : string("Пас. Осталось пасов: "_cp) +
                                      std::to_string(e.passesLeft) + ".");
        } else if constexpr (std::is_same_v<E, Replaced>) {
          add(e.replacementsLeft == 0
                  ? string("Замена. Замен больше нет."_cp)
                  : string("Замена. Осталось замен: "_cp) + std::to_string(e.replacementsLeft) +
                        ".");
        } else if constexpr (std::is_same_v<E, RoundWon>) {
          question_.reset();
          add(string("Раунд "_cp) + std::to_string(e.round) + string(" пройден. Приз "_cp) +
              roubles(e.prize) + string(", в банке "_cp) + roubles(e.bank) + ".");
        } else if constexpr (std::is_same_v<E, MoneyTaken>) {
          add(string("Вы забираете деньги."_cp));
        } else if constexpr (std::is_same_v<E, ClockWarning>) {
          add(string("Осталось "_cp) + duration(e.secondsLeft) + ".");
        } else if constexpr (std::is_same_v<E, GongStarted>) {
          question_.reset();
          add(string("Гонг-игра: можно отыграть до "_cp) + roubles(e.prize) +
              string(". Выберите столбец: кнопка 1, 2 или 3. Суммы будут расти; нажмите Стоп, "
                     "чтобы забрать сумму, пока не ударил гонг."_cp));
        } else if constexpr (std::is_same_v<E, GongColumnChosen>) {
          add(string("Столбец "_cp) + std::to_string(e.column) + ".");
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
  if (!question_) return string("Вопроса нет. Новая игра: клавиша F2."_cp);
  return questionWords(*question_);
}

}  // namespace kelmora::speech
