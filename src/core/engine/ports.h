#pragma once

// The few things the rules need from outside: chance, time, and the player's attention. The
// application implements them with real timers and windows; tests script them, so every
// game can be replayed exactly.

#include <string>

namespace kelmora {

struct RecordsTable;

class Random {
 public:
  virtual ~Random() = default;
  // A uniformly distributed integer from 0 to n - 1.
  virtual int randomIndex(int n) = 0;
};

class Timers {
 public:
  virtual ~Timers() = default;
  // Starting is an action, not a state: each start begins a full interval before the first tick.
  virtual void startClock() = 0;
  virtual void stopClock() = 0;
  virtual void startGongTicker() = 0;
  virtual void stopGongTicker() = 0;
  // Takes effect from now on a running ticker, or at its next start.
  virtual void setGongInterval(int milliseconds) = 0;
};

enum class RoundWonChoice { GoOn, TakeMoney };

// Modal interactions. Every call returns only when the player has closed the window, and the
// texts are code-page bytes.
class Prompts {
 public:
  virtual ~Prompts() = default;
  // An information box with one OK button.
  virtual void showMessage(const std::string& text) = 0;
  // The round-won dialog; roundSeconds is the text it shows as the time the round took.
  // Closing it any way other than "Забрать деньги" means going on.
  virtual RoundWonChoice roundWon(const std::string& roundSeconds) = 0;
  // The records window over the table as it is in the file.
  virtual void showRecords(const RecordsTable& table) = 0;
  // The error box of a failed file operation; the message comes without its full stop.
  virtual void showError(const std::string& message) = 0;
};

class Calendar {
 public:
  virtual ~Calendar() = default;
  // The local date in the user's short date format, and the local time in the long format.
  virtual std::string shortDate() = 0;
  virtual std::string longTime() = 0;
  // The date of a record, in the eight characters the records table has for it: the short
  // format with a two-digit year, so 7 December 2026 is "07.12.26" and never reads as 2020.
  virtual std::string recordDate() = 0;
};

}  // namespace kelmora
