#include "core/files/text_file.h"

#include "core/files/file_error.h"

namespace kelmora {

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

LineReader::LineReader(const std::filesystem::path& file, std::size_t maxLine)
    : file_(file), name_(file.filename().string()), maxLine_(maxLine), buffer_(kChunk) {
  if (!file_.isOpen()) throw FileError::cannotOpen(name_);
}

bool LineReader::fill() {
  pos_ = 0;
  end_ = 0;
  const auto n = file_.read(buffer_.data(), buffer_.size());
  // An I/O error reads like an unopenable file to the player.
  if (n < 0) throw FileError::cannotOpen(name_);
  end_ = static_cast<std::size_t>(n);
  return end_ > 0;
}

bool LineReader::next(std::string& line) {
  line.clear();
  truncated_ = false;
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !fill()) {
      if (any) endedWithBreak_ = false;
      return any;
    }
    if (skipLf_) {
      skipLf_ = false;
      if (buffer_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    any = true;
    std::size_t i = pos_;
    while (i < end_ && buffer_[i] != '\r' && buffer_[i] != '\n')
      ++i;
    const std::size_t room = maxLine_ - std::min(maxLine_, line.size());
    const std::size_t take = std::min(i - pos_, room);
    line.append(buffer_.data() + pos_, take);
    if (take < i - pos_) truncated_ = true;
    if (i < end_) {
      skipLf_ = buffer_[i] == '\r';
      pos_ = i + 1;
      endedWithBreak_ = true;
      return true;
    }
    pos_ = end_;
  }
}

bool copyWithCrLf(InputFile& in, const std::function<void(std::string_view)>& out) {
  std::vector<char> chunk(kChunk);
  std::string converted;
  converted.reserve(2 * kChunk);  // every byte a lone break at worst
  bool afterCr = false;           // the last chunk ended in a CR whose LF may open this one
  bool endedWithBreak = true;     // an empty file needs no break either
  for (;;) {
    const auto n = in.read(chunk.data(), chunk.size());
    if (n < 0) return false;
    if (n == 0) break;
    const std::string_view data(chunk.data(), static_cast<std::size_t>(n));
    std::size_t i = afterCr && data[0] == '\n' ? 1 : 0;
    afterCr = false;
    converted.clear();
    while (i < data.size()) {
      const auto brk = data.find_first_of("\r\n", i);
      if (brk == std::string_view::npos) {
        converted.append(data.substr(i));
        endedWithBreak = false;
        break;
      }
      converted.append(data.substr(i, brk - i));
      converted += "\r\n";
      endedWithBreak = true;
      i = brk + 1;
      if (data[brk] == '\r') {
        if (i == data.size())
          afterCr = true;
        else if (data[i] == '\n')
          ++i;
      }
    }
    out(converted);
  }
  if (!endedWithBreak) out("\r\n");
  return true;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t i = start;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n')
      ++i;
    lines.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return lines;
}

std::vector<std::string> readLines(const std::filesystem::path& file) {
  LineReader reader(file);
  std::vector<std::string> lines;
  std::string line;
  while (reader.next(line))
    lines.push_back(line);
  return lines;
}

TextStart readStartOf(const std::filesystem::path& file, std::size_t maxBytes) {
  InputFile in(file);
  if (!in.isOpen()) throw FileError::cannotOpen(file.filename().string());
  std::string bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(in.size(), maxBytes)), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const auto n = in.read(bytes.data() + got, bytes.size() - got);
    if (n < 0) throw FileError::cannotOpen(file.filename().string());
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return {splitLines(bytes), in.size() > maxBytes};
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace kelmora
