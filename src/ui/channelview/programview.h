// The channel list: the one view of a document. It owns the grid's texts while it is open; every
// use of the image parses the grid first and every outside change refills it.
#pragma once

#include "core/image/programstate.h"

#include <QWidget>

class QComboBox;
class QPrinter;
class QPushButton;

namespace tarsel::ui {

class CCellEditors;
class CChannelGrid;
class CChannelModel;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    explicit CProgramView(CProgramState& state, QWidget* parent = nullptr);
    ~CProgramView() override;

    void FillFromImage();
    // Commits an edit in progress, then writes every row and the derived blocks into the image.
    void ParseIntoImage();

    void Print(QPrinter* printer);

    CChannelGrid* Grid() const { return grid_; }
    CChannelModel* Model() const { return model_; }
    CCellEditors* Editors() const { return editors_; }

    // The width of the form's contents, for sizing the child window around it.
    int PreferredGridWidth() const;
    // After the service password: the "初始化" button is shown.
    void ShowServiceControls();
    QPushButton* InitialiseButton() const { return initialiseButton_; }

signals:
    void ServiceUnlockRequested();
    void InitialiseRequested(); // "初始化"

private:
    void OpenBatchDialog();   // "批量生成"
    void OpenChannelDialog(); // "信道编辑", on the current row's channel
    void MoveAfterEnter(int kind, bool textEmpty);
    void SetColumnWidths();

    CProgramState& state_;
    CChannelModel* model_;
    CCellEditors* editors_;
    CChannelGrid* grid_;
    QComboBox* variants_;
    QPushButton* batchButton_;
    QPushButton* channelButton_;
    QPushButton* initialiseButton_;
};

} // namespace tarsel::ui
