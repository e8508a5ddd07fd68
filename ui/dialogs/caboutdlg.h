#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

// The About box: the application icon, the about text of the language (language 0 Russian,
// any other value English) and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(int32_t language, QWidget* parent = nullptr);
};
