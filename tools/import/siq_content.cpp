#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlreader.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "import/siq_reader.h"

// content.xml of a .siq pack, read by libxml2 without network, DTD or entities.

namespace kelmora::import {

namespace {

constexpr const char* kContentName = "content.xml";

[[noreturn]] void refuse(const std::string& why) {
  throw ImportError(why);
}
struct ReaderFree {
  void operator()(xmlTextReader* reader) const { xmlFreeTextReader(reader); }
};

constexpr const char* kNotAPack = "в content.xml нет элемента package: это не пакет вопросов .siq";
const std::vector<std::string> kRoundPath = {"package", "rounds", "round"};
const std::vector<std::string> kThemePath = {"package", "rounds", "round", "themes", "theme"};
const std::vector<std::string> kQuestionPath = {"package", "rounds",    "round",   "themes",
                                                "theme",   "questions", "question"};

// A document type is where entities and external DTDs come from; a pack has no use for one.
// It can only stand in the prolog, before the first element.
bool declaresDocumentType(std::string_view xml) {
  std::size_t at = 0;
  if (xml.starts_with("\xEF\xBB\xBF")) at = 3;
  for (;;) {
    while (at < xml.size() &&
           (xml[at] == ' ' || xml[at] == '\t' || xml[at] == '\r' || xml[at] == '\n'))
      ++at;
    const std::string_view rest = xml.substr(std::min(at, xml.size()));
    if (rest.starts_with("<?")) {
      const auto end = rest.find("?>");
      if (end == std::string_view::npos) return false;
      at += end + 2;
    } else if (rest.starts_with("<!--")) {
      const auto end = rest.find("-->");
      if (end == std::string_view::npos) return false;
      at += end + 3;
    } else {
      return rest.starts_with("<!DOCTYPE");
    }
  }
}

std::string_view nameOf(const xmlNode* node) {
  return reinterpret_cast<const char*>(node->name);
}

bool isElement(const xmlNode* node, std::string_view name) {
  return node->type == XML_ELEMENT_NODE && nameOf(node) == name;
}

std::optional<std::string> attribute(xmlTextReaderPtr reader, const char* name) {
  xmlChar* value = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>(name));
  if (value == nullptr) return std::nullopt;
  std::string out(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return out;
}

std::optional<std::string> attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  if (value == nullptr) return std::nullopt;
  std::string out(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return out;
}

void appendText(const xmlNode* node, std::string& out) {
  for (const xmlNode* c = node->children; c != nullptr; c = c->next) {
    if ((c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content != nullptr)
      out += reinterpret_cast<const char*>(c->content);
    else if (c->type == XML_ELEMENT_NODE)
      appendText(c, out);
  }
}

std::string textOf(const xmlNode* node) {
  std::string out;
  appendText(node, out);
  return out;
}

template <typename F>
void forChildren(const xmlNode* node, std::string_view name, F&& f) {
  for (const xmlNode* c = node->children; c != nullptr; c = c->next) {
    if (isElement(c, name)) f(c);
  }
}

bool isTextType(const std::optional<std::string>& type) {
  return !type || *type == "text" || *type == "say" || type->empty();
}

struct Content {
  std::vector<std::string> texts;
  bool media = false;
};

// The older layout: scenario/atom; a marker ends what is shown before the answer.
void readScenario(const xmlNode* scenario, Content& content) {
  for (const xmlNode* atom = scenario->children; atom != nullptr; atom = atom->next) {
    if (!isElement(atom, "atom")) continue;
    const auto type = attribute(atom, "type");
    if (type && *type == "marker") return;
    if (isTextType(type))
      content.texts.push_back(textOf(atom));
    else
      content.media = true;
  }
}

// The newer layout: params/param[@name='question']/item.
void readParams(const xmlNode* params, Content& content) {
  forChildren(params, "param", [&](const xmlNode* param) {
    if (attribute(param, "name") != std::optional<std::string>("question")) return;
    bool items = false;
    forChildren(param, "item", [&](const xmlNode* item) {
      items = true;
      if (isTextType(attribute(item, "type")))
        content.texts.push_back(textOf(item));
      else
        content.media = true;
    });
    if (!items) content.texts.push_back(textOf(param));
  });
}

bool visible(const std::string& text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
}

void readQuestion(const xmlNode* question, const std::string& topic, const std::string& position,
                  Source& source) {
  Content content;
  std::vector<std::string> answers;
  for (const xmlNode* c = question->children; c != nullptr; c = c->next) {
    if (isElement(c, "scenario"))
      readScenario(c, content);
    else if (isElement(c, "params"))
      readParams(c, content);
    else if (isElement(c, "right"))
      forChildren(c, "answer", [&](const xmlNode* a) { answers.push_back(textOf(a)); });
  }
  std::string text;
  for (const auto& t : content.texts) {
    if (!visible(t)) continue;
    if (!text.empty()) text += ' ';
    text += t;
  }
  if (content.media && text.empty()) {
    source.skipped.push_back({position, "вопрос — только картинка, звук или видео"});
  } else if (content.media) {
    source.skipped.push_back(
        {position, "в вопросе картинка, звук или видео, без которых его не понять"});
  } else if (text.empty()) {
    source.skipped.push_back({position, "нет текста вопроса"});
  } else if (std::none_of(answers.begin(), answers.end(), visible)) {
    source.skipped.push_back({position, "нет ответа"});
  } else {
    source.questions.push_back({topic, position, std::move(text), std::move(answers)});
  }
}

}  // namespace

Source readSiqContent(std::string_view xml) {
  if (declaresDocumentType(xml))
    refuse(
        "content.xml объявляет тип документа (DOCTYPE): в пакете вопросов его не бывает, "
        "и такой файл не читается");
  if (xml.size() > kMaxContentBytes) refuse("content.xml слишком велик");
  xmlInitParser();
  // Read as a stream, one question's subtree at a time: a whole tree of content.xml takes
  // several times the text's size, which a small archive could make huge.
  // No network, no external DTD, no entity substitution, no lifting of libxml2's own limits.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
  std::unique_ptr<xmlTextReader, ReaderFree> reader(
      xmlReaderForMemory(xml.data(), static_cast<int>(xml.size()), kContentName, nullptr, options));
  if (!reader) refuse("не хватает памяти для разбора content.xml");
  xmlTextReaderPtr r = reader.get();

  Source source;
  std::vector<std::string> path;  // the open elements, from the root
  int roundNumber = 0;
  std::string roundName;
  std::string themeName;
  int questionNumber = 0;
  bool sawRoot = false;
  int status = 0;
  while ((status = xmlTextReaderRead(r)) == 1) {
    const int type = xmlTextReaderNodeType(r);
    if (type == XML_READER_TYPE_DOCUMENT_TYPE)
      refuse("content.xml объявляет тип документа (DOCTYPE): такой файл не читается");
    if (type != XML_READER_TYPE_ELEMENT) continue;
    const auto depth = static_cast<std::size_t>(xmlTextReaderDepth(r));
    path.resize(std::min(depth, path.size()));
    path.emplace_back(reinterpret_cast<const char*>(xmlTextReaderConstLocalName(r)));
    if (depth == 0) {
      if (path[0] != "package") refuse(kNotAPack);
      sawRoot = true;
    }
    if (path.size() != depth + 1) continue;  // inside an element this reading does not follow
    if (path == kRoundPath) {
      ++roundNumber;
      roundName = attribute(r, "name").value_or(std::to_string(roundNumber));
    } else if (path == kThemePath) {
      themeName = attribute(r, "name").value_or("");
      questionNumber = 0;
    } else if (path == kQuestionPath) {
      const xmlNode* question = xmlTextReaderExpand(r);
      if (question == nullptr) break;
      ++questionNumber;
      const std::string position = "раунд «" + roundName + "», тема «" + themeName +
                                   "», вопрос " + std::to_string(questionNumber);
      readQuestion(question, themeName, position, source);
    }
  }
  if (status != 0) {
    std::string why = "content.xml — не правильный XML";
    const xmlError* e = xmlGetLastError();
    if (e != nullptr && e->message != nullptr) {
      std::string message = e->message;
      while (!message.empty() && message.back() == '\n')
        message.pop_back();
      why += " (строка " + std::to_string(e->line) + ": " + message + ")";
    }
    refuse(why);
  }
  if (!sawRoot) refuse(kNotAPack);
  return source;
}

}  // namespace kelmora::import
