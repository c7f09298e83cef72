#include "core/service/password.h"

namespace tarsel {

namespace {

constexpr std::string_view kServicePassword = "mr274q";

} // namespace

bool IsServicePassword(std::string_view text) { return text == kServicePassword; }

} // namespace tarsel
