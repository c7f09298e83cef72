#include "ui/radiolink/modeldialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tarsel::ui {

namespace {

constexpr int kModelId = 1037;
constexpr int kFirstLimitId = 1038;

} // namespace

CModelDialog::CModelDialog(CDocument& doc, CProgramState& state, QWidget* parent)
    : QDialog(parent), doc_(doc), state_(state), controls_(ModelFieldTable(), this),
      model_(controls_.Edit(kModelId)) {
    setObjectName(QStringLiteral("219"));
    setWindowTitle(tr("机型信息"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(Caption(controls_.Caption(kModelId), model_), 0, 0);
    layout->addWidget(model_, 0, 1, 1, 3);
    // A band's pair on one row: its caption, the lower limit, "---", the upper limit (named by
    // its own caption, which no label shows).
    for (int i = 0; i < 4; ++i) {
        const int id = kFirstLimitId + i;
        QLineEdit* edit = limits_[i] = controls_.Edit(id);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        const int row = 1 + i / 2;
        if (i % 2 == 0) {
            controls_.AddRow(layout, id, {row, 0});
            layout->addWidget(new QLabel(QStringLiteral("---"), this), row, 2);
        } else {
            layout->addWidget(edit, row, 3);
        }
    }
    Show(LoadModelFields(doc_.Limits(), state_.modelText));
}

QLineEdit* CModelDialog::Field(int id) const { return controls_.Edit(id); }

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
