#include "ui/editors/channeloptionlists.h"

#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/coretext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>

namespace tarsel::ui {

QGridLayout* AddChannelOptionLists(QGroupBox* box,
                                   std::array<QComboBox*, kChannelOptionCount>& lists) {
    auto* grid = new QGridLayout(box);
    const auto& options = ChannelOptions();
    for (std::size_t i = 0; i < options.size(); ++i) {
        const QString caption = CoreText(options[i].caption);
        lists[i] =
            MakeChoiceList(QString::number(options[i].controlId), Entries(options[i].entries), box);
        const int row = static_cast<int>(i % 3), column = static_cast<int>(i / 3) * 2;
        AddCaptionedRow(grid, caption, lists[i], nullptr, {row, column});
    }
    return grid;
}

} // namespace tarsel::ui
