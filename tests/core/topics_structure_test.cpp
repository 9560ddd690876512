// The replacement topics file as authors really write it: text outside the blocks, blocks
// without an end, odd headers and line breaks of every kind. What matters to the player is the
// list of topics and how many questions each one brings into a game.
#include <gtest/gtest.h>

#include "core/bases/topics_base.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::cp;
using test::TempDir;

// "name:count" for each topic, in file order, as the combo box and the status bar show them.
std::string shape(const std::string& fileText) {
  TempDir dir;
  dir.write("zamen.db", cp(fileText));
  const TopicList list = loadTopicList(dir.path(), [](const std::string&) {});
  std::string out;
  ReplacementBase base;
  for (int t = 0; t < static_cast<int>(list.topics.size()); ++t) {
    loadTopicQuestions(list, t, base);
    out += (out.empty() ? "" : " ") + toUtf8(list.topics[static_cast<std::size_t>(t)].name) + ":" +
           std::to_string(base.questionCount);
  }
  return out;
}

TEST(TopicsStructure, WhatCountsAsATopicAndAsItsQuestions) {
  const struct {
    const char* what;
    const char* file;
    const char* shape;
  } cases[] = {
      {"text between blocks is no question",
       "[А]\nq1\\a/\n%\nпосле\\конца/\nещё\\строка/\n[Б]\nq2\\b/\nq3\\c/\n%\n", "А:1 Б:2"},
      {"text before the first header is no question", "вступление\\x/\n[А]\nq\\a/\n%\n", "А:1"},
      {"a header right before the terminator", "[Пустая]\n%\n[Б]\nq\\b/\n%\n", "Пустая:0 Б:1"},
      {"a block without its terminator ends at the next header", "[А]\nq1\\a/\n[Б]\nq2\\b/\n%\n",
       "А:1 Б:1"},
      {"the last block runs to the end of the file", "[А]\nq1\\a/\nq2\\b/", "А:2"},
      {"a lone bracket is a topic without a name", "[\nq\\a/\n%\n", ":1"},
      {"a terminator with a blank after it is a question", "[А]\n% ab\nq\\a/\n%\n", "А:2"},
      {"CR LF, a lone CR and a lone LF all end lines",
       "[А]\r\nq1\\a/\rq2\\b/\nq3\\c/\r\n%\r\n[Б]\r%", "А:3 Б:0"},
      {"a terminator twice ends nothing more", "[А]\nq\\a/\n%\n%\n[Б]\n%\n", "А:1 Б:0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(shape(c.file), c.shape) << c.what;
}

}  // namespace
}  // namespace kelmora
