#pragma once

// Questions from a .siq pack: a zip archive whose content.xml holds package → rounds/round →
// themes/theme → questions/question. Each theme becomes a topic. The archive is read with
// libzip and the XML with libxml2; neither is trusted with more than this file allows:
// content.xml is unpacked up to a hard cap whatever the archive claims, no name in the
// archive may leave it, and the XML may declare no document type (no entities, no DTD
// fetched from anywhere).

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "import/source.h"

namespace kelmora::import {

// content.xml may unpack to at most this many times the archive's real size, and never past
// kMaxContentBytes: beyond that it is a zip bomb, not a question pack.
inline constexpr std::size_t kContentRatio = 100;
inline constexpr std::size_t kMinContentCap = std::size_t{1} << 20;
// A pack of 10 000 questions has some 5 MB of it; the tree libxml2 builds takes several times
// the text.
inline constexpr std::size_t kMaxContentBytes = std::size_t{32} << 20;

// Each throws ImportError with the reason when the pack cannot be taken at all.
Source readSiqFile(const std::filesystem::path& file);
Source readSiqBytes(std::string_view archive);
// content.xml alone.
Source readSiqContent(std::string_view xml);

}  // namespace kelmora::import
