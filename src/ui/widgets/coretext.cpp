#include "ui/widgets/coretext.h"

#include "core/radiolink/causewords.h"

#include <QCoreApplication>

namespace tarsel::ui {

QString CoreText(const char* chinese) { return QCoreApplication::translate("core", chinese); }

QString CoreText(const std::string& chinese) { return CoreText(chinese.c_str()); }

QString CoreText(const CWords& words) {
    if (words.value) return QString::fromStdString(words.text);
    const QString text = CoreText(words.text);
    // One pass, so that a value holding "%2" is never filled in itself.
    QString filled;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == QLatin1Char('%') && n >= 1 && std::size_t(n) <= words.values.size()) {
            filled += CoreText(words.values[std::size_t(n - 1)]);
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

} // namespace tarsel::ui
