// The player selection dialog, driven as a player drives it, while it holds up the start.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app_fixture.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

// The dialog's controls, found by their designer names.
struct Dialog {
  QWidget* w;
  QLineEdit* edit(const char* name) const {
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  QPushButton* button(const char* name) const {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QComboBox* list() const { return w->findChild<QComboBox*>(QStringLiteral("ComboBox1")); }
  void type(const char* name, const QString& text) const { edit(name)->setText(text); }
  void click(const char* name) const { button(name)->click(); }
  QStringList names() const {
    QStringList out;
    for (int i = 0; i < list()->count(); ++i)
      out << list()->itemText(i);
    return out;
  }
  // Which of Дальше, Новый, Изменить, Удалить can be used.
  QString usable() const {
    QString out;
    for (const char* b : {"Button1", "Button2", "Button5", "Button3"})
      out += button(b)->isEnabled() ? u'1' : u'0';
    return out;
  }
};

TEST(PlayerDialog, AnEmptyTableOffersOnlyNewAndTheFirstPlayerSignsIn) {
  AppFixture f(test::Players{});
  f.start({&ModalScript::close, [&](QWidget* w) {
             const Dialog d{w};
             EXPECT_EQ(d.usable(), QStringLiteral("0100"));
             EXPECT_FALSE(d.list()->isEnabled());
             EXPECT_FALSE(d.edit("Edit2")->isEnabled());
             EXPECT_EQ(w->height(), 145);

             d.click("Button2");
             EXPECT_EQ(w->height(), 289);
             EXPECT_EQ(d.usable(), QStringLiteral("0000"));
             d.type("Edit1", QStringLiteral("Аня"));
             d.type("Edit3", QStringLiteral("1"));
             d.type("Edit4", QStringLiteral("2"));
             d.click("Button4");
             EXPECT_EQ(f.modals.seen.back(),
                       QStringLiteral("message: Ошибка! Введите данные заново..."));
             EXPECT_EQ(d.edit("Edit1")->text() + d.edit("Edit3")->text() + d.edit("Edit4")->text(),
                       QString());
             EXPECT_EQ(w->height(), 289);

             d.click("Button4");  // an empty name is refused
             EXPECT_EQ(f.modals.seen.back(),
                       QStringLiteral("message: Ошибка! Введите имя игрока."));
             d.type("Edit1", QStringLiteral("Аня"));
             d.type("Edit3", QStringLiteral("1"));
             d.type("Edit4", QStringLiteral("1"));
             d.click("Button4");
             EXPECT_EQ(w->height(), 145);
             EXPECT_EQ(d.names(), QStringList{QStringLiteral("Аня")});
             EXPECT_EQ(d.usable(), QStringLiteral("1111"));
             d.type("Edit2", QStringLiteral("1"));
             d.click("Button1");
           }});
  EXPECT_EQ(f.modals.seen.front(), QStringLiteral("error: File not found."));
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Аня]"));
  EXPECT_EQ(f.dir.read("account.ini"), test::accountRecord(test::cp("Аня"), "1"));
  struct stat st {};
  ASSERT_EQ(::stat((f.dir / "account.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(PlayerDialog, WrongPasswordsChangeNothing) {
  AppFixture f(test::Players{{"Анна", "a"}, {"Борис", "b"}});
  f.start({[&](QWidget* w) {
    const Dialog d{w};
    EXPECT_EQ(d.usable(), QStringLiteral("1101"));  // "Изменить" waits for an addition
    d.list()->setCurrentIndex(1);
    d.type("Edit2", QStringLiteral("B"));
    d.click("Button1");
    EXPECT_EQ(f.modals.seen.back(), QStringLiteral("message: Ошибка! Неверный пароль"));
    EXPECT_EQ(d.edit("Edit2")->text(), QStringLiteral("B"));
    EXPECT_TRUE(w->isVisible());

    d.click("Button3");
    EXPECT_EQ(f.modals.seen.back(), QStringLiteral("message: Ошибка! В доступе отказано!"));
    EXPECT_EQ(d.names(), (QStringList{QStringLiteral("Анна"), QStringLiteral("Борис")}));
    EXPECT_EQ(d.list()->currentIndex(), 0);
    EXPECT_EQ(d.edit("Edit2")->text(), QString());
    d.type("Edit2", QStringLiteral("a"));
    d.click("Button1");
  }});
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Анна]"));
}

TEST(PlayerDialog, ChangeAddsANewEntryAndDeletingTheLastPlayerLeavesOnlyNew) {
  AppFixture f(test::Players{{"Анна", "a"}});
  f.start({[&](QWidget* w) {
    const Dialog d{w};
    d.click("Button2");
    d.type("Edit1", QStringLiteral("Вера"));
    d.type("Edit3", QStringLiteral("v"));
    d.type("Edit4", QStringLiteral("v"));
    d.click("Button4");
    EXPECT_EQ(d.list()->currentIndex(), 0);  // the first player, not the new one

    d.type("Edit2", QStringLiteral("zz"));
    d.click("Button5");
    EXPECT_EQ(f.modals.seen.back(), QStringLiteral("message: Ошибка! Неверный пароль!"));
    d.type("Edit2", QStringLiteral("a"));
    d.click("Button5");
    EXPECT_EQ(w->height(), 289);
    EXPECT_EQ(d.edit("Edit1")->text(), QStringLiteral("Анна"));
    EXPECT_EQ(d.edit("Edit3")->text(), QStringLiteral("a"));
    EXPECT_EQ(d.edit("Edit4")->text(), QStringLiteral("a"));
    d.type("Edit1", QStringLiteral("Анна-2"));
    d.click("Button4");
    EXPECT_EQ(d.names(), (QStringList{QStringLiteral("Анна"), QStringLiteral("Вера"),
                                      QStringLiteral("Анна-2")}));

    for (const char* password : {"a", "v", "a"}) {
      d.type("Edit2", QString::fromLatin1(password));
      d.click("Button3");
    }
    EXPECT_EQ(d.names(), QStringList());
    EXPECT_EQ(d.usable(), QStringLiteral("0100"));

    d.click("Button2");
    d.type("Edit1", QStringLiteral("Гена"));
    d.type("Edit3", QStringLiteral("g"));
    d.type("Edit4", QStringLiteral("g"));
    d.click("Button4");
    d.type("Edit2", QStringLiteral("g"));
    d.click("Button1");
  }});
  // The reused slot keeps the bytes past the new name, as records always have.
  const std::string file = f.dir.read("account.ini");
  ASSERT_EQ(file.size(), 64u);
  EXPECT_EQ(file.substr(0, 5), test::accountRecord(test::cp("Гена"), "g").substr(0, 5));
  EXPECT_EQ(file.substr(21, 2), "\x01g");
}

}  // namespace
}  // namespace kelmora
