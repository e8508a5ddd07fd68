#include "markersdlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <set>

#include "labeltext.h"
#include "numbertext.h"

namespace {

// The texts of the dialog, English and Russian.
struct MarkersDlgWords {
    const char* title;
    const char* marker;
    const char* frequency;
    const char* deltaRef;
    const char* none;
    const char* add;
    const char* remove;
    const char* searches;
    const char* maximum;
    const char* minimum;
    const char* bandwidth;
    const char* level;
    const char* cancel;
};

const MarkersDlgWords englishWords { "Markers", "Marker", "Frequency, %1", "Delta reference:", "none", "Add",
    "Delete", "Search the marked trace:", "Maximum", "Minimum", "Bandwidth", "Level below the maximum:",
    "Cancel" };
const MarkersDlgWords russianWords { "Маркеры", "Маркер", "Частота, %1", "Опорный маркер:", "нет", "Добавить",
    "Удалить", "Поиск на отмеченной кривой:", "Максимум", "Минимум", "Полоса", "Уровень ниже максимума:",
    "Отмена" };

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

MarkersDlg::MarkersDlg(const MarkerSet& markers, double multiplier, const QString& unitName, double drop,
    Searcher searcher, Language language, QWidget* parent)
    : QDialog(parent)
    , edited(markers)
    , unitMultiplier(multiplier)
    , runSearch(std::move(searcher))
{
    const MarkersDlgWords& words = language == Language::russian ? russianWords : englishWords;
    setWindowTitle(text(words.title));
    auto* layout = new QVBoxLayout(this);

    table = new QTableWidget(0, 2, this);
    table->setObjectName(QStringLiteral("markerTable"));
    table->setHorizontalHeaderLabels({ text(words.marker), text(words.frequency).arg(unitName) });
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(table);

    auto* deltaRow = new QHBoxLayout;
    deltaRow->addWidget(new QLabel(text(words.deltaRef), this));
    deltaBox = new QComboBox(this);
    deltaBox->setObjectName(QStringLiteral("deltaRefBox"));
    deltaRow->addWidget(deltaBox, 1);
    layout->addLayout(deltaRow);

    auto* addRow = new QHBoxLayout;
    frequencyEdit = new QLineEdit(this);
    frequencyEdit->setObjectName(QStringLiteral("frequencyEdit"));
    frequencyEdit->setPlaceholderText(text(words.frequency).arg(unitName));
    addRow->addWidget(frequencyEdit, 1);
    auto* addButton = new QPushButton(text(words.add), this);
    addButton->setObjectName(QStringLiteral("addButton"));
    addRow->addWidget(addButton);
    auto* deleteButton = new QPushButton(text(words.remove), this);
    deleteButton->setObjectName(QStringLiteral("deleteButton"));
    addRow->addWidget(deleteButton);
    layout->addLayout(addRow);

    layout->addWidget(new QLabel(text(words.searches), this));
    auto* searchRow = new QGridLayout;
    const struct {
        const char* name;
        const char* label;
        SearchKind kind;
    } searches[] = { { "maximumButton", words.maximum, SearchKind::maximum },
        { "minimumButton", words.minimum, SearchKind::minimum },
        { "bandwidthButton", words.bandwidth, SearchKind::bandwidth } };
    int column = 0;
    for (const auto& entry : searches) {
        auto* button = new QPushButton(text(entry.label), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setAutoDefault(false);
        const SearchKind kind = entry.kind;
        connect(button, &QPushButton::clicked, this, [this, kind] { search(kind); });
        searchRow->addWidget(button, 0, column++);
    }
    searchRow->addWidget(new QLabel(text(words.level), this), 1, 0, 1, 2);
    dropBox = new QDoubleSpinBox(this);
    dropBox->setObjectName(QStringLiteral("dropBox"));
    dropBox->setRange(0.01, 1000);
    dropBox->setDecimals(2);
    dropBox->setValue(drop);
    searchRow->addWidget(dropBox, 1, 2);
    layout->addLayout(searchRow);
    resultLabel = new QLabel(this);
    resultLabel->setObjectName(QStringLiteral("resultLabel"));
    resultLabel->setWordWrap(true);
    layout->addWidget(resultLabel);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(text(words.cancel));
    layout->addWidget(buttons);
    deltaBox->addItem(text(words.none), 0);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(addButton, &QPushButton::clicked, this, &MarkersDlg::addTyped);
    connect(frequencyEdit, &QLineEdit::returnPressed, this, &MarkersDlg::addTyped);
    connect(deleteButton, &QPushButton::clicked, this, &MarkersDlg::deleteSelected);
    // Queued: the table is refilled after an edit, which it must not see while it commits one.
    connect(table, &QTableWidget::cellChanged, this, &MarkersDlg::onFrequencyEdited, Qt::QueuedConnection);
    connect(deltaBox, &QComboBox::activated, this,
        [this](int index) { edited.setDeltaRef(deltaBox->itemData(index).toInt()); });
    for (QPushButton* button : { addButton, deleteButton })
        button->setAutoDefault(false);
    fillTable();
    resize(sizeHint().width() * 5 / 4, sizeHint().height());
}

double MarkersDlg::bandwidthDrop() const
{
    return dropBox->value();
}

QString MarkersDlg::searchText() const
{
    return resultLabel->text();
}

void MarkersDlg::fillTable()
{
    // The table changes its own cells here; only the user's edits are reported.
    const QSignalBlocker quiet(table);
    const std::vector<int32_t> numbers = edited.numbers();
    table->setRowCount(static_cast<int>(numbers.size()));
    while (deltaBox->count() > 1)
        deltaBox->removeItem(1);
    for (size_t r = 0; r < numbers.size(); ++r) {
        const int32_t n = numbers[r];
        const QString name = QStringLiteral("M%1").arg(n);
        auto* nameItem = new QTableWidgetItem(name);
        nameItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        nameItem->setData(Qt::UserRole, n);
        table->setItem(static_cast<int>(r), 0, nameItem);
        table->setItem(static_cast<int>(r), 1,
            new QTableWidgetItem(QString::fromStdString(formatNumber("%.10lg", edited.frequency(n) / unitMultiplier))));
        deltaBox->addItem(name, n);
    }
    deltaBox->setCurrentIndex(std::max(deltaBox->findData(edited.deltaRef()), 0));
}

std::optional<double> MarkersDlg::typedHertz(const QString& typed) const
{
    const std::optional<double> value = scanExactDouble(typed.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toStdString());
    if (!value)
        return std::nullopt;
    return *value * unitMultiplier;
}

void MarkersDlg::addTyped()
{
    const std::optional<double> hertz = typedHertz(frequencyEdit->text());
    if (!hertz || edited.add(*hertz) == 0)
        return;
    frequencyEdit->clear();
    fillTable();
}

void MarkersDlg::deleteSelected()
{
    std::set<int> rows;
    for (const QTableWidgetItem* item : table->selectedItems())
        rows.insert(item->row());
    for (const int r : rows)
        edited.remove(table->item(r, 0)->data(Qt::UserRole).toInt());
    fillTable();
}

void MarkersDlg::onFrequencyEdited(int row, int column)
{
    if (column != 1 || table->item(row, 0) == nullptr)
        return;
    const int32_t n = table->item(row, 0)->data(Qt::UserRole).toInt();
    if (const std::optional<double> hertz = typedHertz(table->item(row, 1)->text()))
        edited.move(n, *hertz);
    // A text that is no frequency goes back to the marker's.
    fillTable();
}

void MarkersDlg::search(SearchKind kind)
{
    if (!runSearch)
        return;
    resultLabel->setText(runSearch(kind, dropBox->value(), edited));
    fillTable();
}
