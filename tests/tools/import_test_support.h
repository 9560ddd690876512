#pragma once

// Packs and tables the import tests make themselves: no third-party pack is ever needed.

#include <zip.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kelmora::test {

struct ZipEntry {
  std::string name;
  std::string bytes;
  bool encrypted = false;
};

// A zip archive in memory, written by libzip as a pack's author's tools would.
inline std::string makeZip(const std::vector<ZipEntry>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* za = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (za == nullptr) throw std::runtime_error("zip_open_from_source");
  for (const auto& e : entries) {
    zip_source_t* s = zip_source_buffer(za, e.bytes.data(), e.bytes.size(), 0);
    const zip_int64_t index = zip_file_add(za, e.name.c_str(), s, ZIP_FL_ENC_UTF_8);
    if (index < 0) throw std::runtime_error("zip_file_add " + e.name);
    if (e.encrypted && zip_file_set_encryption(za, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256,
                                               "пароль") != 0)
      throw std::runtime_error("zip_file_set_encryption");
  }
  if (zip_close(za) != 0) throw std::runtime_error("zip_close");
  std::string out;
  zip_source_open(buffer);
  zip_source_seek(buffer, 0, SEEK_END);
  out.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
  zip_source_seek(buffer, 0, SEEK_SET);
  zip_source_read(buffer, out.data(), out.size());
  zip_source_close(buffer);
  zip_source_free(buffer);
  zip_error_fini(&error);
  return out;
}

// content.xml of a pack with one round: each theme a name and its questions' XML.
inline std::string package(const std::vector<std::pair<std::string, std::string>>& themes) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<package name=\"Тест\" version=\"4\" "
      "xmlns=\"http://vladimirkhil.com/ygpackage3.0.xsd\"><rounds><round name=\"1\"><themes>";
  for (const auto& [name, questions] : themes)
    xml += "<theme name=\"" + name + "\"><questions>" + questions + "</questions></theme>";
  return xml + "</themes></round></rounds></package>";
}

// A question of the older layout (scenario/atom) and of the newer (params/param/item).
inline std::string oldQuestion(const std::string& text, const std::string& answer) {
  return "<question price=\"100\"><scenario><atom>" + text + "</atom></scenario><right><answer>" +
         answer + "</answer></right></question>";
}
inline std::string newQuestion(const std::string& text, const std::string& answer) {
  return "<question price=\"100\"><params><param name=\"question\" type=\"content\"><item>" + text +
         "</item></param></params><right><answer>" + answer + "</answer></right></question>";
}

inline std::string siq(const std::string& contentXml) {
  return makeZip({{"content.xml", contentXml}});
}

}  // namespace kelmora::test
