#pragma once

#include <QDialog>
#include <memory>

#include "presenters/CommunicationLogic.h"
#include "presenters/CommunicationView.h"
#include "widgets/OnlineStatusUpdater.h"

class LogView;
class MainView;
class ProcessContext;
class SharedWindowRegistration;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

// The operator's panel for the camera link: whether the camera answers, the link's category,
// port and (in factory mode) baud rate, the port search, the settings file buttons, the
// camera's flash areas and the message log. It shows what its logic tells it and forwards
// every action there. Closing it hides it; the message log keeps its lines.
class CommunicationDialog : public QDialog, public OnlineStatusUpdater, public CommunicationView {
    Q_OBJECT
public:
    // mainView is the main window, whose pages are read again after the link changed.
    CommunicationDialog(ProcessContext& context, MainView& mainView, QWidget* parent = nullptr);
    ~CommunicationDialog() override;

    // The dialog's start: selections from the link, the control mode applied.
    void Initialise();
    void ApplyControlMode();
    CommunicationLogic& Logic() { return logic_; }
    // The least width that shows every control whole, its groups one below the other; what the
    // screen cannot hold of their height scrolls.
    int NarrowestWidth() const;

    // The line status follows the camera.
    void OnOnlineStatus(int status) override;

    // CommunicationView
    void SelectCategory(int32_t category) override;
    void ShowPorts(const std::vector<PortItem>& ports) override;
    void SelectPort(int32_t index) override;
    void SelectBaudIndex(int32_t index) override;
    void ShowBaudRateControls(bool shown) override;
    void ShowCurrentAreaName(const std::string& name) override;
    int32_t SelectedArea() override;
    void SelectArea(int32_t area) override;
    void EnableStore(bool enable) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Flow>
    void RunFlow(Flow&& flow);
    // The groups in two columns where the width holds them, else one below the other.
    void ArrangeGroups(bool stacked);

    ProcessContext& context_;
    CommunicationLogic logic_;
    QLabel* lineIcon_ = nullptr;
    QLabel* lineText_ = nullptr;
    QComboBox* categoryList_ = nullptr;
    QComboBox* portList_ = nullptr;
    QLineEdit* portNameEdit_ = nullptr;
    QLabel* baudLabel_ = nullptr;
    QComboBox* baudList_ = nullptr;
    QLabel* areaName_ = nullptr;
    QComboBox* areaList_ = nullptr;
    QPushButton* storeButton_ = nullptr;
    LogView* log_ = nullptr;
    QScrollArea* contentArea_ = nullptr;
    QGridLayout* groups_ = nullptr;
    // Line Status, Files, Communication Port, Current Area, and the flash areas.
    QGroupBox* groupBoxes_[5] = {};
    bool stacked_ = false;
    // The least size of the contents, their groups side by side.
    QSize sideBySide_;
    QLabel* statusPicture_ = nullptr;
    bool running_ = false;
    std::unique_ptr<SharedWindowRegistration> registration_;
};
