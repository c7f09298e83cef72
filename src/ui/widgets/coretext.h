// The core keeps its texts in Chinese and knows nothing of Qt; the desktop translates them where
// it shows them (context "core"; i18n/lupdate.sh collects them). Texts the core has in English
// already, and values such as frequencies, come back unchanged.
#pragma once

#include <QString>

#include <string>

namespace tarsel {
struct CWords;
}

namespace tarsel::ui {

QString CoreText(const char* chinese);
QString CoreText(const std::string& chinese);
// Each text translated, then its values put in.
QString CoreText(const CWords& words);

} // namespace tarsel::ui
