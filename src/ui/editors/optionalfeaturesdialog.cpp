#include "ui/editors/optionalfeaturesdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace tarsel::ui {

namespace {

// The visible settings as a user looks for them: transmission and sound, display and light,
// channels and modes, keys and power.
constexpr int kGroups[][10] = {
    {1171, 1178, 1173, 1174, 1177, 1169, 1168, 1157, 1189},
    {1156, 1164, 1158, 1166, 1167, 1190, 1191},
    {1180, 1185, 1179, 1181, 1195, 1176, 1182, 1170, 1175},
    {1161, 1165, 1187, 1160, 1184, 1188},
};

} // namespace

COptionalFeaturesDialog::COptionalFeaturesDialog(CDocument& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), controls_(OptionFormFields(), this),
      greeting_(controls_.Edit(kGreetingId)), dualWatchTime_(controls_.Edit(kDualWatchTimeId)) {
    setWindowTitle(tr("可选功能"));
    auto* layout = new QGridLayout(this);
    std::array<QGroupBox*, std::size(kGroups)> boxes{};
    std::array<QGridLayout*, std::size(kGroups)> grids{};
    for (std::size_t g = 0; g < boxes.size(); ++g) {
        boxes[g] = new QGroupBox(this);
        grids[g] = new QGridLayout(boxes[g]);
        grids[g]->setColumnStretch(1, 1);
        layout->addWidget(boxes[g], static_cast<int>(g / 2), static_cast<int>(g % 2));
    }
    const auto groupOf = [](int id) -> int {
        for (std::size_t g = 0; g < std::size(kGroups); ++g)
            for (int member : kGroups[g])
                if (member == id) return static_cast<int>(g);
        return -1;
    };
    // In the order of the table, each to the next row of its group; a hidden one stays out of them.
    std::array<int, std::size(kGroups)> rows{};
    for (const CFormField& field : OptionFormFields()) {
        if (field.hidden) continue;
        // A visible setting missing from the groups still gets a place rather than vanishing.
        const auto g = static_cast<std::size_t>(std::max(0, groupOf(field.controlId)));
        controls_.AddRow(grids[g], field.controlId, {rows[g]++, 0});
    }
    for (std::size_t g = 0; g < grids.size(); ++g) grids[g]->setRowStretch(rows[g], 1);
    for (std::size_t i = 0; i < lists_.size(); ++i)
        lists_[i] = controls_.List(OptionFields()[i].controlId);

    connect(lists_[static_cast<std::size_t>(OptionFieldIndex(kProfessionalModeId))],
            &QComboBox::activated, this, [this] {
                COptionsForm form = Form();
                ApplyProfessionalModeRule(form);
                Show(form);
            });
    Show(LoadOptions(doc_.Image()));
}

COptionalFeaturesDialog::~COptionalFeaturesDialog() {
    // Destroyed without being closed (its parent went first): the settings are still written.
    Store();
}

COptionsForm COptionalFeaturesDialog::Form() const {
    COptionsForm form;
    for (std::size_t i = 0; i < lists_.size(); ++i) form.selections[i] = lists_[i]->currentIndex();
    form.greeting = greeting_->text().toLatin1().toStdString();
    form.dualWatchTime = dualWatchTime_->text().toStdString();
    form.vfoMrEnabled = lists_[static_cast<std::size_t>(OptionFieldIndex(kVfoMrId))]->isEnabled();
    return form;
}

void COptionalFeaturesDialog::Show(const COptionsForm& form) {
    for (std::size_t i = 0; i < lists_.size(); ++i) lists_[i]->setCurrentIndex(form.selections[i]);
    greeting_->setText(QString::fromLatin1(form.greeting));
    dualWatchTime_->setText(QString::fromStdString(form.dualWatchTime));
    lists_[static_cast<std::size_t>(OptionFieldIndex(kVfoMrId))]->setEnabled(form.vfoMrEnabled);
}

void COptionalFeaturesDialog::Store() {
    if (stored_) return;
    stored_ = true;
    COptionsForm form = Form();
    StoreOptions(form, doc_.Image());
}

void COptionalFeaturesDialog::keyPressEvent(QKeyEvent* event) {
    // Enter closes it as Escape does; both keep what was chosen.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void COptionalFeaturesDialog::done(int result) {
    Store();
    QDialog::done(result);
}

void OpenOptionalFeatures(CDocument& doc, QWidget* parent) {
    COptionalFeaturesDialog dialog(doc, parent);
    dialog.exec();
}

} // namespace tarsel::ui
