#include "ui/channelview/channelmodel.h"

#include "core/image/finalise.h"
#include "core/image/labels.h"
#include "ui/shell/programdoc.h"
#include "ui/widgets/coretext.h"

namespace tarsel::ui {

CChannelModel::CChannelModel(CProgramDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc), shown_(doc.Document().Table()) {}

const CChannelTable& CChannelModel::Table() const { return doc_.Document().Table(); }

int CChannelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : map::kChannelCount;
}

int CChannelModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannelColumns;
}

QVariant CChannelModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return CoreText(Table().Row(ChannelOf(index))[ColumnOf(index)]);
    // The editors work on the core's own text.
    if (role == Qt::EditRole)
        return QString::fromStdString(Table().Row(ChannelOf(index))[ColumnOf(index)]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant CChannelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kChannelColumns
                   ? CoreText(ChannelColumnTitles()[static_cast<std::size_t>(section)])
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
    doc_.Document().Fill();
    ShowTable();
}

void CChannelModel::ShowTable() {
    const CChannelTable& table = Table();
    // One signal per run of changed rows.
    for (int row = 0; row < map::kChannelCount;) {
        if (shown_.rows[std::size_t(row)] == table.rows[std::size_t(row)]) {
            ++row;
            continue;
        }
        const int first = row;
        while (row < map::kChannelCount &&
               !(shown_.rows[std::size_t(row)] == table.rows[std::size_t(row)])) {
            shown_.rows[std::size_t(row)] = table.rows[std::size_t(row)];
            ++row;
        }
        emit dataChanged(index(first, 0), index(row - 1, kChannelColumns - 1));
    }
}

void CChannelModel::ParseIntoImage() { doc_.Document().Parse(); }

void CChannelModel::CommitEdit(const QModelIndex& index, const QString& text) {
    const int channel = ChannelOf(index), column = ColumnOf(index);
    CDocument& doc = doc_.Document();
    const CDocumentContent before = doc.Content();
    CommitCellEdit(doc.Table().Row(channel), channel, column, text.toStdString(), doc.Limits(),
                   doc.Image());
    doc_.RecordStep(before, QStringLiteral("%1 %2").arg(
                                QString::fromStdString(GridLabel(channel)),
                                CoreText(ChannelColumnTitles()[std::size_t(column - 1)])));
    ShowTable();
}

} // namespace tarsel::ui
