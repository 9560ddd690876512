#pragma once

// The help window, the about box, and the two windows the game creates but never opens.

#include <QDialog>
#include <filesystem>

class QPlainTextEdit;

namespace kelmora::app {

// TForm5, "Помощь": help.txt, read afresh at every showing.
class HelpWindow : public QDialog {
 public:
  explicit HelpWindow(std::filesystem::path dir, QWidget* parent = nullptr);
  void showHelp();
  // Reloads help.txt; a missing file keeps what was shown and shows the error box.
  void loadHelpText();

 private:
  std::filesystem::path dir_;
  QPlainTextEdit* text_;
};

// TAboutBox, "О программе...".
class AboutBox : public QDialog {
 public:
  explicit AboutBox(QWidget* parent = nullptr);
  // Modal, in the middle of the screen.
  void showBox();
};

// TForm3, "Опции": its one setting has never had any effect, and nothing opens it.
class OptionsDialog : public QDialog {
 public:
  explicit OptionsDialog(QWidget* parent = nullptr);
};

// TForm7, "50000 Ваши!": an empty window that nothing opens.
class EmptyWindow : public QDialog {
 public:
  explicit EmptyWindow(QWidget* parent = nullptr);
};

}  // namespace kelmora::app
