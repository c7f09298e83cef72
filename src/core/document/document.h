// A document: one set-up being edited. It owns its memory image, the band limits decoded from it,
// the channel grid's texts (the authoritative copy of the eight channel columns while it is open:
// the image takes them at every parse) and the image it was last created, opened or saved as.
#pragma once

#include "core/image/bands.h"
#include "core/image/channeltable.h"
#include "core/image/memoryimage.h"

namespace tarsel {

// Everything an edit can change, so that restoring it undoes the edit exactly.
struct CDocumentContent {
    CMemoryImage image;
    CBandLimits limits;
    CChannelTable table;
    friend bool operator==(const CDocumentContent&, const CDocumentContent&) = default;
};

class CDocument {
public:
    // A document showing image: the limits start from the start-up values and are then loaded
    // from the image where it holds them; the grid is filled; the saved state is what saving it
    // unedited would write.
    explicit CDocument(const CMemoryImage& image = {});

    const CDocumentContent& Content() const { return content_; }
    void Restore(const CDocumentContent& content) { content_ = content; }

    CMemoryImage& Image() { return content_.image; }
    const CMemoryImage& Image() const { return content_.image; }
    CBandLimits& Limits() { return content_.limits; }
    const CBandLimits& Limits() const { return content_.limits; }
    CChannelTable& Table() { return content_.table; }
    const CChannelTable& Table() const { return content_.table; }

    // Image -> grid texts (the band limits reloaded first): after anything changed the image
    // from outside the grid.
    void Fill();
    // Grid texts -> image, with the finalisation: before anything uses the image.
    void Parse();
    // What saving would write now, without touching the document.
    CMemoryImage Parsed() const;

    // Whether saving now would write something else than the last create, open or save.
    bool IsModified() const { return !(Parsed() == saved_); }
    // After a save (or a new start): the current content is the saved state.
    void MarkSaved() { saved_ = Parsed(); }

private:
    CDocumentContent content_;
    CMemoryImage saved_;
};

} // namespace tarsel
