// One session of a function form on the page (可选功能, DTMF, 收音机, 机型): the core's field
// tables, the fields the controls show, and the core's corrections as the controls ask for them.
// Opening parses the grid into the image; closing stores the fields and records the whole
// session as one undo step, as the desktop's tools do.
#pragma once

#include "core/document/document.h"
#include "core/dtmf/codelistfields.h"
#include "core/dtmf/dtmfpages.h"
#include "core/dtmf/remotefields.h"
#include "core/dtmf/timingfields.h"
#include "core/editors/optionfields.h"
#include "core/fmradio/fmfields.h"
#include "core/image/modelform.h"
#include "web/webdocument.h"

#include <emscripten/val.h>

#include <string>

namespace tarsel::web {

enum class EWebForm { Options, Dtmf, FmRadio, Model };

class CWebForm {
public:
    // kind: "options", "dtmf", "fm" or "model". callId and modelText are the program-wide values
    // the DTMF editor and the model dialog show.
    CWebForm(CWebDocument* doc, const std::string& kind, const std::string& callId,
             const std::string& modelText);

    // [{title, fields: [{id, caption, kind, entries, maxLength, keys, stepped, hidden, rows}]}]:
    // one entry per page (the DTMF editor has three, each with its tab's title).
    emscripten::val Pages() const;
    // {id: value}: a list's index (-1 none), an edit's text, a column's texts; and {disabled:
    // [ids]}.
    emscripten::val Values() const;

    void Set(int id, const emscripten::val& value); // a column takes {row, text}
    void Focus(int id);                             // a control takes the focus
    void Leave(int id);                             // ... and loses it
    void Change(int id);                            // a list's selection was changed
    void Press(int id, int row);                    // a button, with the current row of the grid
    void Step(int id, int step);                    // one click of an up/down pair
    void ShowPage(int index);                       // the DTMF editor's tabs

    // Stores every page; true when the document changed (one undo step named stepName).
    bool Close(const std::string& stepName);
    std::string CallId() const { return callId_; }

private:
    const CFormField* Field(int id) const; // an edit or column of the open form

    CWebDocument& doc_;
    CDocumentContent before_;
    EWebForm kind_;
    std::string callId_;
    int page_ = 0;
    COptionsForm options_;
    CDtmfTimingFields timing_;
    CDtmfRemoteFields remote_;
    CDtmfCodeListFields codes_;
    CAniMemory ani_;
    CFmRadioFields fm_;
    CModelFields model_;
};

} // namespace tarsel::web
