#include "launcher/launch_options.h"

#include <gtest/gtest.h>

namespace kelmora::launcher {
namespace {

namespace fs = std::filesystem;

TEST(LaunchOptions, CommandLines) {
  struct Case {
    std::vector<std::string> args;
    Request::Kind kind;
    std::optional<fs::path> folder, defaults, program;
  };
  const Case cases[] = {
      {{}, Request::Kind::Play, {}, {}, {}},
      {{"--folder", "play/"}, Request::Kind::Play, "play/", {}, {}},
      {{"--folder=/srv/игра"}, Request::Kind::Play, "/srv/игра", {}, {}},
      {{"--folder", "--help"}, Request::Kind::Play, "--help", {}, {}},
      {{"--help"}, Request::Kind::Help, {}, {}, {}},
      {{"-h", "--folder", "x"}, Request::Kind::Help, "x", {}, {}},
      {{"--version", "--help"}, Request::Kind::Help, {}, {}, {}},
      {{"--help", "--version"}, Request::Kind::Help, {}, {}, {}},
      {{"--version"}, Request::Kind::Version, {}, {}, {}},
      {{"--defaults", "build/data", "--program=build/kelmora", "--folder", "play"},
       Request::Kind::Play,
       "play",
       "build/data",
       "build/kelmora"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    Request request = parseArguments(c.args);
    EXPECT_EQ(request.kind, c.kind);
    EXPECT_EQ(request.folder, c.folder);
    EXPECT_EQ(request.defaults, c.defaults);
    EXPECT_EQ(request.program, c.program);
  }
}

TEST(LaunchOptions, WhatTheGameDoesNotTakeIsRefused) {
  const std::vector<std::string> cases[] = {
      {"--folder"},   {"--folder="},        {"--program"},
      {"kelmora.db"}, {"-platform", "xcb"}, {"--fold", "x"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_THROW(parseArguments(args), UsageError);
  }
}

TEST(LaunchOptions, ThePlayersFolder) {
  struct Case {
    const char* what;
    std::optional<fs::path> option;
    FolderEnvironment env;
    fs::path expected;
  };
  const FolderEnvironment everything{"/kd", "/xdg", "/home/a"};
  const Case cases[] = {
      {"--folder comes first", "mine/", everything, "/cwd/mine/"},
      {"then KELMORA_DIR", {}, everything, "/kd"},
      {"a relative KELMORA_DIR is from the current directory", {}, {"g", "/xdg", "/h"}, "/cwd/g"},
      {"then XDG_DATA_HOME", {}, {"", "/xdg/", "/home/a"}, "/xdg/kelmora"},
      {"an empty XDG_DATA_HOME is unset", {}, {"", "", "/home/a"}, "/home/a/.local/share/kelmora"},
      {"a relative XDG_DATA_HOME is ignored",
       {},
       {"", "data", "/home/a"},
       "/home/a/.local/share/kelmora"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(playerFolder(c.option, c.env, "/cwd"), c.expected);
  }
  EXPECT_THROW(playerFolder({}, {"", "", ""}, "/cwd"), LaunchError);
  EXPECT_THROW(playerFolder({}, {"", "relative", "also/relative"}, "/cwd"), LaunchError);
}

}  // namespace
}  // namespace kelmora::launcher
