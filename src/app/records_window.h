#pragma once

// "Таблица рекордов": the 100 best results as they are in res.res.

#include <QDialog>

class QTableWidget;

namespace kelmora {
struct RecordsTable;
}

namespace kelmora::app {

class RecordsWindow : public QDialog {
 public:
  explicit RecordsWindow(QWidget* parent = nullptr);
  // Fills the list from the table and waits until the player closes the window.
  void showTable(const RecordsTable& table);
  void fillRecordsWindow(const RecordsTable& table);
  // The player's new result is at this place (1..100): the next showing puts the keyboard on
  // its row, so a screen reader starts the table there. Only a screen reader's listener marks
  // it; the window looks the same either way.
  void markPlace(int place) { markedPlace_ = place; }

 protected:
  bool event(QEvent* e) override;

 private:
  QTableWidget* list_;
  int markedPlace_ = 0;
  int rowToRead_ = -1;
};

}  // namespace kelmora::app
