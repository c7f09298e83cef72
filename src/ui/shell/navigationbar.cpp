#include "ui/shell/navigationbar.h"

#include <QTimer>
#include <QTreeWidget>

namespace tarsel::ui {

namespace {

constexpr int kMinimumWidth = 11;
constexpr int kItemRole = Qt::UserRole + 1;

} // namespace

CNavigationBar::CNavigationBar(const QString& modelText, QWidget* parent)
    : QDockWidget(QStringLiteral("IE Control Bar"), parent), tree_(new QTreeWidget(this)) {
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
    setMinimumWidth(kMinimumWidth);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CNavigationBar::OnSelectionChanged);
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
