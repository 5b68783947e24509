#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;
struct ComparisonRequest;

// Where the camera differs from a settings file: one row per parameter line of the file, the
// differing rows first and marked. "Load Differences" accepts, "Close" sends nothing.
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    explicit CompareDialog(const ComparisonRequest& request, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    QPushButton* LoadButton() const { return load_; }
    QPushButton* CloseButton() const { return close_; }

private:
    QTableWidget* table_;
    QPushButton* load_;
    QPushButton* close_;
};
