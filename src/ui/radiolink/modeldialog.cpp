#include "ui/radiolink/modeldialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tarsel::ui {

namespace {

constexpr int kModelId = 1037;
constexpr int kFirstLimitId = 1038;

} // namespace

CModelDialog::CModelDialog(CDocument& doc, CProgramState& state, QWidget* parent)
    : QDialog(parent), doc_(doc), state_(state), model_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("219"));
    setWindowTitle(tr("机型信息"));
    model_->setObjectName(QString::number(kModelId));
    model_->setReadOnly(true);
    auto* layout = new QGridLayout(this);
    auto* modelLabel = new QLabel(tr("机型"), this);
    modelLabel->setBuddy(model_);
    model_->setAccessibleName(modelLabel->text());
    layout->addWidget(modelLabel, 0, 0);
    layout->addWidget(model_, 0, 1, 1, 3);
    // Three digits are what can be typed; a longer value read from an image is still shown whole.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), this);
    const QString bandNames[2] = {tr("A段"), tr("B段")};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = limits_[i] = new QLineEdit(this);
        edit->setObjectName(QString::number(kFirstLimitId + i));
        edit->setValidator(digits);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        const int row = 1 + i / 2;
        if (i % 2 == 0) {
            auto* label = new QLabel(bandNames[i / 2], this);
            label->setBuddy(edit);
            layout->addWidget(label, row, 0);
            layout->addWidget(edit, row, 1);
            layout->addWidget(new QLabel(QStringLiteral("---"), this), row, 2);
            edit->setAccessibleName(bandNames[i / 2]);
        } else {
            layout->addWidget(edit, row, 3);
            edit->setAccessibleName(bandNames[i / 2] + QStringLiteral(" ---"));
        }
    }
    Show(LoadModelFields(doc_.Limits(), state_.modelText));
}

QLineEdit* CModelDialog::Field(int id) const {
    return id == kModelId ? model_ : limits_[id - kFirstLimitId];
}

CModelFields CModelDialog::Fields() const {
    return {model_->text().toStdString(), limits_[0]->text().toStdString(),
            limits_[1]->text().toStdString(), limits_[2]->text().toStdString(),
            limits_[3]->text().toStdString()};
}

void CModelDialog::Show(const CModelFields& fields) {
    model_->setText(QString::fromStdString(fields.model));
    const std::string* texts[4] = {&fields.aLow, &fields.aHigh, &fields.bLow, &fields.bHigh};
    for (int i = 0; i < 4; ++i) limits_[i]->setText(QString::fromStdString(*texts[i]));
}

bool CModelDialog::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (int i = 0; i < 4; ++i) {
            if (object != limits_[i]) continue;
            CModelFields fields = Fields();
            std::string& lower = i < 2 ? fields.aLow : fields.bLow;
            std::string& upper = i < 2 ? fields.aHigh : fields.bHigh;
            NormaliseBandPair(lower, upper, i % 2 == 0);
            Show(fields);
        }
    }
    return QDialog::eventFilter(object, event);
}

void CModelDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void CModelDialog::done(int result) {
    if (!stored_) {
        stored_ = true;
        CModelFields fields = Fields();
        StoreModelFields(fields, doc_.Limits(), doc_.Image());
        Show(fields);
    }
    QDialog::done(result);
}

} // namespace tarsel::ui
