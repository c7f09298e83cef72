// The channel list: the one view of a document. The grid shows the document's texts; every use of
// the image parses the grid first and every outside change refills it. It also carries the
// channel-row commands (copy, cut, paste, clear, insert, delete, sort) on the chosen rows.
#pragma once

#include "core/document/channelrowedits.h"
#include "core/image/programstate.h"

#include <QList>

#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QPrinter;
class QPushButton;

namespace tarsel::ui {

class CCellEditors;
class CChannelGrid;
class CChannelModel;
class CProgramDoc;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    CProgramView(CProgramDoc& doc, CProgramState& state, QWidget* parent = nullptr);
    ~CProgramView() override;

    void FillFromImage();
    // Commits an edit in progress, then writes every row and the derived blocks into the image.
    void ParseIntoImage();
    void CommitOpenEditor();

    // The channels chosen by their row labels, in channel order; the current row when none is.
    std::vector<int> SelectedChannels() const;
    int CurrentChannel() const;
    // Each command is one undo step; a refused one changes nothing and says why.
    ERowEditOutcome CopyRows();
    ERowEditOutcome CutRows();
    ERowEditOutcome PasteRows();
    ERowEditOutcome ClearRows();
    ERowEditOutcome InsertRow();
    ERowEditOutcome DeleteRows();
    ERowEditOutcome SortRows();
    // The grid's context menu.
    void SetContextActions(const QList<QAction*>& actions);

    void Print(QPrinter* printer);

    CChannelGrid* Grid() const { return grid_; }
    CChannelModel* Model() const { return model_; }
    CCellEditors* Editors() const { return editors_; }

    // The width of the form's contents, for sizing the child window around it.
    int PreferredGridWidth() const;
    // The whole width of the list and a good many of its rows.
    QSize sizeHint() const override;
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
    // Runs a row command on the document and records it as one step named text.
    ERowEditOutcome EditRows(const QString& text, const std::function<ERowEditOutcome()>& edit);

    CProgramDoc& doc_;
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
