#include "app/records_window.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <utility>

#include "app/look.h"
#include "app/text.h"
#include "core/players/records.h"

namespace kelmora::app {

namespace {
constexpr int kReaderCatchesUpMs = 300;
}  // namespace

RecordsWindow::RecordsWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("Таблица рекордов"));
  setFixedSize(296, 194);
  setFont(makeFont(Face::SansSerif, 11));

  // The rows come with the first filling: building 100 empty rows here only slows start-up.
  list_ = new QTableWidget(0, 4, this);
  name(list_, "ListView1", QStringLiteral("Таблица рекордов"));
  list_->setGeometry(0, 0, 296, 194);
  list_->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Имя игрока"),
                                    QStringLiteral("Дата"), QStringLiteral("Выигрыш")});
  const int widths[] = {30, 90, 60, 95};
  for (int c = 0; c < 4; ++c)
    list_->setColumnWidth(c, widths[c]);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(17);
  list_->horizontalHeader()->setSectionsClickable(false);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->setShowGrid(true);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setWordWrap(false);
  // The selection stays visible when the list loses the focus.
  QPalette p = list_->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight,
             p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  list_->setPalette(p);
}

void RecordsWindow::fillRecordsWindow(const RecordsTable& table) {
  list_->clearSelection();
  const auto rows = recordsRows(table);
  list_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(
          fromCp(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
      if (c == 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      list_->setItem(r, c, item);
    }
  }
  list_->scrollToTop();
}

void RecordsWindow::showTable(const RecordsTable& table) {
  fillRecordsWindow(table);
  if (parentWidget()) centre(this, parentWidget()->window());
  list_->setFocus();
  const int row = std::exchange(markedPlace_, 0) - 1;
  if (row >= 0 && row < list_->rowCount()) {
    // The current cell only: the selection is what the player sees, and it stays as it was.
    list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0),
                                             QItemSelectionModel::NoUpdate);
    list_->scrollTo(list_->currentIndex());
    rowToRead_ = row;
  }
  exec();
}

bool RecordsWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && rowToRead_ >= 0) {
    // A screen reader hears the table take the focus but not which cell is current. Stepping
    // onto the row again reads the player's new row aloud, but only once the reader has
    // caught up with the window's activation: Orca drops a cell's focus that comes with it
    // (measured: none at once, every time after 300 ms).
    const QModelIndex cell = list_->model()->index(std::exchange(rowToRead_, -1), 0);
    QTimer::singleShot(kReaderCatchesUpMs, list_, [this, cell] {
      list_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
      list_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    });
  }
  return QDialog::event(e);
}

}  // namespace kelmora::app
