#include "ui/fmradio/fmradiodialog.h"

#include "core/image/gridnavigation.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/inplacegrid.h"
#include "ui/widgets/keyfilter.h"
#include "ui/widgets/ruledit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarsel::ui {

namespace {

constexpr int kFrequencyLength = 7; // "108.000"
constexpr int kNumberTwips = 1000;
constexpr int kFrequencyTwips = 1500;

QString Normalised(const QString& text) {
    return QString::fromStdString(NormaliseFmFrequency(text.toStdString()));
}

std::optional<char> AcceptFrequencyKey(char c) {
    return IsFrequencyEditorChar(c) ? std::optional<char>(c) : std::nullopt;
}

} // namespace

CFmRadioDialog::CFmRadioDialog(CDocument& doc, QWidget* parent)
    : QDialog(parent), image_(doc.Image()) {
    setObjectName(QStringLiteral("217"));
    setWindowTitle(tr("收音机配置"));
    QStringList numbers;
    for (int i = 1; i <= map::kFmPresetCount; ++i) numbers << QString::number(i);
    preset_ = MakeChoiceList(QStringLiteral("1026"), numbers, this);
    current_ = MakeRuledEdit(QStringLiteral("1025"), kFrequencyLength, {}, this);
    current_->installEventFilter(this);
    CInPlaceGrid::CBehaviour behaviour;
    behaviour.editorMaxLength = kFrequencyLength;
    behaviour.editorRule = AcceptFrequencyKey;
    behaviour.commitCorrection = Normalised;
    behaviour.numbersAreFixed = true;
    grid_ = new CInPlaceGrid({tr("信道"), tr("频率")}, map::kFmPresetCount, 1,
                             QStringLiteral("1302"), behaviour, this);
    grid_->SetColumnTwips(kNumberTwips, kFrequencyTwips);
    grid_->setAccessibleName(tr("频率"));

    auto* layout = new QGridLayout(this);
    AddCaptionedRow(layout, tr("当前信道"), preset_);
    AddCaptionedRow(layout, tr("当前频率"), current_);
    layout->addWidget(grid_, layout->rowCount(), 0, 1, 2, Qt::AlignHCenter);
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

bool CFmRadioDialog::eventFilter(QObject* object, QEvent* event) {
    if (object == current_ && event->type() == QEvent::FocusOut)
        current_->setText(Normalised(current_->text()));
    return QDialog::eventFilter(object, event);
}

void OpenFmRadio(CDocument& doc, QWidget* parent) {
    CFmRadioDialog dialog(doc, parent);
    dialog.exec();
}

} // namespace tarsel::ui
