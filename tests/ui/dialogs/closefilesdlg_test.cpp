#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <string>
#include <vector>

#include "chartstate.h"
#include "closefilesdlg.h"
#include "closemeasurements.h"

namespace {

std::vector<std::string> manyNames(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("measurement_" + std::to_string(i) + ".s2p");
    return names;
}

const std::vector<std::string> fourNames = { "A.s2p", "B.s2p", "плата C.s2p", "D.s2p" };

QListWidget* listOf(const CloseFilesDlg& dlg)
{
    return dlg.findChild<QListWidget*>(QStringLiteral("closeList"));
}

QPushButton* buttonOf(const CloseFilesDlg& dlg, const char* name)
{
    return dlg.findChild<QPushButton*>(QLatin1String(name));
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

} // namespace

class CloseFilesDlgTest : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void listsTheNamesForMultipleSelection();
    void preselectionSelectsAndShows();
    void preselectionOutsideTheListIsIgnored_data();
    void preselectionOutsideTheListIsIgnored();
    void closeAcceptsWithTheClickedRows();
    void closeWithNothingSelectedStillAccepts();
    void cancelAndEscapeReject();
    void enterPressesClose();
    void runsModallyAndClosesTheChosenMeasurements();
    void buttonsHoldTheirTexts_data();
    void buttonsHoldTheirTexts();
};

void CloseFilesDlgTest::texts_data()
{
    QTest::addColumn<int32_t>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("close");
    QTest::addColumn<QString>("cancel");

    QTest::newRow("Russian") << 0 << QString::fromUtf8("Закрыть файлы") << QString::fromUtf8("Закрыть")
                             << QString::fromUtf8("Отмена");
    QTest::newRow("English") << 1 << "Close files"
                             << "Close"
                             << "Cancel";
    QTest::newRow("other values are English") << 3 << "Close files"
                                              << "Close"
                                              << "Cancel";
}

void CloseFilesDlgTest::texts()
{
    QFETCH(int32_t, language);
    QFETCH(QString, title);
    QFETCH(QString, close);
    QFETCH(QString, cancel);

    const CloseFilesDlg dlg(fourNames, -1, languageOf(language));
    QCOMPARE(dlg.windowTitle(), title);
    QCOMPARE(buttonOf(dlg, "closeButton")->text(), close);
    QCOMPARE(buttonOf(dlg, "cancelButton")->text(), cancel);
    QVERIFY(buttonOf(dlg, "closeButton")->isDefault());
    QVERIFY(!buttonOf(dlg, "cancelButton")->isDefault());
}

void CloseFilesDlgTest::listsTheNamesForMultipleSelection()
{
    const CloseFilesDlg dlg(fourNames, -1, Language::english);
    QListWidget* list = listOf(dlg);
    QVERIFY(list != nullptr);
    QCOMPARE(list->count(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(list->item(i)->text(), QString::fromStdString(fourNames[static_cast<size_t>(i)]));
    QCOMPARE(list->viewMode(), QListView::ListMode);
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(dlg.selectedIndices().empty());
    // The selection is drawn alike whether or not the list has the focus.
    QCOMPARE(list->palette().color(QPalette::Inactive, QPalette::Highlight),
        list->palette().color(QPalette::Active, QPalette::Highlight));
}

void CloseFilesDlgTest::preselectionSelectsAndShows()
{
    // As from the "[X]" link of a group far down a long list.
    CloseFilesDlg dlg(manyNames(300), 287, Language::russian);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = listOf(dlg);
    QCOMPARE(dlg.selectedIndices(), std::vector<int32_t> { 287 });
    QVERIFY(list->item(287)->isSelected());
    QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(287))));
    QVERIFY(!list->viewport()->rect().intersects(list->visualItemRect(list->item(0))));
}

void CloseFilesDlgTest::preselectionOutsideTheListIsIgnored_data()
{
    QTest::addColumn<int32_t>("preselected");
    QTest::newRow("none") << -1;
    QTest::newRow("negative") << -7;
    QTest::newRow("one past the end") << 4;
    QTest::newRow("far past the end") << 100000;
}

void CloseFilesDlgTest::preselectionOutsideTheListIsIgnored()
{
    QFETCH(int32_t, preselected);
    CloseFilesDlg dlg(fourNames, preselected, Language::english);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.selectedIndices().empty());
}

void CloseFilesDlgTest::closeAcceptsWithTheClickedRows()
{
    CloseFilesDlg dlg(fourNames, -1, Language::english);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = listOf(dlg);
    clickRow(list, 3, Qt::NoModifier);
    clickRow(list, 1, Qt::ControlModifier);
    QTest::mouseClick(buttonOf(dlg, "closeButton"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.selectedIndices(), (std::vector<int32_t> { 1, 3 }));
}

void CloseFilesDlgTest::closeWithNothingSelectedStillAccepts()
{
    CloseFilesDlg dlg(fourNames, -1, Language::russian);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(buttonOf(dlg, "closeButton"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.selectedIndices().empty());
}

void CloseFilesDlgTest::cancelAndEscapeReject()
{
    CloseFilesDlg clicked(fourNames, 2, Language::english);
    clicked.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clicked));
    QTest::mouseClick(buttonOf(clicked, "cancelButton"), Qt::LeftButton);
    QCOMPARE(clicked.result(), int(QDialog::Rejected));
    QVERIFY(!clicked.isVisible());

    CloseFilesDlg escaped(fourNames, 2, Language::english);
    escaped.setResult(QDialog::Accepted);
    escaped.show();
    QVERIFY(QTest::qWaitForWindowExposed(&escaped));
    QTest::keyClick(listOf(escaped), Qt::Key_Escape);
    QCOMPARE(escaped.result(), int(QDialog::Rejected));
    QVERIFY(!escaped.isVisible());
}

void CloseFilesDlgTest::enterPressesClose()
{
    CloseFilesDlg dlg(fourNames, 0, Language::english);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(listOf(dlg), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.selectedIndices(), std::vector<int32_t> { 0 });
}

void CloseFilesDlgTest::runsModallyAndClosesTheChosenMeasurements()
{
    // A, B, C, D with reference C, opened from D's "[X]" link; the user adds A and closes.
    ChartState state;
    RubberS2P& list = state.measurements;
    for (int32_t m = 0; m < 4; ++m)
        list.measurement(m)->displayName = std::string(1, static_cast<char>('A' + m));
    std::vector<int32_t>& rowVisible = state.rowVisible;
    rowVisible.assign(2048 * 8, 1);
    rowVisible[2 * 8 + 5] = 0;
    state.referenceIndex = 2;

    CloseFilesDlg dlg(measurementNames(list), 3, Language::english);
    QTimer::singleShot(0, &dlg, [&dlg]() {
        clickRow(listOf(dlg), 0, Qt::ControlModifier);
        QTest::mouseClick(buttonOf(dlg, "closeButton"), Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    closeMeasurements(state, dlg.selectedIndices());

    QCOMPARE(measurementNames(list), (std::vector<std::string> { "B", "C" }));
    QCOMPARE(state.referenceIndex, 1);
    QCOMPARE(rowVisible[1 * 8 + 5], 0);
    QCOMPARE(rowVisible[0 * 8 + 5], 1);
}

void CloseFilesDlgTest::buttonsHoldTheirTexts_data()
{
    QTest::addColumn<int32_t>("language");
    QTest::newRow("Russian") << 0;
    QTest::newRow("English") << 1;
}

void CloseFilesDlgTest::buttonsHoldTheirTexts()
{
    QFETCH(int32_t, language);
    CloseFilesDlg dlg(fourNames, -1, languageOf(language));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect client = dlg.rect();
    const QRect list = listOf(dlg)->geometry();
    const QPushButton* close = buttonOf(dlg, "closeButton");
    const QPushButton* cancel = buttonOf(dlg, "cancelButton");
    QVERIFY(client.contains(list));
    QVERIFY(client.contains(close->geometry()));
    QVERIFY(client.contains(cancel->geometry()));
    QVERIFY(close->geometry().right() < cancel->geometry().left());
    QVERIFY(list.bottom() < close->geometry().top());
    QCOMPARE(cancel->geometry().right(), list.right());
    for (const QPushButton* button : { close, cancel })
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8);
}

QTEST_MAIN(CloseFilesDlgTest)
#include "closefilesdlg_test.moc"
