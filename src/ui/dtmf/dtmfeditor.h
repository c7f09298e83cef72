// "DTMF": the window of the radio's DTMF signalling, three pages on a tab strip. No buttons: the
// page being left is stored, the page being shown is loaded, and closing stores all three.
#pragma once

#include "core/document/document.h"
#include "core/image/programstate.h"

#include <QDialog>

#include <array>

class QStackedLayout;
class QTabBar;

namespace tarsel::ui {

class CDtmfPage;
class CDtmfTimingPage;
class CDtmfRemotePage;
class CDtmfCodeListPage;

class CDtmfEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDtmfEditorDialog(CDocument& doc, CProgramState& state, QWidget* parent = nullptr);
    ~CDtmfEditorDialog() override;

    QTabBar* Tabs() const { return tabs_; }
    CDtmfTimingPage* TimingPage() const;
    CDtmfRemotePage* RemotePage() const;
    CDtmfCodeListPage* CodeListPage() const;
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChangePage(int index);
    void StoreAllPages();

    QTabBar* tabs_;
    QStackedLayout* stack_;
    std::array<CDtmfPage*, 3> pages_; // in tab order: timing, remote, code list
    int current_ = 0;
    bool stored_ = false;
};

// Runs the DTMF editor modally over parent.
void OpenDtmfEditor(CDocument& doc, CProgramState& state, QWidget* parent);

} // namespace tarsel::ui
