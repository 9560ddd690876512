#include "app_fixture.h"

#include "app/text.h"
#include "core/players/records.h"

namespace kelmora::test {

std::string accountRecord(const std::string& name, const std::string& password) {
  std::string r(64, '\0');
  r[0] = static_cast<char>(name.size());
  r.replace(1, name.size(), name);
  r[21] = static_cast<char>(password.size());
  r.replace(22, password.size(), password);
  return r;
}

AppFixture::AppFixture(const Players& players, int mainQuestions) {
  dir.write("kelmora.db", mainBaseText(mainQuestions));
  dir.write("zamen.db", topicsText({10, 5}));
  dir.write("res.res", std::string(RecordsTable::kFileSize, '\0'));
  dir.write("help.txt", cp("Правила игры\r\n"));
  dir.write("log.txt", "");
  if (!players.empty()) {
    std::string accounts;
    for (const auto& [name, password] : players)
      accounts += accountRecord(cp(name), cp(password));
    dir.write("account.ini", accounts);
    firstPassword = players.front().second;
  }
}

ModalScript::Answer signInWith(const QString& password) {
  return [password](QWidget* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit2"));
    edit->setText(password);
    ModalScript::click(dialog, "Button1");
  };
}

void AppFixture::start() {
  start({signInWith(QString::fromStdString(firstPassword))});
}

void AppFixture::start(const std::vector<ModalScript::Answer>& signIn) {
  for (const auto& answer : signIn)
    modals.then(answer);
  app = std::make_unique<app::Application>(
      dir.path(), app::Application::Overrides{&random, &timers, &calendar});
  app->start();
  // Shortcuts such as F2 reach only the active window.
  window().activateWindow();
  if (!QTest::qWaitForWindowActive(&window(), 1000))
    qWarning("the main window did not become active");
}

void AppFixture::answer(const QString& text) {
  auto* edit = find<QLineEdit>("Edit1");
  edit->clear();
  // QTest can type only Latin-1 characters; other text is put in the box directly.
  bool latin1 = true;
  for (const QChar c : text)
    latin1 = latin1 && c.unicode() < 0x80;
  if (latin1) {
    QTest::keyClicks(edit, text);
  } else {
    edit->setText(text);
  }
  QTest::keyClick(edit, Qt::Key_Return);
}

void AppFixture::answerRight() {
  const Game& game = app->game();
  const QuestionTable& base = game.questionsFrom(!game.state().replacementShown);
  const auto c = static_cast<std::size_t>(game.state().currentQuestion);
  answer(app::fromCp(base.answerVariants[c][0].view()));
}

}  // namespace kelmora::test
