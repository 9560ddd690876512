#include "app/speech/notice.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kelmora::app {

namespace {

class NoticeInterface : public QAccessibleWidget {
 public:
  explicit NoticeInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* noticeFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(Notice::staticMetaObject.className()) && object &&
      object->isWidgetType())
    return new NoticeInterface(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

Notice::Notice(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("Notice"));
  setTextFormat(Qt::PlainText);
  hide();
}

void Notice::say(const QString& words) {
  setText(words);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

void installNoticeRole() {
  static const bool installed = [] {
    QAccessible::installFactory(noticeFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace kelmora::app
