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

 private:
  QTableWidget* list_;
};

}  // namespace kelmora::app
