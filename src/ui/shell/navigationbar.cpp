#include "ui/shell/navigationbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace tarsel::ui {

namespace {

constexpr int kMinimumWidth = 11;
constexpr int kItemRole = Qt::UserRole + 1;

// A title bar that lets the bar shrink below its caption and close button; they are cut off.
class CTitleBar : public QWidget {
public:
    using QWidget::QWidget;
    QSize minimumSizeHint() const override { return {1, QWidget::minimumSizeHint().height()}; }
};

} // namespace

CNavigationBar::CNavigationBar(const QString& modelText, QWidget* parent)
    : QDockWidget(tr("导航"), parent), tree_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("130"));
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    tree_->setObjectName(QStringLiteral("1300"));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setAccessibleName(modelText);
    root_ = new QTreeWidgetItem(tree_, {modelText});
    const std::pair<QString, EItem> children[] = {
        {tr("信道信息"), EItem::ChannelList},
        {tr("可选功能"), EItem::OptionalFeatures},
        {tr("DTMF"), EItem::Dtmf},
    };
    for (const auto& [text, item] : children) {
        auto* child = new QTreeWidgetItem(root_, {text});
        child->setData(0, kItemRole, int(item));
    }
    root_->setExpanded(true);
    tree_->setCurrentItem(root_);
    setWidget(tree_);
    tree_->setMinimumWidth(1); // 0 would mean "as small as it says it can be"
    setTitleBarWidget(MakeTitleBar());
    setMinimumWidth(kMinimumWidth);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CNavigationBar::OnSelectionChanged);
}

QWidget* CNavigationBar::MakeTitleBar() {
    // A title bar of our own, so that the bar can be made as narrow as 11 pixels: the standard
    // one will not shrink below its caption and buttons.
    auto* bar = new CTitleBar(this);
    auto* caption = new QLabel(windowTitle(), bar);
    caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    caption->setMinimumWidth(1);
    auto* close = new QToolButton(bar);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("Close"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setFixedSize(16, 16);
    connect(close, &QToolButton::clicked, this, &QDockWidget::close);
    auto* layout = new QHBoxLayout(bar);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(5, 2, 2, 2);
    layout->addWidget(caption, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    bar->setMinimumWidth(1);
    return bar;
}

void CNavigationBar::LimitWidth(int frameClientWidth) {
    setMaximumWidth(std::max(kMinimumWidth, frameClientWidth / 2));
}

void CNavigationBar::OnSelectionChanged() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || item == root_) return;
    const auto chosen = EItem(item->data(0, kItemRole).toInt());
    // The root is selected again so that the same item can be chosen twice in a row.
    QTimer::singleShot(0, this, [this] { tree_->setCurrentItem(root_); });
    emit ItemChosen(chosen);
}

} // namespace tarsel::ui
