// 读频 and 写频 from a page: the core's transfers over the page's link, and a complete read
// committed into the document as one undo step. The words of the outcome are the page's.
#include "core/radiolink/canceltoken.h"
#include "core/radiolink/causewords.h"
#include "core/radiolink/transfer.h"
#include "web/webdocument.h"
#include "web/webserialport.h"

#include <emscripten.h>
#include <emscripten/bind.h>

#include <memory>
#include <optional>

// clang-format off
EM_JS(void, tarsel_link_progress, (int position, int total), {
    Module.radioLink.progress(position, total);
});
// clang-format on

namespace tarsel::web {

namespace {

// { text, values, value }: the page translates and fills it as the desktop does.
emscripten::val WordsOf(const CWords& words) {
    emscripten::val object = emscripten::val::object();
    object.set("text", words.text);
    object.set("value", words.value);
    emscripten::val values = emscripten::val::array();
    for (const CWords& each : words.values) values.call<void>("push", WordsOf(each));
    object.set("values", values);
    return object;
}

class CWebTransfer {
public:
    // read: 读频; otherwise 写频, verified when asked (the desktop's default).
    CWebTransfer(bool read, bool verify) : read_(read), verify_(verify) {}

    // Runs the whole exchange (the caller awaits it). A write sends the document as saving would
    // write it; a complete read replaces the image and refills the grid as one step named
    // stepName; anything else leaves the document as it was.
    int Run(CWebDocument& page, const std::string& portName, const std::string& stepName) {
        CDocument& doc = page.Document();
        doc.Parse();
        const CDocumentContent before = doc.Content();
        CTransferWorker worker(read_ ? ETransfer::Read : ETransfer::Write, doc.Image(),
                               {.verify = verify_, .cancel = &cancel_});
        CWebSerialPort port(cancel_);
        result_ = worker.Run(
            port, portName, [](int position, int total) { tarsel_link_progress(position, total); });
        // A complete read, or whatever image went out to the radio (also half way), is backed up.
        if (read_ ? result_.Done() : ReachedTheBlocks(result_)) backup_ = worker.Image();
        if (read_ && result_.Done()) {
            doc.Image() = worker.Image();
            doc.Fill();
            page.RecordStep(before, stepName);
        }
        return static_cast<int>(result_.outcome);
    }

    // The cause in the core's words, for a message's second line.
    emscripten::val Cause() const { return WordsOf(CauseWords(result_)); }
    // The image to back up after Run (empty when there is none).
    emscripten::val Backup() const {
        return backup_ ? Uint8ArrayOf(backup_->Bytes()) : emscripten::val::null();
    }
    int Steps() const { return TransferSteps(read_ ? ETransfer::Read : ETransfer::Write, verify_); }

private:
    bool read_, verify_;
    CCancelToken cancel_;
    CExchangeResult result_;
    std::optional<CMemoryImage> backup_;
};

} // namespace

} // namespace tarsel::web

EMSCRIPTEN_BINDINGS(radio) {
    using tarsel::web::CWebTransfer;
    emscripten::class_<CWebTransfer>("Transfer")
        .constructor<bool, bool>()
        .function("run", &CWebTransfer::Run)
        .function("cause", &CWebTransfer::Cause)
        .function("backup", &CWebTransfer::Backup)
        .function("steps", &CWebTransfer::Steps);
}
