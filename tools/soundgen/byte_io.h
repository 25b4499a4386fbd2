#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace tessaly {

// Little helpers for the two binary formats we write: RIFF is little-endian, SMF big-endian.
void AppendLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes);
void AppendBe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes);
void AppendTag(std::vector<std::uint8_t>& out, std::string_view tag);

// Writes the whole buffer or throws std::runtime_error naming the path.
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace tessaly
