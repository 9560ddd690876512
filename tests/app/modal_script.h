#pragma once

// Plays the part of the player at the game's modal windows: each window that opens is handed
// to the next scripted answer (or a default one), and what it showed is written down.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <deque>
#include <functional>

namespace kelmora::test {

class ModalScript : public QObject {
 public:
  using Answer = std::function<void(QWidget* modal)>;

  ModalScript() {
    poll_.setInterval(2);
    connect(&poll_, &QTimer::timeout, this, [this] { answerModal(); });
    poll_.start();
  }

  // Answers for the next windows, in order; after them every window gets the default: OK on
  // a message box, "Дальше" in the round-won dialog, closing anything else.
  void then(Answer answer) { answers_.push_back(std::move(answer)); }

  // One line per window: "message: <text>", "error: <text>", or the window's object name.
  QStringList seen;

  static QString describe(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      return (box->icon() == QMessageBox::Critical ? QStringLiteral("error: ")
                                                   : QStringLiteral("message: ")) +
             box->text();
    }
    return modal->objectName();
  }

  static void close(QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->accept();
    } else {
      modal->close();
    }
  }

  static void click(QWidget* modal, const char* buttonName) {
    modal->findChild<QPushButton*>(QString::fromLatin1(buttonName))->click();
  }

 private:
  void answerModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      connect(
          dialog, &QDialog::finished, dialog, [dialog] { dialog->setProperty("answered", false); },
          Qt::SingleShotConnection);
    }
    seen << describe(modal);
    Answer answer;
    if (!answers_.empty()) {
      answer = std::move(answers_.front());
      answers_.pop_front();
    } else if (modal->objectName() == QLatin1String("TForm4")) {
      answer = [](QWidget* m) { click(m, "Button1"); };
    } else {
      answer = &ModalScript::close;
    }
    // Run outside the timer's own call: Qt does not fire a timer again inside its handler, and
    // an answer may open the next modal window.
    QMetaObject::invokeMethod(
        this, [answer = std::move(answer), modal] { answer(modal); }, Qt::QueuedConnection);
  }

  QTimer poll_;
  std::deque<Answer> answers_;
};

}  // namespace kelmora::test
