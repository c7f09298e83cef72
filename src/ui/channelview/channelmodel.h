// The grid's texts as a Qt model: the document's channel table, nine data columns, the row labels
// as the vertical header. Every edit goes through the core's commit functions and becomes one undo
// step.
#pragma once

#include "core/image/channeltable.h"

#include <QAbstractTableModel>

namespace tarsel::ui {

class CProgramDoc;

class CChannelModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CChannelModel(CProgramDoc& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Image -> texts (the band limits are reloaded first), and texts -> image with the
    // finalisation.
    void FillFromImage();
    void ParseIntoImage();
    // The table was replaced (undo, redo, a row command): the rows whose texts changed are shown
    // again, and only they are painted on the next frame.
    void ShowTable();

    // What an in-place editor's commit does with its text on the cell at index.
    void CommitEdit(const QModelIndex& index, const QString& text);

    const CChannelTable& Table() const;
    static int ChannelOf(const QModelIndex& index) { return index.row() + 1; }
    static int ColumnOf(const QModelIndex& index) { return index.column() + 1; }

private:
    CProgramDoc& doc_;
    // The rows as the view last showed them.
    CChannelTable shown_;
};

} // namespace tarsel::ui
