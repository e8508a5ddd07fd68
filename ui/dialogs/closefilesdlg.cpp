#include "closefilesdlg.h"

#include <QListWidget>
#include <QPalette>
#include <QPushButton>

#include "templategeometry.h"

CloseFilesDlg::CloseFilesDlg(
    const std::vector<std::string>& displayNames, int32_t preselected, Language language, QWidget* parent)
    : QDialog(parent)
{
    buildControls();
    setTexts(language);

    for (const std::string& name : displayNames)
        closeList->addItem(QString::fromStdString(name));
    if (preselected >= 0 && preselected < closeList->count()) {
        preselectedRow = preselected;
        closeList->setCurrentRow(preselected, QItemSelectionModel::ClearAndSelect);
        scrollToPreselected();
    }
}

std::vector<int32_t> CloseFilesDlg::selectedIndices() const
{
    std::vector<int32_t> indices;
    for (int row = 0; row < closeList->count(); ++row) {
        if (closeList->item(row)->isSelected())
            indices.push_back(row);
    }
    return indices;
}

void CloseFilesDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only the shown list knows its final viewport, so the scroll is repeated here.
    scrollToPreselected();
}

void CloseFilesDlg::buildControls()
{
    const TemplateGeometry units(fontMetrics());
    setFixedSize(units.size(282, 174));

    closeList = new QListWidget(this);
    closeList->setObjectName(QStringLiteral("closeList"));
    closeList->setGeometry(units.rect(4, 4, 272, 144));
    // Names run down in columns and the list scrolls sideways, as a list-mode list view does.
    closeList->setViewMode(QListView::ListMode);
    closeList->setFlow(QListView::TopToBottom);
    closeList->setWrapping(true);
    closeList->setResizeMode(QListView::Adjust);
    // Keeps neighbouring columns' names apart.
    closeList->setSpacing(2);
    closeList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The selection keeps its colours while the focus is on a button.
    QPalette palette = closeList->palette();
    palette.setColor(
        QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
        palette.color(QPalette::Active, QPalette::HighlightedText));
    closeList->setPalette(palette);

    closeButton = new QPushButton(this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setGeometry(units.rect(172, 156, 50, 14));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    cancelButton = new QPushButton(this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(units.rect(226, 156, 50, 14));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    closeList->setFocus();
}

void CloseFilesDlg::setTexts(Language language)
{
    const bool russian = language == Language::russian;
    setWindowTitle(russian ? QString::fromUtf8("Закрыть файлы") : QStringLiteral("Close files"));
    closeButton->setText(russian ? QString::fromUtf8("Закрыть") : QStringLiteral("Close"));
    cancelButton->setText(russian ? QString::fromUtf8("Отмена") : QStringLiteral("Cancel"));
}

void CloseFilesDlg::scrollToPreselected()
{
    if (preselectedRow >= 0 && preselectedRow < closeList->count())
        closeList->scrollToItem(closeList->item(preselectedRow));
}
