#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <string>

#include "core/files/file_io.h"
#include "import/siq_reader.h"

// The archive side of a .siq pack: libzip reads it, and nothing in it is trusted.

namespace kelmora::import {

namespace {

constexpr const char* kContentName = "content.xml";

[[noreturn]] void refuse(const std::string& why) {
  throw ImportError(why);
}

// libzip reads the pack through the game's file layer: only a regular file, never a FIFO
// that would hang the import, and only the parts of it libzip asks for, so a pack full of
// pictures costs no more memory than its content.xml.
class FileSource {
 public:
  explicit FileSource(InputFile& file) : file_(file) { zip_error_init(&error_); }
  ~FileSource() { zip_error_fini(&error_); }

  static zip_int64_t callback(void* self, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    return static_cast<FileSource*>(self)->handle(data, len, cmd);
  }

 private:
  zip_int64_t handle(void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    switch (cmd) {
      case ZIP_SOURCE_OPEN:
        pos_ = 0;
        return 0;
      case ZIP_SOURCE_READ: {
        const std::uint64_t left = file_.size() > pos_ ? file_.size() - pos_ : 0;
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(len, left));
        if (want == 0) return 0;
        const auto n = file_.readAt(static_cast<char*>(data), want, pos_);
        if (n < 0) {
          zip_error_set(&error_, ZIP_ER_READ, errno);
          return -1;
        }
        pos_ += static_cast<std::uint64_t>(n);
        return n;
      }
      case ZIP_SOURCE_CLOSE:
      case ZIP_SOURCE_FREE:
        return 0;
      case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = file_.size();
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&error_, data, len);
      case ZIP_SOURCE_SEEK: {
        const zip_int64_t to =
            zip_source_seek_compute_offset(pos_, file_.size(), data, len, &error_);
        if (to < 0) return -1;
        pos_ = static_cast<std::uint64_t>(to);
        return 0;
      }
      case ZIP_SOURCE_TELL:
        return static_cast<zip_int64_t>(pos_);
      case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(
            ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR,
            ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_SUPPORTS, -1);
      default:
        zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
  }

  InputFile& file_;
  std::uint64_t pos_ = 0;
  zip_error_t error_;
};

struct ArchiveCloser {
  void operator()(zip_t* za) const { zip_discard(za); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

Archive openArchive(zip_source_t* source) {
  zip_error_t error;
  zip_error_init(&error);
  zip_t* za = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (za == nullptr) {
    zip_source_free(source);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (code == ZIP_ER_NOZIP)
      refuse("это не zip-архив или архив обрезан: пакет .siq — это zip-архив целиком");
    if (code == ZIP_ER_READ) refuse("архив не читается");
    refuse("архив повреждён или обрезан (не читается его оглавление)");
  }
  zip_error_fini(&error);
  return Archive(za);
}

// "Images/%D0%9A.png" as the pack's author named it.
std::string uriDecoded(std::string_view name) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '%' && i + 2 < name.size() && hex(name[i + 1]) >= 0 && hex(name[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hex(name[i + 1]) * 16 + hex(name[i + 2])));
      i += 2;
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

// A name that would land outside a folder the archive were unpacked into. Nothing is ever
// unpacked here, but such an archive was made to harm whoever does: it is refused whole.
bool leavesFolder(std::string_view name) {
  if (name.empty()) return false;
  if (name[0] == '/' || name[0] == '\\') return true;
  if (name.size() >= 2 && name[1] == ':') return true;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

std::string unpackCapped(zip_t* za, zip_uint64_t index, std::size_t cap) {
  std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen_index(za, index, 0));
  if (!file) {
    const int code = zip_error_code_zip(zip_get_error(za));
    if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD)
      refuse("архив защищён паролем: такой пакет прочитать нельзя");
    if (code == ZIP_ER_COMPNOTSUPP || code == ZIP_ER_ENCRNOTSUPP)
      refuse("content.xml сжат способом, который не поддерживается");
    refuse("content.xml в архиве не читается: архив повреждён");
  }
  std::string out;
  std::string chunk(std::size_t{1} << 16, '\0');
  for (;;) {
    const zip_int64_t n = zip_fread(file.get(), chunk.data(), chunk.size());
    if (n < 0) refuse("content.xml в архиве повреждён или обрезан");
    if (n == 0) break;
    // The archive's own word on the size is never taken: a zip bomb claims little.
    if (out.size() + static_cast<std::size_t>(n) > cap) {
      refuse("content.xml распаковывается больше чем в " + std::to_string(cap >> 20) +
             " МБ — это не пакет вопросов, а «zip-бомба» или повреждённый архив");
    }
    out.append(chunk.data(), static_cast<std::size_t>(n));
  }
  return out;
}

std::string contentOf(zip_t* za, std::size_t archiveBytes) {
  const zip_int64_t count = zip_get_num_entries(za, 0);
  std::optional<zip_uint64_t> content;
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    const char* raw = zip_get_name(za, index, ZIP_FL_ENC_RAW);
    if (raw == nullptr) refuse("архив повреждён: у файла в нём нет имени");
    const std::string name = uriDecoded(raw);
    if (leavesFolder(raw) || leavesFolder(name))
      refuse("в архиве есть файл с опасным именем «" + name +
             "» (абсолютный путь или «..»): такой архив не принимается");
    zip_stat_t st;
    if (zip_stat_index(za, index, 0, &st) == 0 && (st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 &&
        st.encryption_method != ZIP_EM_NONE) {
      refuse("архив защищён паролем: такой пакет прочитать нельзя");
    }
    if (!content && name == kContentName) content = index;
  }
  if (!content) refuse("в архиве нет content.xml: это не пакет вопросов .siq");
  const std::size_t cap =
      std::min(kMaxContentBytes, std::max(kMinContentCap, archiveBytes * kContentRatio));
  return unpackCapped(za, *content, cap);
}

Source readArchive(zip_source_t* source, std::size_t bytes) {
  const Archive archive = openArchive(source);
  return readSiqContent(contentOf(archive.get(), bytes));
}

}  // namespace

Source readSiqBytes(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_error_fini(&error);
  if (source == nullptr) refuse("не хватает памяти для архива");
  return readArchive(source, bytes.size());
}

Source readSiqFile(const std::filesystem::path& file) {
  InputFile in(file);
  if (!in.isOpen()) {
    if (in.error() == ENOENT) refuse("файл не найден");
    refuse("файл не открывается (это не обычный файл или нет прав на чтение)");
  }
  FileSource state(in);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(&FileSource::callback, &state, &error);
  zip_error_fini(&error);
  if (source == nullptr) refuse("не хватает памяти для архива");
  return readArchive(source, static_cast<std::size_t>(in.size()));
}

}  // namespace kelmora::import
