#include "core/document/history.h"

namespace tarsel {

void CDocumentHistory::Record(const CDocumentContent& before, const CDocument& now,
                              std::string name) {
    if (now.Content() == before) return;
    steps_.resize(next_);
    // The content after the newest step is usually the next step's "before": sharing it halves
    // what the history holds.
    auto shared = !steps_.empty() && *steps_.back().after == before
                      ? steps_.back().after
                      : std::make_shared<const CDocumentContent>(before);
    steps_.push_back({std::move(shared), std::make_shared<const CDocumentContent>(now.Content()),
                      std::move(name)});
    if (steps_.size() > limit_) steps_.erase(steps_.begin());
    next_ = steps_.size();
}

std::string CDocumentHistory::UndoName() const {
    return CanUndo() ? steps_[next_ - 1].name : std::string();
}

std::string CDocumentHistory::RedoName() const {
    return CanRedo() ? steps_[next_].name : std::string();
}

bool CDocumentHistory::Undo(CDocument& doc) {
    if (!CanUndo()) return false;
    doc.Restore(*steps_[--next_].before);
    return true;
}

bool CDocumentHistory::Redo(CDocument& doc) {
    if (!CanRedo()) return false;
    doc.Restore(*steps_[next_++].after);
    return true;
}

} // namespace tarsel
