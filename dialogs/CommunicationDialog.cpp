#include "dialogs/CommunicationDialog.h"

#include "widgets/SharedWindowRegistration.h"

#include "widgets/OneActionAtATime.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "controls/ControlCatalog.h"
#include "controls/ControlIds.h"
#include "core/ProcessContext.h"
#include "dialogs/LogView.h"
#include "operations/MessageLog.h"
#include "resources/Resources.h"
#include "widgets/AccessibleNames.h"
#include "widgets/ContentScrollArea.h"
#include "widgets/WheelNeedsFocus.h"

namespace {

// Icons 502 and 503 of the line status.
const char kOfflineIcon[] = ":/icons/line-offline.png";
const char kOnlineIcon[] = ":/icons/line-online.png";

QComboBox* MakeList(const char* id, const char* name, const char* tip, const QStringList& items,
                    QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(id);
    list->setAccessibleName(name);
    list->setToolTip(tip);
    list->addItems(items);
    return list;
}

// The link's rates by baud index: the camera's own baud-rate list names them in the same order.
QStringList BaudRateItems() {
    QStringList items;
    for (const CatalogItem& item : ControlCatalog::Find(ControlIds::kCameraBaudRate)->items) {
        items << QString::fromUtf8(item.text);
    }
    return items;
}

QGroupBox* MakeGroup(const char* title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    return group;
}

}  // namespace

CommunicationDialog::CommunicationDialog(ProcessContext& context, MainView& mainView,
                                         QWidget* parent)
    : QDialog(parent), context_(context), logic_(context, *this, mainView) {
    InitialiseResources();
    InstallAccessibleNames();  // the lists are heard by their names, not by their items
    setObjectName("CommunicationDialog");
    setWindowTitle("Communication");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    // Line Status
    QGroupBox* lineGroup = MakeGroup("Line Status", this);
    lineIcon_ = new QLabel(lineGroup);
    lineIcon_->setObjectName("lineIcon");
    lineIcon_->setPixmap(QPixmap(kOfflineIcon));
    ShowsState(lineIcon_, "Line Status", "Offline");
    lineText_ = new QLabel("Offline", lineGroup);
    lineText_->setObjectName("lineText");
    auto* lineLayout = new QHBoxLayout(lineGroup);
    lineLayout->addWidget(lineIcon_);
    lineLayout->addWidget(lineText_, 1);

    // Communication Port
    QGroupBox* portGroup = MakeGroup("Communication Port", this);
    categoryList_ = MakeList("categoryList", "Category",
                             "How the camera is connected: a serial port, or the serial line "
                             "of a Camera Link frame grabber by the version of its library",
                             {"Com Port", "Camera Link spec. 2000", "Camera Link spec. 2001",
                              "Camera Link spec. ver.1.1"},
                             portGroup);
    portList_ = MakeList("portList", "Port Name",
                         "The port the camera is on; it is opened when chosen. An adapter's "
                         "names that stay when it is plugged in again are in its item's tooltip",
                         {}, portGroup);
    portList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    baudList_ = MakeList("baudList", "Baud Rate",
                         "The rate this computer uses on the port; it must be the camera's",
                         BaudRateItems(), portGroup);
    baudLabel_ = new QLabel("Baud Rate", portGroup);
    baudLabel_->setObjectName("baudLabel");
    baudLabel_->setBuddy(baudList_);
    auto* autoButton = new QPushButton("Auto", portGroup);
    autoButton->setObjectName("autoButton");
    auto* portLayout = new QFormLayout(portGroup);
    portLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    portLayout->addRow("Category", categoryList_);
    portLayout->addRow("Port Name", portList_);
    // A port the list does not hold: a device path, a by-id name, a serial device server.
    portNameEdit_ = new QLineEdit(portGroup);
    portNameEdit_->setObjectName("portNameEdit");
    portNameEdit_->setPlaceholderText("/dev/ttyUSB0 or rfc2217://host:port");
    // Room for the hint, and for a device server's address as it is typed.
    portNameEdit_->setMinimumWidth(
        portNameEdit_->fontMetrics().horizontalAdvance(portNameEdit_->placeholderText()) + 16);
    portNameEdit_->setToolTip(
        "Open a port by its name: COM1 ... COM256, a device path or a symlink to one "
        "(/dev/serial/by-id/...), a serial device server (socket://HOST:PORT raw, "
        "rfc2217://HOST:PORT). Press Enter or Open.");
    portNameEdit_->setAccessibleName("Other Port");
    auto* openPort = new QPushButton("Open", portGroup);
    openPort->setObjectName("openPortButton");
    openPort->setAccessibleDescription("Open the port named in Other Port");
    auto* portNameRow = new QHBoxLayout;
    portNameRow->addWidget(portNameEdit_, 1);
    portNameRow->addWidget(openPort);
    auto* portNameLabel = new QLabel("Other Port", portGroup);
    portNameLabel->setBuddy(portNameEdit_);
    portLayout->addRow(portNameLabel, portNameRow);
    portLayout->addRow(baudLabel_, baudList_);
    auto* autoRow = new QHBoxLayout;
    autoRow->addStretch(1);
    autoRow->addWidget(autoButton);
    portLayout->addRow(autoRow);
    // Tab takes the rows as they read; Other Port was made after the rows below it.
    setTabOrder(portList_, portNameEdit_);
    setTabOrder(portNameEdit_, openPort);
    setTabOrder(openPort, baudList_);
    setTabOrder(baudList_, autoButton);

    // Files
    QGroupBox* filesGroup = MakeGroup("Files", this);
    auto* writeFile = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                      "Write To File...", filesGroup);
    writeFile->setObjectName("writeSettingsFile");
    auto* readFile = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                                     "Read To FIle....", filesGroup);
    readFile->setObjectName("readSettingsFile");
    auto* filesLayout = new QVBoxLayout(filesGroup);
    filesLayout->addWidget(writeFile);
    filesLayout->addWidget(readFile);

    // Current Area
    QGroupBox* currentGroup = MakeGroup("Current Area", this);
    areaName_ = new QLabel(currentGroup);
    areaName_->setObjectName("currentAreaName");
    areaName_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    ShowsValue(areaName_, "Current Area");
    // Tab reaches the area Get Area told, as it reaches the fields of the pages.
    areaName_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    areaName_->setFocusPolicy(Qt::StrongFocus);
    areaName_->setMinimumWidth(areaName_->fontMetrics().horizontalAdvance("User 3 Data") + 16);
    auto* getArea = new QPushButton("Get Area", currentGroup);
    getArea->setObjectName("getAreaButton");
    auto* currentLayout = new QHBoxLayout(currentGroup);
    currentLayout->addWidget(areaName_, 1);
    currentLayout->addWidget(getArea);

    // Factory And User Setting In Camera
    QGroupBox* areaGroup = MakeGroup("Factory And User Setting In Camera", this);
    areaList_ = MakeList("areaList", "Flash memory area",
                         "The area of the camera's flash memory that Store writes the settings "
                         "to and Load reads them from",
                         {"Factory Data", "User 1 Data", "User 2 Data", "User 3 Data"}, areaGroup);
    storeButton_ = new QPushButton("Store", areaGroup);
    storeButton_->setObjectName("storeButton");
    auto* loadButton = new QPushButton("Load", areaGroup);
    loadButton->setObjectName("loadButton");
    auto* areaLayout = new QHBoxLayout(areaGroup);
    areaLayout->addWidget(areaList_, 1);
    areaLayout->addWidget(storeButton_);
    areaLayout->addWidget(loadButton);

    // ControlTool Message
    QGroupBox* messageGroup = MakeGroup("ControlTool Message", this);
    log_ = new LogView(context_.Get<MessageLog>().Lines(), LogOrder::OldestFirst, messageGroup);
    log_->setObjectName("messageLog");
    log_->setAccessibleName("ControlTool Message");
    log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // A few lines in sight however narrow and short the dialog: the rest scrolls.
    log_->setMinimumHeight(log_->fontMetrics().lineSpacing() * 6);
    auto* saveLog = new QPushButton("Write To File", messageGroup);
    saveLog->setObjectName("saveLogButton");
    auto* clearLog = new QPushButton("Clear", messageGroup);
    clearLog->setObjectName("clearLogButton");
    auto* messageButtons = new QHBoxLayout;
    messageButtons->addStretch(1);
    messageButtons->addWidget(saveLog);
    messageButtons->addWidget(clearLog);
    auto* messageLayout = new QVBoxLayout(messageGroup);
    messageLayout->addWidget(log_, 1);
    messageLayout->addLayout(messageButtons);

    statusPicture_ = new QLabel(this);
    statusPicture_->setObjectName("statusPicture");
    SetStatusPicture(statusPicture_);

    auto* contents = new QWidget(this);
    groups_ = new QGridLayout;
    groupBoxes_[0] = lineGroup;
    groupBoxes_[1] = filesGroup;
    groupBoxes_[2] = portGroup;
    groupBoxes_[3] = currentGroup;
    groupBoxes_[4] = areaGroup;
    ArrangeGroups(false);
    auto* groups = new QVBoxLayout(contents);
    groups->setContentsMargins(0, 0, 0, 0);
    groups->addLayout(groups_);
    groups->addWidget(messageGroup, 1);
    auto* layout = new QVBoxLayout(this);
    // What a small screen cannot hold scrolls; the status strip stays in sight.
    contentArea_ = new ContentScrollArea(contents, this);
    layout->addWidget(contentArea_, 1);
    layout->addWidget(statusPicture_);
    // Narrow (docked beside the pages), the groups go one below the other.
    contentArea_->installEventFilter(this);

    // Enter presses no button: "Auto" would search all sixteen ports.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // Rolling the wheel over a list the operator has not clicked into changes no link.
    auto* wheelNeedsFocus = new WheelNeedsFocus(this);
    for (QComboBox* list : {categoryList_, portList_, baudList_, areaList_}) {
        wheelNeedsFocus->Apply(list);
    }

    // Only the operator's choices act: activated is not emitted for selections made here.
    connect(categoryList_, &QComboBox::activated, this,
            [this](int index) { RunFlow([this, index] { logic_.OnCategoryChosen(index); }); });
    connect(portList_, &QComboBox::activated, this,
            [this](int index) { RunFlow([this, index] { logic_.OnPortChosen(index); }); });
    const auto openNamedPort = [this] {
        const std::string text = portNameEdit_->text().trimmed().toStdString();
        if (!text.empty()) {
            RunFlow([this, text] { logic_.OnPortNamed(text); });
        }
    };
    connect(portNameEdit_, &QLineEdit::returnPressed, this, openNamedPort);
    connect(openPort, &QPushButton::clicked, this, openNamedPort);
    connect(baudList_, &QComboBox::activated, this,
            [this](int index) { RunFlow([this, index] { logic_.OnBaudRateChosen(index); }); });
    connect(areaList_, &QComboBox::activated, this,
            [this] { RunFlow([this] { logic_.OnAreaChosen(); }); });
    const auto forward = [this](QPushButton* button, void (CommunicationLogic::*action)()) {
        connect(button, &QPushButton::clicked, this,
                [this, action] { RunFlow([this, action] { (logic_.*action)(); }); });
    };
    forward(autoButton, &CommunicationLogic::OnAuto);
    forward(writeFile, &CommunicationLogic::OnWriteSettingsFile);
    forward(readFile, &CommunicationLogic::OnReadSettingsFile);
    forward(getArea, &CommunicationLogic::OnGetArea);
    forward(storeButton_, &CommunicationLogic::OnStore);
    forward(loadButton, &CommunicationLogic::OnLoad);
    forward(saveLog, &CommunicationLogic::OnSaveLog);
    forward(clearLog, &CommunicationLogic::OnClearLog);

    registration_ = std::make_unique<SharedWindowRegistration>(context_, this, this);
}

CommunicationDialog::~CommunicationDialog() = default;

void CommunicationDialog::Initialise() {
    RunFlow([this] { logic_.Initialise(); });
    resize(sizeHint().width(), std::max(sizeHint().height(), 560));
}

void CommunicationDialog::ArrangeGroups(bool stacked) {
    stacked_ = stacked;
    for (QGroupBox* group : groupBoxes_) {
        groups_->removeWidget(group);
    }
    if (stacked) {
        // Line Status, the port, then what is done with the camera.
        const int order[] = {0, 2, 1, 3, 4};
        for (int row = 0; row < 5; ++row) {
            groups_->addWidget(groupBoxes_[order[row]], row, 0, 1, 2);
        }
        groups_->setColumnStretch(0, 1);
        return;
    }
    groups_->addWidget(groupBoxes_[0], 0, 0);
    groups_->addWidget(groupBoxes_[1], 1, 0);
    groups_->addWidget(groupBoxes_[2], 0, 1, 2, 1);
    groups_->addWidget(groupBoxes_[3], 2, 0);
    groups_->addWidget(groupBoxes_[4], 2, 1);
    groups_->setColumnStretch(0, 0);
    groups_->setColumnStretch(1, 1);
}

int CommunicationDialog::NarrowestWidth() const {
    int widest = 0;
    for (const QGroupBox* group : groupBoxes_) {
        widest = std::max(widest, group->minimumSizeHint().width());
    }
    // The dialog's margins around the groups, the scroll bar beside them.
    const QMargins margins = layout()->contentsMargins();
    return widest + margins.left() + margins.right() +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

bool CommunicationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == contentArea_ && event->type() == QEvent::Resize) {
        if (!stacked_) {
            sideBySide_ = contentArea_->widget()->minimumSizeHint();
        }
        // Side by side where the area holds their width, beside a scroll bar where it does not
        // hold their height.
        const bool scrolls = contentArea_->height() < sideBySide_.height();
        const int bar =
            scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
        const bool stacked = contentArea_->width() - bar < sideBySide_.width();
        if (stacked != stacked_) {
            ArrangeGroups(stacked);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CommunicationDialog::ApplyControlMode() {
    logic_.ApplyControlMode();
}

template <typename Flow>
void CommunicationDialog::RunFlow(Flow&& flow) {
    if (RunOneActionAtATime(running_, flow)) {
        log_->Sync();
    }
}

void CommunicationDialog::OnOnlineStatus(int status) {
    lineIcon_->setPixmap(QPixmap(status == 1 ? kOnlineIcon : kOfflineIcon));
    ShowsState(lineIcon_, "Line Status", status == 1 ? "Online" : "Offline");
    lineText_->setText(status == 1 ? "Online" : "Offline");
}

void CommunicationDialog::SelectCategory(int32_t category) {
    categoryList_->setCurrentIndex(category >= 0 && category < categoryList_->count() ? category
                                                                                      : -1);
}

void CommunicationDialog::ShowPorts(const std::vector<PortItem>& ports) {
    portList_->clear();
    for (const PortItem& port : ports) {
        // The device and what it is beside the name; the item's data is the name alone.
        portList_->addItem(QString::fromStdString(port.Label()), QString::fromStdString(port.name));
        // The names that stay the same when the adapter is plugged in again, to copy into
        // Other Port.
        if (port.hardware && !port.hardware->byId.empty()) {
            std::string names = "By id: " + port.hardware->byId;
            if (!port.hardware->byPath.empty()) {
                names += "\nBy socket: " + port.hardware->byPath;
            }
            portList_->setItemData(portList_->count() - 1, QString::fromStdString(names),
                                   Qt::ToolTipRole);
        }
    }
    portList_->setCurrentIndex(-1);
}

void CommunicationDialog::SelectPort(int32_t index) {
    portList_->setCurrentIndex(index >= 0 && index < portList_->count() ? index : -1);
}

void CommunicationDialog::SelectBaudIndex(int32_t index) {
    baudList_->setCurrentIndex(index >= 0 && index < baudList_->count() ? index : -1);
}

void CommunicationDialog::ShowBaudRateControls(bool shown) {
    for (QWidget* control : {static_cast<QWidget*>(baudLabel_), static_cast<QWidget*>(baudList_)}) {
        control->setVisible(shown);
        control->setEnabled(shown);
    }
}

void CommunicationDialog::ShowCurrentAreaName(const std::string& name) {
    areaName_->setText(QString::fromStdString(name));
}

int32_t CommunicationDialog::SelectedArea() {
    return areaList_->currentIndex();
}

void CommunicationDialog::SelectArea(int32_t area) {
    areaList_->setCurrentIndex(area >= 0 && area < areaList_->count() ? area : -1);
}

void CommunicationDialog::EnableStore(bool enable) {
    storeButton_->setEnabled(enable);
}
