#include "ui/interchange/csvimportdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarsel::ui {

CCsvImportDialog::CCsvImportDialog(std::string text, CMemoryImage& image, CBandLimits& limits,
                                   QWidget* parent)
    : QDialog(parent), text_(std::move(text)), image_(image), limits_(limits),
      summary_(new QLabel(this)), messages_(new QListWidget(this)),
      clear_(new QCheckBox(tr("清空原有信道"), this)),
      skipBad_(new QCheckBox(tr("跳过有错的行"), this)),
      firstBox_(new QCheckBox(tr("从信道 N 起依次放入"), this)), first_(new QSpinBox(this)) {
    setWindowTitle(tr("导入 CSV"));
    summary_->setWordWrap(true);
    auto* messagesLabel = new QLabel(tr("警告和错误"), this);
    messagesLabel->setBuddy(messages_);
    messages_->setAccessibleName(messagesLabel->text());
    messages_->setMinimumWidth(560);
    first_->setRange(1, kCsvLastChannel);
    first_->setEnabled(false);
    first_->setAccessibleName(tr("信道 N"));
    for (QCheckBox* box : {clear_, skipBad_, firstBox_}) box->setAccessibleName(box->text());

    auto* buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(tr("导入"), QDialogButtonBox::AcceptRole);
    import_->setAccessibleName(import_->text());
    QPushButton* cancel = buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    cancel->setAccessibleName(cancel->text());

    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(firstBox_);
    firstRow->addWidget(first_);
    firstRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(messagesLabel);
    layout->addWidget(messages_);
    layout->addWidget(clear_);
    layout->addWidget(skipBad_);
    layout->addLayout(firstRow);
    layout->addWidget(buttons);

    connect(firstBox_, &QCheckBox::toggled, first_, &QSpinBox::setEnabled);
    for (QCheckBox* box : {clear_, skipBad_, firstBox_})
        connect(box, &QCheckBox::toggled, this, &CCsvImportDialog::Review);
    connect(first_, &QSpinBox::valueChanged, this, &CCsvImportDialog::Review);
    connect(import_, &QPushButton::clicked, this, &CCsvImportDialog::Import);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Review();
}

CCsvImportOptions CCsvImportDialog::Options() const {
    CCsvImportOptions options;
    options.clear = clear_->isChecked();
    options.skipBad = skipBad_->isChecked();
    options.first = firstBox_->isChecked() ? first_->value() : 0;
    return options;
}

void CCsvImportDialog::Review() {
    const CCsvImportOptions options = Options();
    found_ = ReadChannelCsv(text_, limits_, options);
    const int errors = found_.RowErrors();
    const int warnings = static_cast<int>(found_.messages.size()) - errors;
    if (found_.unreadable)
        summary_->setText(tr("这不是信道表：没有可导入的行。"));
    else
        summary_->setText(tr("可导入 %1 行，警告 %2 条，有错的行 %3 行。")
                              .arg(found_.channels.size())
                              .arg(warnings)
                              .arg(errors));
    messages_->clear();
    for (const CCsvMessage& message : found_.messages) {
        const QString kind = message.error ? tr("错误") : tr("警告");
        auto* item = new QListWidgetItem(kind + QStringLiteral("  ") +
                                         QString::fromStdString(message.Text()));
        item->setData(Qt::UserRole, message.line);
        if (message.error) item->setForeground(Qt::darkRed);
        messages_->addItem(item);
    }
    import_->setEnabled(found_.Applicable(options));
}

void CCsvImportDialog::Import() {
    if (!ApplyChannelCsv(found_, Options(), image_, limits_)) return;
    changed_ = true;
    accept();
}

} // namespace tarsel::ui
