// What an import of a channel list found, before anything changes: the rows it would apply, its
// warnings and the rows refused, with the three choices of how to apply. 导入 applies the list to
// the document's image; the caller makes that one undo step when Changed() says so.
#pragma once

#include "core/image/bands.h"
#include "core/image/memoryimage.h"
#include "core/interchange/channelcsv.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace tarsel::ui {

class CCsvImportDialog : public QDialog {
    Q_OBJECT
public:
    // text: the list file's contents. image and limits: the document's; changed only by 导入.
    CCsvImportDialog(std::string text, CMemoryImage& image, CBandLimits& limits,
                     QWidget* parent = nullptr);

    bool Changed() const { return changed_; }

    QCheckBox* ClearBox() const { return clear_; }
    QCheckBox* SkipBadBox() const { return skipBad_; }
    QCheckBox* FirstBox() const { return firstBox_; }
    QSpinBox* FirstChannel() const { return first_; }
    QListWidget* Messages() const { return messages_; }
    QLabel* Summary() const { return summary_; }
    QPushButton* ImportButton() const { return import_; }

private:
    CCsvImportOptions Options() const;
    void Review(); // reads the list again with the options as they are now
    void Import();

    std::string text_;
    CMemoryImage& image_;
    CBandLimits& limits_;
    CCsvImport found_;
    bool changed_ = false;

    QLabel* summary_;
    QListWidget* messages_;
    QCheckBox* clear_;
    QCheckBox* skipBad_;
    QCheckBox* firstBox_;
    QSpinBox* first_;
    QPushButton* import_;
};

} // namespace tarsel::ui
