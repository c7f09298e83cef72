#include "core/interchange/channelcsv.h"

#include "core/image/channeltable.h"
#include "core/image/finalise.h"
#include "core/image/frequency.h"

namespace tarsel {

bool ApplyChannelCsv(const CCsvImport& found, const CCsvImportOptions& options, CMemoryImage& image,
                     CBandLimits& limits) {
    if (!found.Applicable(options)) return false;
    // All on a copy: the document sees the whole list or nothing.
    CMemoryImage work = image;
    CBandLimits workLimits = limits;
    CChannelTable table;
    FillChannelTable(work, workLimits, table);
    if (options.clear)
        for (int channel = 1; channel <= kCsvLastChannel; ++channel) table.Row(channel) = {};
    for (const CCsvChannel& entry : found.channels) {
        const int channel = entry.channel;
        CChannelRow& row = table.Row(channel);
        // As if typed into the grid: a row that was empty starts from the default record, a
        // row that existed keeps every byte the list does not speak of.
        CommitFrequencyEdit(row, channel, kColumnRx, FrequencyText(entry.rx), workLimits, work);
        CommitFrequencyEdit(row, channel, kColumnTx, FrequencyText(entry.tx), workLimits, work);
        CommitToneEdit(row, kColumnRxTone, entry.rxTone);
        CommitToneEdit(row, kColumnTxTone, entry.txTone);
        const auto choice = [](int column, bool first) {
            return ChoiceEntries(column)[first ? 1 : 0];
        };
        CommitChoiceEdit(row, kColumnPower, choice(kColumnPower, entry.highPower));
        CommitChoiceEdit(row, kColumnScan, choice(kColumnScan, entry.scan));
        CommitChoiceEdit(row, kColumnBandwidth, choice(kColumnBandwidth, entry.wide));
        CommitChoiceEdit(row, kColumnBusyLock, std::string(row[kColumnBusyLock]));
        CommitNameEdit(row, channel, entry.name, work);
    }
    ParseChannelTable(table, workLimits, kProgramVariant, work);
    image = work;
    limits = workLimits;
    return true;
}

} // namespace tarsel
