// Names of the difficulty grades and of the shift modes, as the information line shows them.
#include <array>
#include <string_view>

#include "engine/engine.h"

namespace tessaly {

namespace {
constexpr std::array<std::string_view, 4> GradeNames = {"初级", "中级", "高级", "特级"};

// Mode 0 is named "不变化" here although its menu item reads "固定".
constexpr std::array<std::string_view, 11> ShiftModeNames = {
    "不变化",   "向下",     "向左",     "上下分离", "左右分离", "上下集中",
    "左右集中", "上左下右", "左下右上", "向外扩散", "向内集中",
};
}  // namespace

void DifficultyName(int32_t grade, std::string& text) {
    if (grade < 0 || grade >= static_cast<int32_t>(GradeNames.size())) return;
    text = GradeNames[static_cast<size_t>(grade)];
}

void ShiftModeName(uint8_t mode, std::string& text) {
    if (mode >= ShiftModeNames.size()) return;
    text = ShiftModeNames[mode];
}

}  // namespace tessaly
