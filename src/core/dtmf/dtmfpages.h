// The DTMF editor's pages in tab order: how it sends (timing), how it answers (remote), and the
// auto-dial codes.
#pragma once

#include <array>

namespace tarsel {

inline constexpr std::array<const char*, 3> kDtmfPageTitles = {"编码", "解码", "自动拨号"};

} // namespace tarsel
