#pragma once

#include <QFrame>

#include "dialogs/StatusDialog.h"
#include "files/LutChannel.h"

class QLabel;
class QSpinBox;

// The graph of one LUT channel: the grid, the edit points in Edit Mode and the table's curve,
// in a 256 x 256 area inside a sunken edge. Mouse moves with a button held go to the channel.
// In Edit Mode the keyboard edits too: Tab and Shift+Tab choose an edit point (and leave the
// graph past the last or first one), Home and End the first and last; the arrows move the
// chosen point by one pixel, with Shift by ten, Page Up and Page Down by ten up or down.
class LutGraph : public QFrame {
    Q_OBJECT
public:
    static constexpr int kEdge = 2;
    LutGraph(LutChannel& channel, QWidget* parent);

    // Where graph pixel (0, 0) sits in this widget.
    QPoint GraphOrigin() const { return QPoint(kEdge, kEdge); }
    // The edit point the keyboard moves.
    int ChosenPoint() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool Editing() const { return channel_.GetMode() == LutChannel::kEditMode; }
    void Choose(int point);

    LutChannel& channel_;
    int chosen_ = 0;
};

// The LUT editor window of one colour channel (0 red, 1 green, 2 blue). It shows the channel
// and hands the operator's buttons and mouse moves to it and to the table flows. Closing it
// only hides it; the tables stay.
class LutEditor : public StatusDialog, public LutChannelView {
    Q_OBJECT
public:
    LutEditor(ProcessContext& context, int colorIndex, QWidget* parent);
    ~LutEditor() override;

    // The three editors of the main window, made hidden on first use and destroyed with it.
    static void CreateLutEditors(ProcessContext& context, QWidget* mainWindow);
    // Shows (or hides) the editors the connected camera uses: channel 1 alone, titled for
    // monochrome, for a supported model; all three otherwise.
    static void ShowLutEditors(ProcessContext& context, QWidget* mainWindow, bool show);

    int ColorIndex() const { return colorIndex_; }
    LutGraph* Graph() const { return graph_; }

    // LutChannelView
    void Invalidate() override;
    void DrawNow() override;
    void ActivateWindow() override;
    OperatorWindow* Window() override { return this; }

private:
    void ShowMode();

    int colorIndex_;
    LutChannel& channel_;
    LutGraph* graph_;
    QLabel* modeText_;
    QSpinBox* pointCount_;
    bool placed_ = false;
};
