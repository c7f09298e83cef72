// The import preview: what it shows, how the three choices change it, and that only 导入 changes
// the document.
#include "ui/uitestsupport.h"

#include "core/image/channeltable.h"
#include "ui/interchange/csvimportdialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

using namespace tarsel;

namespace {

const char* const kList = "Location,Name,Frequency,Duplex,Offset\n"
                          "1,HOME,145.5,,\n"
                          "2,RPT,145.775,-,0.6\n"
                          "3,BAD,145.5,off,\n"
                          "4,LONGNAME,439.0125,,\n";

QString Row(const CMemoryImage& image, int channel, int column) {
    CBandLimits limits;
    return QString::fromStdString(ChannelRowTexts(image, limits, channel)[column]);
}

} // namespace

class CsvImportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsWhatItFoundAndRefusesWhileRowsAreBad() {
        CMemoryImage image = BuildDefaultImage();
        CBandLimits limits;
        const CMemoryImage before = image;
        ui::CCsvImportDialog dialog(kList, image, limits);
        QVERIFY(test::ShowActive(dialog));
        QCOMPARE(dialog.Messages()->count(), 2);
        QVERIFY(dialog.Messages()->item(0)->text().contains(QStringLiteral("line 4: Duplex:")));
        QVERIFY(dialog.Messages()->item(0)->text().startsWith(QStringLiteral("错误")));
        QVERIFY(dialog.Messages()->item(1)->text().contains(QStringLiteral("line 5: Name:")));
        QVERIFY(dialog.Summary()->text().contains(QStringLiteral("3")));
        QVERIFY(!dialog.ImportButton()->isEnabled());
        dialog.SkipBadBox()->click();
        QVERIFY(dialog.ImportButton()->isEnabled());
        dialog.reject();
        QVERIFY(!dialog.Changed());
        QVERIFY(image == before);
    }

    void importAppliesWithTheChoices() {
        CMemoryImage image = BuildDefaultImage();
        CBandLimits limits;
        CChannelTable table;
        FillChannelTable(image, limits, table);
        CommitCellEdit(table.Row(9), 9, kColumnRx, "146.0", limits, image);
        ParseChannelTable(table, limits, 1, image);

        ui::CCsvImportDialog dialog(kList, image, limits);
        QVERIFY(test::ShowActive(dialog));
        dialog.SkipBadBox()->click();
        dialog.ClearBox()->click();
        QVERIFY(!dialog.FirstChannel()->isEnabled());
        dialog.FirstBox()->click();
        QVERIFY(dialog.FirstChannel()->isEnabled());
        dialog.FirstChannel()->setValue(255);
        // From 255 only two of the three good rows fit: the third becomes an error.
        QCOMPARE(dialog.Messages()->count(), 2);
        QVERIFY(dialog.Messages()->item(1)->text().contains(QStringLiteral("line 5: Location:")));
        dialog.FirstChannel()->setValue(100);
        QCOMPARE(dialog.Messages()->count(), 2);
        QTest::mouseClick(dialog.ImportButton(), Qt::LeftButton);
        QVERIFY(dialog.Changed());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Row(image, 100, kColumnName), QStringLiteral("HOME"));
        QCOMPARE(Row(image, 101, kColumnTx), QStringLiteral("145.17500"));
        QCOMPARE(Row(image, 102, kColumnRx), QStringLiteral("439.01250"));
        QCOMPARE(Row(image, 102, kColumnName), QStringLiteral("LONGNAM"));
        QCOMPARE(Row(image, 9, kColumnRx), QString()); // 清空原有信道
        QCOMPARE(Row(image, 1, kColumnRx), QString());
    }

    void aFileThatIsNoListOffersNothing() {
        CMemoryImage image = BuildDefaultImage();
        CBandLimits limits;
        ui::CCsvImportDialog dialog("just,some\ntext\n", image, limits);
        dialog.SkipBadBox()->click();
        QVERIFY(!dialog.ImportButton()->isEnabled());
        QCOMPARE(dialog.Messages()->count(), 2);
    }
};

QTEST_MAIN(CsvImportDialogTest)
#include "csvimportdialog_test.moc"
