#include "ui/dtmf/dtmfeditor.h"

#include "core/dtmf/dtmfpages.h"
#include "ui/dtmf/codelistpage.h"
#include "ui/dtmf/remotepage.h"
#include "ui/dtmf/timingpage.h"
#include "ui/widgets/coretext.h"
#include "ui/widgets/keyfilter.h"

#include <QKeyEvent>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

namespace tarsel::ui {

CDtmfEditorDialog::CDtmfEditorDialog(CDocument& doc, CProgramState& state, QWidget* parent)
    : QDialog(parent), tabs_(new QTabBar(this)) {
    setObjectName(QStringLiteral("211"));
    setWindowTitle(tr("DTMF"));
    tabs_->setObjectName(QStringLiteral("1122"));
    for (const char* title : kDtmfPageTitles) tabs_->addTab(CoreText(title));
    tabs_->setExpanding(false);
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("1301"));
    stack_ = new QStackedLayout(frame);
    // Each page loads its fields as it is created; only the first is shown.
    pages_ = {new CDtmfTimingPage(doc.Image(), frame), new CDtmfRemotePage(doc.Image(), frame),
              new CDtmfCodeListPage(doc.Image(), state.dtmfCallId, frame)};
    for (CDtmfPage* page : pages_) stack_->addWidget(page);
    stack_->setCurrentIndex(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(frame, 1);
    connect(tabs_, &QTabBar::currentChanged, this, &CDtmfEditorDialog::ChangePage);
}

CDtmfEditorDialog::~CDtmfEditorDialog() { StoreAllPages(); }

CDtmfTimingPage* CDtmfEditorDialog::TimingPage() const {
    return static_cast<CDtmfTimingPage*>(pages_[0]);
}
CDtmfRemotePage* CDtmfEditorDialog::RemotePage() const {
    return static_cast<CDtmfRemotePage*>(pages_[1]);
}
CDtmfCodeListPage* CDtmfEditorDialog::CodeListPage() const {
    return static_cast<CDtmfCodeListPage*>(pages_[2]);
}

void CDtmfEditorDialog::ChangePage(int index) {
    if (index < 0 || index == current_) return;
    pages_[static_cast<std::size_t>(current_)]->StoreFields();
    current_ = index;
    stack_->setCurrentIndex(index);
    pages_[static_cast<std::size_t>(index)]->LoadFields();
}

void CDtmfEditorDialog::StoreAllPages() {
    if (stored_) return;
    stored_ = true;
    // Every page, shown or not, in the order timing, remote, code list.
    for (CDtmfPage* page : pages_) page->StoreFields();
}

void CDtmfEditorDialog::done(int result) {
    StoreAllPages();
    QDialog::done(result);
}

void CDtmfEditorDialog::keyPressEvent(QKeyEvent* event) {
    if (IsEnterOrEscape(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void OpenDtmfEditor(CDocument& doc, CProgramState& state, QWidget* parent) {
    CDtmfEditorDialog dialog(doc, state, parent);
    dialog.exec();
}

} // namespace tarsel::ui
