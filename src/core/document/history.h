// A document's undo history without a window: every change is one step holding the whole content
// before and after, so undoing it is exact whatever the change was. The desktop keeps Qt's own
// undo stack; faces without one (the web page) keep this.
#pragma once

#include "core/document/document.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tarsel {

class CDocumentHistory {
public:
    // Comfortably more than the 200 steps a user can count on; the oldest go first.
    static constexpr std::size_t kDefaultLimit = 256;
    explicit CDocumentHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // The change from before to now becomes one step named name; no step when nothing changed.
    // Steps that were undone are dropped.
    void Record(const CDocumentContent& before, const CDocument& now, std::string name);

    bool CanUndo() const { return next_ > 0; }
    bool CanRedo() const { return next_ < steps_.size(); }
    // Names of the step an undo or a redo would take back or do again; empty when there is none.
    std::string UndoName() const;
    std::string RedoName() const;

    // Put the content before (undo) or after (redo) the step back into doc; false when there is
    // no such step.
    bool Undo(CDocument& doc);
    bool Redo(CDocument& doc);

    std::size_t Size() const { return steps_.size(); }

private:
    struct CStep {
        std::shared_ptr<const CDocumentContent> before, after;
        std::string name;
    };
    std::vector<CStep> steps_;
    std::size_t next_ = 0; // steps_[0..next_) are done
    std::size_t limit_;
};

} // namespace tarsel
