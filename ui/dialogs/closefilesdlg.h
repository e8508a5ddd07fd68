#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

#include "language.h"

class QListWidget;
class QPushButton;

// The close-files dialog: lists the loaded measurements by display name for the user to pick
// the ones to close. Close ends it with Accepted, also with nothing selected; Cancel and
// Escape with Rejected. The caller closes the selected measurements (closeMeasurements).
class CloseFilesDlg : public QDialog {
    Q_OBJECT
public:
    // displayNames in list order (UTF-8); preselected is the measurement to select and scroll
    // into view, -1 for none (indices outside the list are ignored).
    CloseFilesDlg(const std::vector<std::string>& displayNames, int32_t preselected, Language language,
        QWidget* parent = nullptr);

    // The selected measurements' indices, from the top of the list.
    std::vector<int32_t> selectedIndices() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void setTexts(Language language);
    void scrollToPreselected();

    QListWidget* closeList = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* cancelButton = nullptr;
    int32_t preselectedRow = -1;
};
