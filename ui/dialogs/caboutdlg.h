#pragma once

#include <QDialog>

#include <cstdint>

#include "language.h"

class QLabel;
class QPushButton;

// The About box: the application icon, the about text of the language and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(Language language, QWidget* parent = nullptr);
};
