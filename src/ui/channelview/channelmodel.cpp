#include "ui/channelview/channelmodel.h"

#include "core/image/finalise.h"
#include "core/image/labels.h"

namespace tarsel::ui {

CChannelModel::CChannelModel(CProgramState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state) {}

int CChannelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : map::kChannelCount;
}

int CChannelModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannelColumns;
}

QVariant CChannelModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(table_.Row(ChannelOf(index))[ColumnOf(index)]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant CChannelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kChannelColumns
                   ? QString::fromUtf8(ChannelColumnTitles()[static_cast<std::size_t>(section)])
                   : QVariant();
    return QString::fromStdString(GridLabel(section + 1));
}

Qt::ItemFlags CChannelModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void CChannelModel::FillFromImage() {
    // The shape never changes, so a refill is a change of every cell, not a reset (which would
    // also drop the column widths).
    FillChannelTable(state_.image, state_.bandLimits, table_);
    emit dataChanged(index(0, 0), index(map::kChannelCount - 1, kChannelColumns - 1));
}

void CChannelModel::ParseIntoImage() {
    ParseChannelTable(table_, state_.bandLimits, kProgramVariant, state_.image);
}

void CChannelModel::CommitEdit(const QModelIndex& index, const QString& text) {
    const int channel = ChannelOf(index), column = ColumnOf(index);
    CChannelRow& row = table_.Row(channel);
    CommitCellEdit(row, channel, column, text.toStdString(), state_.bandLimits, state_.image);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kChannelColumns - 1));
}

} // namespace tarsel::ui
