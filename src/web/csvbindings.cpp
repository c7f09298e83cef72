// Channel lists in and out of a page's document: the core's reader, rules and writer, worded by
// the core.
#include "web/webdocument.h"

#include "core/interchange/channelcsv.h"

namespace tarsel::web {

using emscripten::val;

namespace {

CCsvImportOptions OptionsOf(const val& options) {
    CCsvImportOptions read;
    read.clear = options["clear"].as<bool>();
    read.skipBad = options["skipBad"].as<bool>();
    read.first = options["first"].as<int>();
    return read;
}

// The list's bytes as the file holds them, whatever its encoding: the core judges them.
std::string TextOf(const val& bytes) {
    const std::vector<uint8_t> data = BytesOf(bytes);
    return std::string(data.begin(), data.end());
}

} // namespace

val CWebDocument::ReviewCsv(const val& bytes, const val& options) {
    const std::string text = TextOf(bytes);
    // The rows are judged against the band limits the grid holds now.
    const CCsvImport found = ReadChannelCsv(text, doc_.Limits(), OptionsOf(options));
    val review = val::object();
    review.set("unreadable", found.unreadable);
    review.set("accepted", static_cast<int>(found.channels.size()));
    review.set("errors", found.RowErrors());
    review.set("warnings", static_cast<int>(found.messages.size()) - found.RowErrors());
    review.set("applicable", found.Applicable(OptionsOf(options)));
    val messages = val::array();
    for (const CCsvMessage& message : found.messages) {
        val each = val::object();
        each.set("line", message.line);
        each.set("error", message.error);
        each.set("text", message.Text());
        messages.call<void>("push", each);
    }
    review.set("messages", messages);
    return review;
}

bool CWebDocument::ImportCsv(const val& bytes, const val& options, const std::string& stepName) {
    const std::string text = TextOf(bytes);
    // As every tool that changes the image: the grid first, then the refill.
    doc_.Parse();
    const CDocumentContent before = doc_.Content();
    const CCsvImportOptions read = OptionsOf(options);
    const CCsvImport found = ReadChannelCsv(text, doc_.Limits(), read);
    if (!ApplyChannelCsv(found, read, doc_.Image(), doc_.Limits())) return false;
    doc_.Fill();
    history_.Record(before, doc_, stepName);
    return true;
}

std::string CWebDocument::ExportCsv() {
    doc_.Parse();
    return WriteChannelCsv(doc_.Image(), doc_.Limits());
}

} // namespace tarsel::web
