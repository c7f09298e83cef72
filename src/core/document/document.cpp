#include "core/document/document.h"

#include "core/image/finalise.h"

namespace tarsel {

CDocument::CDocument(const CMemoryImage& image) {
    content_.image = image;
    Fill();
    MarkSaved();
}

void CDocument::Fill() { FillChannelTable(content_.image, content_.limits, content_.table); }

void CDocument::Parse() {
    ParseChannelTable(content_.table, content_.limits, kProgramVariant, content_.image);
}

CMemoryImage CDocument::Parsed() const {
    CMemoryImage image = content_.image;
    ParseChannelTable(content_.table, content_.limits, kProgramVariant, image);
    return image;
}

} // namespace tarsel
