// "DTMF 解码初始化": the eleven tuning values of the radio's DTMF decoder, read from and written to
// the radio on their own.
#pragma once

#include "core/service/decoderfields.h"
#include "ui/service/regiondialog.h"

#include <array>

class QLineEdit;

namespace tarsel::ui {

class CDtmfDecoderDialog : public CRegionDialog {
    Q_OBJECT
public:
    CDtmfDecoderDialog(CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                       CPrompter& prompter, QWidget* parent = nullptr);

    QLineEdit* Field(int row) const { return edits_[row]; }
    void StoreFields() override;

protected:
    void ShowRead() override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CDecoderFields Fields() const;
    void Show(const CDecoderFields& fields);

    std::array<QLineEdit*, kDecoderEntryCount> edits_{};
};

// Menu item 32808: runs the window modally.
void OpenDtmfDecoderInit(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent);

} // namespace tarsel::ui
