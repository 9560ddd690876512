#include "app/text.h"

#include <QLineEdit>
#include <QValidator>

#include "core/text/cp1251.h"

namespace kelmora::app {

QString fromCp(std::string_view cp1251) {
  const std::string utf8 = toUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toCp(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return toCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString outsideCodePage(const QString& text) {
  QString bad;
  for (const char32_t c : text.toUcs4()) {
    const QString ch = QString::fromUcs4(&c, 1);
    if (unicodeToCp1251(c) < 0 && !bad.contains(ch)) bad += ch;
  }
  return bad;
}

QString onOneLine(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;  // CR LF: one break
    if (c == u'\r' || c == u'\n' || c == u'\t' || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator) {
      out += u' ';
    } else if (c.category() != QChar::Other_Control) {
      out += c;
    }
  }
  return out;
}

namespace {

class OneLineValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const QString cleaned = onOneLine(input);
    if (cleaned != input) {
      pos = static_cast<int>(std::min<qsizetype>(pos, cleaned.size()));
      input = cleaned;
    }
    return Acceptable;
  }
};

}  // namespace

void keepOnOneLine(QLineEdit* edit) {
  edit->setValidator(new OneLineValidator(edit));
}

}  // namespace kelmora::app
