// The bar on the left: a tree of the three editing areas under the model's name.
#pragma once

#include <QDockWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace tarsel::ui {

class CNavigationBar : public QDockWidget {
    Q_OBJECT
public:
    enum class EItem { ChannelList, OptionalFeatures, Dtmf };

    CNavigationBar(const QString& modelText, QWidget* parent = nullptr);
    QTreeWidget* Tree() const { return tree_; }
    // Keeps the bar between 11 pixels and half the frame's width.
    void LimitWidth(int frameClientWidth);

signals:
    void ItemChosen(CNavigationBar::EItem item);

private:
    void OnSelectionChanged();
    QWidget* MakeTitleBar();

    QTreeWidget* tree_;
    QTreeWidgetItem* root_;
};

} // namespace tarsel::ui
