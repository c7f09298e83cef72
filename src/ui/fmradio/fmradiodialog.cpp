#include "ui/fmradio/fmradiodialog.h"

#include "ui/widgets/inplacegrid.h"
#include "ui/widgets/keyfilter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarsel::ui {

namespace {

// The presets' grid: numbered from 1, and a click on a number edits that row's frequency.
CColumnLook PresetColumn() {
    CColumnLook look;
    look.numberTwips = 1000;
    look.valueTwips = 1500;
    look.behaviour.numbersAreFixed = true;
    return look;
}

} // namespace

CFmRadioDialog::CFmRadioDialog(CDocument& doc, QWidget* parent)
    : QDialog(parent), image_(doc.Image()), controls_(FmRadioFieldTable(), this, PresetColumn()),
      preset_(controls_.List(1026)), current_(controls_.Edit(1025)), grid_(controls_.Column(1302)) {
    setObjectName(QStringLiteral("217"));
    setWindowTitle(tr("收音机配置"));
    auto* layout = new QGridLayout(this);
    controls_.LayOut(layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Show(LoadFmRadio(image_));
}

CFmRadioDialog::~CFmRadioDialog() { Store(); }

CFmRadioFields CFmRadioDialog::Fields() const {
    CFmRadioFields fields;
    fields.presetIndex = preset_->currentIndex();
    fields.currentFrequency = current_->text().toStdString();
    for (std::size_t i = 0; i < fields.presets.size(); ++i)
        fields.presets[i] = grid_->ValueText(static_cast<int>(i)).toStdString();
    return fields;
}

void CFmRadioDialog::Show(const CFmRadioFields& fields) {
    preset_->setCurrentIndex(fields.presetIndex);
    current_->setText(QString::fromStdString(fields.currentFrequency));
    for (std::size_t i = 0; i < fields.presets.size(); ++i)
        grid_->SetValueText(static_cast<int>(i), QString::fromStdString(fields.presets[i]));
}

void CFmRadioDialog::Store() {
    if (stored_) return;
    stored_ = true;
    grid_->CommitEditor();
    CFmRadioFields fields = Fields();
    StoreFmRadio(fields, image_);
    Show(fields);
}

void CFmRadioDialog::done(int result) {
    Store();
    QDialog::done(result);
}

void CFmRadioDialog::keyPressEvent(QKeyEvent* event) {
    if (IsEnterOrEscape(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void OpenFmRadio(CDocument& doc, QWidget* parent) {
    CFmRadioDialog dialog(doc, parent);
    dialog.exec();
}

} // namespace tarsel::ui
