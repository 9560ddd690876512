#include "app/round_won_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/look.h"

namespace kelmora::app {

RoundWonDialog::RoundWonDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("TForm4"));
  setWindowTitle(QStringLiteral("Победа!!!"));
  setFixedSize(226, 127);
  setFont(makeFont(Face::SansSerif, 11));

  auto* box = new QGroupBox(this);
  name(box, "GroupBox1", QStringLiteral("Раунд пройден"));
  box->setGeometry(0, 0, 226, 89);
  const QFont f = makeFont(Face::SansSerif, 11);
  placeLabel(box, "Label1", QStringLiteral("Вы успешно закончили раунд. У вас есть"), 8, 16, f);
  placeLabel(box, "Label2", QStringLiteral("возможность забрать деньги."), 32, 32, f);
  placeLabel(box, "Label3", QStringLiteral("Времени потрачено:"), 16, 64, f);
  seconds_ = placeLabel(box, "Label4", QStringLiteral("0"), 128, 64, f);
  placeLabel(box, "Label5", QStringLiteral("секунд"), 152, 64, f);

  goOn_ = new QPushButton(QStringLiteral("Дальше"), this);
  name(goOn_, "Button1", goOn_->text());
  goOn_->setGeometry(8, 96, 75, 25);
  goOn_->setDefault(true);
  auto* take = new QPushButton(QStringLiteral("Забрать деньги"), this);
  name(take, "Button2", take->text());
  take->setGeometry(88, 96, 129, 25);

  connect(goOn_, &QPushButton::clicked, this, &QDialog::accept);
  connect(take, &QPushButton::clicked, this, [this] {
    takeMoney_ = true;
    accept();
  });
}

RoundWonChoice RoundWonDialog::ask(const QString& roundSeconds) {
  seconds_->setText(roundSeconds);
  seconds_->adjustSize();
  seconds_->setAccessibleName(QStringLiteral("Времени потрачено: ") + roundSeconds);
  takeMoney_ = false;
  centre(this);
  goOn_->setFocus();
  exec();
  return takeMoney_ ? RoundWonChoice::TakeMoney : RoundWonChoice::GoOn;
}

}  // namespace kelmora::app
