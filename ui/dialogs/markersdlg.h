#pragma once

#include <QDialog>

#include <functional>
#include <optional>

#include "language.h"
#include "markersearch.h"
#include "markerset.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// View > Markers: the markers set, one row each with its frequency in the view's unit (typed
// anew in place) and the delta reference chosen below them; a frequency typed and Add, Delete
// for the rows selected; and the searches on the marked trace (maximum, minimum, the bandwidth
// at a level below the maximum) that place markers and show what they found. Everything works
// on a copy; OK ends it with Accepted, Cancel and Escape with Rejected.
class MarkersDlg : public QDialog {
    Q_OBJECT
public:
    // Runs a search of the kind on the marked trace at the level, places its markers in the
    // set and returns the outcome's text.
    using Searcher = std::function<QString(SearchKind kind, double drop, MarkerSet& markers)>;

    // multiplier: hertz per displayed unit, whose name unitName is.
    MarkersDlg(const MarkerSet& markers, double multiplier, const QString& unitName, double drop,
        Searcher searcher, Language language, QWidget* parent = nullptr);

    const MarkerSet& markers() const { return edited; }
    double bandwidthDrop() const;
    // The text of the last search; empty before one.
    QString searchText() const;

private:
    void fillTable();
    void addTyped();
    void deleteSelected();
    void onFrequencyEdited(int row, int column);
    void search(SearchKind kind);
    // A frequency typed in the view's unit, with a decimal point or comma, in hertz.
    std::optional<double> typedHertz(const QString& text) const;

    MarkerSet edited;
    double unitMultiplier;
    Searcher runSearch;
    QTableWidget* table = nullptr;
    QComboBox* deltaBox = nullptr;
    QLineEdit* frequencyEdit = nullptr;
    QDoubleSpinBox* dropBox = nullptr;
    QLabel* resultLabel = nullptr;
};
