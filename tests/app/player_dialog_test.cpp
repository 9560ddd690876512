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

// Where the keyboard can go, and what keys do, in each view.
TEST(PlayerDialogKeys, TheSelectionViewReachesOnlyWhatIsOnScreen) {
  AppFixture f(test::Players{{"Анна", "a"}});
  QStringList reached;
  bool allVisible = true;
  bool signedInByKey = false;
  f.start({[&](QWidget* w) {
    const Dialog d{w};
    QTest::keyClick(d.edit("Edit2"), Qt::Key_A);
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
      for (int i = 0; i < 8; ++i) {
        QTest::keyClick(w->focusWidget(), key);
        QWidget* at = w->focusWidget();
        allVisible = allVisible && at->isVisible();
        if (!reached.contains(at->objectName())) reached << at->objectName();
      }
    }
    // Shift+Tab from the password box, then Space: once this added a hidden duplicate player.
    // Now it is "&Удалить", refused without the password.
    d.type("Edit2", QString());
    d.edit("Edit2")->setFocus();
    QTest::keyClick(w->focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(w->focusWidget(), d.button("Button3"));
    QTest::keyClick(w->focusWidget(), Qt::Key_Space);
    EXPECT_EQ(f.modals.seen.back(), QStringLiteral("message: Ошибка! В доступе отказано!"));
    EXPECT_EQ(d.names(), QStringList{QStringLiteral("Анна")});
    EXPECT_EQ(w->height(), 145);
    // Alt+Д is "&Дальше >>" here, not the hidden "&Добавить".
    w->activateWindow();  // access keys reach only the active window
    EXPECT_TRUE(QTest::qWaitForWindowActive(w, 1000));
    d.type("Edit2", QStringLiteral("a"));
    d.edit("Edit2")->setFocus();
    QTest::sendKeyEvent(QTest::Click, w->focusWidget(), Qt::Key(0x0414), QStringLiteral("д"),
                        Qt::AltModifier);
    // An access key presses its button the way a click does, a moment later.
    signedInByKey = QTest::qWaitFor([w] { return !w->isVisible(); }, 1000);
    if (!signedInByKey) {
      d.type("Edit2", QStringLiteral("a"));
      d.click("Button1");
    }
  }});
  EXPECT_TRUE(signedInByKey) << "Alt+Д must sign in";
  EXPECT_TRUE(allVisible) << reached.join(u',').toStdString();
  for (const char* hidden : {"Edit1", "Edit3", "Edit4", "Button4"})
    EXPECT_FALSE(reached.contains(QLatin1String(hidden))) << hidden;
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Анна]"));
  EXPECT_EQ(f.dir.read("account.ini"), test::accountRecord(test::cp("Анна"), "a"));
}

TEST(PlayerDialogKeys, TheNewPlayerViewTypesAddsAndStartsAgainFromTheName) {
  AppFixture f(test::Players{{"Анна", "a"}});
  f.start({[&](QWidget* w) {
    const Dialog d{w};
    d.click("Button2");
    EXPECT_EQ(w->focusWidget(), d.edit("Edit1"));
    // Typed by a player who only has the keyboard: Tab walks the fields top to bottom.
    QTest::keyClicks(w->focusWidget(), QStringLiteral("Vera"));
    QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), d.edit("Edit3"));
    QTest::keyClicks(w->focusWidget(), QStringLiteral("abc"));
    EXPECT_EQ(d.edit("Edit3")->displayText(), QStringLiteral("***"));
    QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(w->focusWidget(), QStringLiteral("abd"));
    QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), d.button("Button4"));
    QTest::keyClick(d.edit("Edit4"), Qt::Key_Return);  // Enter adds, as "&Добавить"
    EXPECT_EQ(f.modals.seen.back(), QStringLiteral("message: Ошибка! Введите данные заново..."));
    EXPECT_EQ(w->focusWidget(), d.edit("Edit1")) << "the retyped name would land in a password";

    QTest::keyClicks(w->focusWidget(), QStringLiteral("Vera"));
    d.type("Edit3", QStringLiteral("v"));
    d.type("Edit4", QStringLiteral("v"));
    QTest::keyClick(d.edit("Edit1"), Qt::Key_Enter);
    EXPECT_EQ(d.names(), (QStringList{QStringLiteral("Анна"), QStringLiteral("Vera")}));
    EXPECT_EQ(w->height(), 145);
    d.type("Edit2", QStringLiteral("a"));
    d.click("Button1");
  }});
}

TEST(PlayerDialogKeys, CharactersTheFilesCannotHoldAreRefused) {
  AppFixture f(test::Players{{"Анна", "п?а"}});
  const QString refusal = QStringLiteral(
      "message: Ошибка! Символ «😀» нельзя использовать в имени и пароле: игра "
      "хранит только русские и латинские буквы, цифры и обычные знаки.");
  f.start({[&](QWidget* w) {
    const Dialog d{w};
    d.type("Edit2", QStringLiteral("п😀а"));  // stored as "?", it would match "п?а"
    d.click("Button1");
    EXPECT_EQ(f.modals.seen.back(), refusal);
    EXPECT_TRUE(w->isVisible());

    d.click("Button2");
    d.type("Edit1", QStringLiteral("Вася😀"));
    d.type("Edit3", QStringLiteral("1"));
    d.type("Edit4", QStringLiteral("1"));
    d.click("Button4");
    EXPECT_EQ(f.modals.seen.back(), refusal);
    EXPECT_EQ(w->height(), 289);
    d.type("Edit1", QStringLiteral("Вася №1 «ё»"));  // all of these the code page holds
    d.click("Button4");
    EXPECT_EQ(d.names(), (QStringList{QStringLiteral("Анна"), QStringLiteral("Вася №1 «ё»")}));
    d.type("Edit2", QStringLiteral("п?а"));
    d.click("Button1");
  }});
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Анна]"));
}

}  // namespace
}  // namespace kelmora
