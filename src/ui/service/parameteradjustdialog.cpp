#include "ui/service/parameteradjustdialog.h"

#include "ui/service/calibrationgrid.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/ruledit.h"
#include "ui/widgets/stepbuttons.h"
#include "ui/widgets/coretext.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

// The "1846S" frame holds many fields: they go in this many caption/field column pairs.
constexpr int kChipColumns = 2;

} // namespace

CParameterAdjustDialog::CParameterAdjustDialog(CDocument& doc, CProgramState& state,
                                               std::filesystem::path settingsPath,
                                               CPrompter& prompter, QWidget* parent)
    : CRegionDialog(doc, state, map::kCalibrationRange, std::move(settingsPath), prompter, parent) {
    setObjectName(QStringLiteral("220"));
    setWindowTitle(tr("参数调节"));
    InitialiseControls();
    LoadFields();
}

void CParameterAdjustDialog::InitialiseControls() {
    auto* grids = new QVBoxLayout;
    for (std::size_t g = 0; g < kCalibrationGrids.size(); ++g) {
        grids_[g] = new CCalibrationGridView(kCalibrationGrids[g], this);
        grids->addWidget(grids_[g]);
    }
    grids->addStretch();

    QGroupBox* frames[2] = {new QGroupBox(tr("1846S"), this), new QGroupBox(tr("MCU"), this)};
    QGridLayout* frameFields[2] = {new QGridLayout, new QGridLayout};
    int placed[2] = {0, 0};
    for (std::size_t i = 0; i < kCalibrationFields.size(); ++i) {
        const CCalibrationField& field = kCalibrationFields[i];
        QLineEdit* edit = fields_[i] = MakeRuledEdit(
            QString::number(field.editId), field.maxChars,
            [&field](char c) {
                return AcceptsFieldKey(field, c) ? std::optional<char>(c) : std::nullopt;
            },
            this);
        edit->installEventFilter(this);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        auto* buttons = new CStepButtons(
            edit,
            [&field](std::string_view text, int step) { return StepFieldText(field, text, step); },
            QString::number(field.spinId), this);
        const QString caption = CoreText(field.caption);
        if (field.hidden) {
            edit->setAccessibleName(caption);
            buttons->setAccessibleName(caption);
            edit->hide();
            buttons->hide();
            continue;
        }
        const int f = field.group == ECalibrationGroup::Mcu ? 1 : 0;
        const int columns = f == 0 ? kChipColumns : 1;
        const int row = placed[f] / columns, column = 3 * (placed[f] % columns);
        ++placed[f];
        AddCaptionedRow(frameFields[f], caption, edit, buttons, {row, column});
        frameFields[f]->setColumnMinimumWidth(column + 2, 12);
    }
    QGridLayout* frameChecks[2] = {new QGridLayout, new QGridLayout};
    int checked[2] = {0, 0};
    for (std::size_t i = 0; i < kCalibrationChecks.size(); ++i) {
        const CCalibrationCheck& check = kCalibrationChecks[i];
        QCheckBox* box = checks_[i] = new QCheckBox(CoreText(check.caption), this);
        box->setObjectName(QString::fromUtf8(check.caption));
        box->setAccessibleName(box->text());
        const int f = check.group == ECalibrationGroup::Mcu ? 1 : 0;
        frameChecks[f]->addWidget(box, checked[f] / 3, checked[f] % 3);
        ++checked[f];
    }
    for (int f = 0; f < 2; ++f) {
        auto* inner = new QVBoxLayout(frames[f]);
        inner->addLayout(frameFields[f]);
        inner->addLayout(frameChecks[f]);
        inner->addStretch();
    }

    auto* right = new QVBoxLayout;
    right->addWidget(frames[0]);
    right->addWidget(frames[1]);
    right->addLayout(ButtonRow());
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grids);
    layout->addLayout(right);
}

QLineEdit* CParameterAdjustDialog::Field(int editId) const {
    for (std::size_t i = 0; i < kCalibrationFields.size(); ++i)
        if (kCalibrationFields[i].editId == editId) return fields_[i];
    return nullptr;
}

CCalibrationFields CParameterAdjustDialog::Collect() {
    CCalibrationFields fields;
    fields.layout = layout_;
    for (std::size_t g = 0; g < grids_.size(); ++g) {
        grids_[g]->CommitEditor();
        fields.cells[g] = grids_[g]->Cells();
    }
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields.numbers[i] = fields_[i]->text().toStdString();
    for (std::size_t i = 0; i < checks_.size(); ++i) fields.checks[i] = checks_[i]->isChecked();
    return fields;
}

void CParameterAdjustDialog::Show(const CCalibrationFields& fields) {
    layout_ = fields.layout;
    for (std::size_t g = 0; g < grids_.size(); ++g)
        grids_[g]->ShowRows(layout_.rows[g], fields.cells[g]);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(QString::fromStdString(fields.numbers[i]));
    for (std::size_t i = 0; i < checks_.size(); ++i) checks_[i]->setChecked(fields.checks[i]);
}

void CParameterAdjustDialog::LoadFields() {
    Show(tarsel::LoadFields(doc_.Image(), doc_.Limits()));
}

void CParameterAdjustDialog::StoreFields() {
    CCalibrationFields fields = Collect();
    tarsel::StoreFields(fields, doc_.Limits(), doc_.Image());
    Show(fields);
}

void CParameterAdjustDialog::ShowRead() {
    LoadBandLimits(doc_.Image(), doc_.Limits());
    LoadFields();
}

void CParameterAdjustDialog::PrepareWrite() {
    StoreBandLimits(doc_.Limits(), doc_.Image());
    StoreFields();
}

bool CParameterAdjustDialog::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (object == fields_[i])
                fields_[i]->setText(QString::fromStdString(
                    NormaliseFieldText(kCalibrationFields[i], fields_[i]->text().toStdString())));
    }
    return QDialog::eventFilter(object, event);
}

void OpenParameterAdjust(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent) {
    CParameterAdjustDialog dialog(doc, state, settingsPath, prompter, parent);
    dialog.exec();
}

} // namespace tarsel::ui
