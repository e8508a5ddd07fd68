#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

#include "markersdlg.h"

// The marker dialog: typed frequencies in the view's unit, edits in place, Delete and the delta
// reference, all on a copy of the markers.
class MarkersDlgTest : public QObject {
    Q_OBJECT
private slots:
    void typedFrequenciesAreInTheViewsUnit_data();
    void typedFrequenciesAreInTheViewsUnit();
    void editDeleteAndDeltaReference();
};

namespace {

template <typename Widget>
Widget* part(const MarkersDlg& dialog, const char* name)
{
    return dialog.findChild<Widget*>(QLatin1String(name));
}

void addTyped(MarkersDlg& dialog, const QString& typed)
{
    QLineEdit* edit = part<QLineEdit>(dialog, "frequencyEdit");
    edit->setText(typed);
    QTest::mouseClick(part<QPushButton>(dialog, "addButton"), Qt::LeftButton);
}

} // namespace

void MarkersDlgTest::typedFrequenciesAreInTheViewsUnit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("multiplier");
    QTest::addColumn<double>("hertz"); // NaN: no marker
    QTest::newRow("MHz") << "2400" << 1e6 << 2.4e9;
    QTest::newRow("decimal comma") << "2,5" << 1e9 << 2.5e9;
    QTest::newRow("exponent and blanks") << " 1e3 " << 1e3 << 1e6;
    QTest::newRow("a word") << "abc" << 1e6 << std::nan("");
    QTest::newRow("negative") << "-1" << 1e6 << std::nan("");
    QTest::newRow("trailing text") << "2400 MHz" << 1e6 << std::nan("");
}

void MarkersDlgTest::typedFrequenciesAreInTheViewsUnit()
{
    QFETCH(QString, typed);
    QFETCH(double, multiplier);
    QFETCH(double, hertz);
    MarkersDlg dialog(MarkerSet(), multiplier, QStringLiteral("unit"), 3, {}, Language::english);
    addTyped(dialog, typed);
    if (std::isnan(hertz)) {
        QVERIFY(dialog.markers().empty());
        QCOMPARE(part<QTableWidget>(dialog, "markerTable")->rowCount(), 0);
        return;
    }
    QCOMPARE(dialog.markers().frequency(1), hertz);
    QCOMPARE(part<QTableWidget>(dialog, "markerTable")->item(0, 0)->text(), QStringLiteral("M1"));
    QCOMPARE(part<QLineEdit>(dialog, "frequencyEdit")->text(), QString());
}

void MarkersDlgTest::editDeleteAndDeltaReference()
{
    MarkerSet markers;
    markers.add(1e9);
    markers.add(2e9);
    markers.add(3e9);
    MarkersDlg dialog(markers, 1e6, QStringLiteral("MHz"), 3, {}, Language::english);
    QTableWidget* table = part<QTableWidget>(dialog, "markerTable");
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("2000"));

    table->item(1, 1)->setText(QStringLiteral("2450,5"));
    QTRY_COMPARE(dialog.markers().frequency(2), 2450.5e6);
    table->item(2, 1)->setText(QStringLiteral("no frequency"));
    QTRY_COMPARE(table->item(2, 1)->text(), QStringLiteral("3000"));
    QCOMPARE(dialog.markers().frequency(3), 3e9);

    QComboBox* delta = part<QComboBox>(dialog, "deltaRefBox");
    QCOMPARE(delta->count(), 4); // none, M1, M2, M3
    delta->setCurrentIndex(1);
    emit delta->activated(1);
    QCOMPARE(dialog.markers().deltaRef(), 1);

    table->selectRow(0);
    QTest::mouseClick(part<QPushButton>(dialog, "deleteButton"), Qt::LeftButton);
    QCOMPARE(dialog.markers().numbers(), (std::vector<int32_t> { 2, 3 }));
    QCOMPARE(dialog.markers().deltaRef(), 0);
    QCOMPARE(delta->currentIndex(), 0);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(markers.numbers().size(), size_t(3)); // the caller's set is untouched
}

QTEST_MAIN(MarkersDlgTest)
#include "markersdlg_test.moc"
