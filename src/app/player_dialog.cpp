#include "app/player_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/look.h"
#include "app/text.h"
#include "app/window_ports.h"

namespace kelmora::app {

namespace {

// The outer heights 170 and 314 include a title bar and borders of about 25 pixels.
constexpr int kFrame = 25;
constexpr int kClientWidth = 198;

QLineEdit* field(QWidget* parent, const char* objectName, const QString& what, QRect geometry,
                 int maxLength, bool secret) {
  auto* edit = new QLineEdit(parent);
  name(edit, objectName, what);
  edit->setGeometry(geometry);
  edit->setMaxLength(maxLength);
  keepOnOneLine(edit);
  if (secret) edit->setEchoMode(QLineEdit::Password);
  return edit;
}

QPushButton* button(QWidget* parent, const char* objectName, const QString& caption,
                    QRect geometry) {
  auto* b = new QPushButton(caption, parent);
  name(b, objectName, QString(caption).remove(QLatin1Char('&')));
  b->setGeometry(geometry);
  b->setAutoDefault(false);
  return b;
}

void setFieldColour(QWidget* w, bool enabled) {
  QPalette p = w->palette();
  const QColor c = enabled ? windowColour() : buttonFace();
  p.setColor(QPalette::Base, c);
  p.setColor(QPalette::Button, c);
  w->setPalette(p);
}

void setText(QLineEdit* edit, const EditBox& box, unsigned& shown) {
  if (box.revision == shown) return;
  edit->setText(fromCp(box.text));
  shown = box.revision;
}

}  // namespace

PlayerDialog::PlayerDialog(const std::filesystem::path& dir, Notify message, Notify error)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      model_(dir, std::move(message), std::move(error)) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Выбор игрока"));
  const QFont sans = makeFont(Face::SansSerif, 11);
  setFont(sans);

  players_ = new QComboBox(this);
  name(players_, "ComboBox1", QStringLiteral("Игрок"));
  players_->setGeometry(5, 5, 188, 21);
  placeLabel(this, "Label1", QStringLiteral("Введите пароль:"), 8, 40, sans);
  password_ = field(this, "Edit2", QStringLiteral("Пароль"), {96, 32, 97, 21}, 10, true);
  next_ = button(this, "Button1", QStringLiteral("&Дальше >>"), {5, 72, 188, 25});
  newPlayer_ = button(this, "Button2", QStringLiteral("&Новый"), {5, 112, 60, 25});
  change_ = button(this, "Button5", QStringLiteral("&Изменить"), {69, 112, 60, 25});
  delete_ = button(this, "Button3", QStringLiteral("&Удалить"), {133, 112, 60, 25});
  auto* nameLabel = placeLabel(this, "Label2", QStringLiteral("Имя:"), 8, 160, sans);
  name_ = field(this, "Edit1", QStringLiteral("Имя нового игрока"), {8, 176, 113, 21}, 20, false);
  auto* passwordLabel = placeLabel(this, "Label3", QStringLiteral("Пароль:"), 8, 200, sans);
  newPassword_ =
      field(this, "Edit3", QStringLiteral("Пароль нового игрока"), {8, 216, 113, 21}, 10, true);
  auto* repeatLabel = placeLabel(this, "Label4", QStringLiteral("Пароль (ещё раз):"), 8, 240, sans);
  repeatPassword_ =
      field(this, "Edit4", QStringLiteral("Пароль ещё раз"), {8, 256, 113, 21}, 10, true);
  add_ = button(this, "Button4", QStringLiteral("&Добавить"), {125, 174, 68, 107});
  newPlayerControls_ = {nameLabel,   name_,           passwordLabel, newPassword_,
                        repeatLabel, repeatPassword_, add_};

  QWidget::setTabOrder(players_, next_);
  QWidget::setTabOrder(next_, newPlayer_);
  QWidget::setTabOrder(newPlayer_, delete_);
  // A new player is typed top to bottom, name, password, the password again, then added: Tab
  // walks the fields the way they stand, as a player who cannot see them needs.
  QWidget::setTabOrder(delete_, name_);
  QWidget::setTabOrder(name_, newPassword_);
  QWidget::setTabOrder(newPassword_, repeatPassword_);
  QWidget::setTabOrder(repeatPassword_, add_);
  QWidget::setTabOrder(add_, password_);
  QWidget::setTabOrder(password_, change_);

  connect(next_, &QPushButton::clicked, this, [this] { signInSelected(); });
  // Enter after typing the password signs in, as a player expects of a sign-in box.
  connect(password_, &QLineEdit::returnPressed, this, [this] { signInSelected(); });
  connect(newPlayer_, &QPushButton::clicked, this, [this] { act([this] { model_.newPlayer(); }); });
  connect(add_, &QPushButton::clicked, this, [this] { addPlayer(); });
  // Enter in a new player's field adds the player, as Enter in the password box signs in.
  for (QLineEdit* edit : {name_, newPassword_, repeatPassword_})
    connect(edit, &QLineEdit::returnPressed, this, [this] { addPlayer(); });
  connect(delete_, &QPushButton::clicked, this, [this] {
    act({password_}, [this] { model_.deletePlayer(players_->currentIndex(), typed(password_)); });
  });
  connect(change_, &QPushButton::clicked, this, [this] {
    act({password_}, [this] { model_.changePlayer(players_->currentIndex(), typed(password_)); });
  });
}

void PlayerDialog::addPlayer() {
  act({name_, newPassword_, repeatPassword_},
      [this] { model_.addPlayer(typed(name_), typed(newPassword_), typed(repeatPassword_)); });
  // After "Введите данные заново..." the fields are empty and the name comes first again.
  if (model_.view().height == SignInView::kNewPlayerHeight && name_->text().isEmpty())
    name_->setFocus();
}

void PlayerDialog::loadAccounts() {
  model_.create();
  render();
}

void PlayerDialog::act(const std::function<void()>& step) {
  step();
  render();
}

void PlayerDialog::act(std::initializer_list<const QLineEdit*> fields,
                       const std::function<void()>& step) {
  // The code page has no room for some characters; stored as "?", two different passwords
  // would match. Refuse them instead of keeping a text other than the one typed.
  for (const QLineEdit* field : fields) {
    const QString bad = outsideCodePage(field->text());
    if (!bad.isEmpty()) {
      showMessageBox(this, fromCp(errorMessage({})) +
                               QStringLiteral("Символ «%1» нельзя использовать в имени и пароле: "
                                              "игра хранит только русские и латинские буквы, "
                                              "цифры и обычные знаки.")
                                   .arg(bad));
      return;
    }
  }
  act(step);
}

std::string PlayerDialog::typed(const QLineEdit* field) {
  return toCp(onOneLine(field->text()));
}

void PlayerDialog::signInSelected() {
  act({password_}, [this] { model_.next(players_->currentIndex(), typed(password_)); });
  if (model_.view().closed) accept();
}

std::string PlayerDialog::signIn() {
  shownHeight_ = 0;
  render();
  centre(this);
  exec();
  return model_.player();
}

void PlayerDialog::closeEvent(QCloseEvent* event) {
  if (!model_.view().closed) event->ignore();
}

void PlayerDialog::done(int result) {
  if (!model_.view().closed) return;
  model_.close();
  QDialog::done(result);
}

void PlayerDialog::render() {
  const SignInView& v = model_.view();
  setFixedSize(kClientWidth, v.height - kFrame);
  if (v.listRevision != listRevision_) {
    players_->clear();
    for (const auto& n : v.names)
      players_->addItem(fromCp(n));
    players_->setCurrentIndex(v.selected);
    listRevision_ = v.listRevision;
  }
  players_->setEnabled(v.listEnabled);
  setFieldColour(players_, v.listEnabled);
  password_->setEnabled(v.passwordEnabled);
  setFieldColour(password_, v.passwordEnabled);
  next_->setEnabled(v.nextEnabled);
  newPlayer_->setEnabled(v.newEnabled);
  change_->setEnabled(v.changeEnabled);
  delete_->setEnabled(v.deleteEnabled);
  setText(password_, v.password, passwordRevision_);
  setText(name_, v.name, nameRevision_);
  setText(newPassword_, v.newPassword, newPasswordRevision_);
  setText(repeatPassword_, v.repeatPassword, repeatRevision_);
  // Fields below the window's edge must not take the focus or an access key: hidden, they
  // leave the Tab chain, and "&Добавить" no longer shares Alt+Д with "&Дальше >>".
  for (QWidget* w : newPlayerControls_)
    w->setVisible(v.height == SignInView::kNewPlayerHeight);
  if (v.height != shownHeight_) {
    // Each view opens with the focus where the player types next.
    if (v.height == SignInView::kNewPlayerHeight) {
      name_->setFocus();
    } else {
      (v.nextEnabled ? static_cast<QWidget*>(password_) : newPlayer_)->setFocus();
    }
    shownHeight_ = v.height;
  }
}

}  // namespace kelmora::app
