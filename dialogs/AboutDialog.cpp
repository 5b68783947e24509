#include "dialogs/AboutDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "core/Version.h"
#include "operations/CameraIdentity.h"
#include "widgets/LinkLabel.h"

namespace {

QLineEdit* ReadOnlyField(const QString& text, const char* id, const QString& name,
                         QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(id);
    field->setReadOnly(true);
    field->setAccessibleName(name);
    return field;
}

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

AboutDialog::AboutDialog(ProcessContext& context, QWidget* parent)
    : StatusDialog(context, "About This Control", 1064, parent),
      userId_(new QLineEdit(this)),
      saveUserId_(new QPushButton("Save User ID", this)),
      protect_(new QRadioButton("Protect User ID", this)),
      enableEdit_(new QRadioButton("Enable To Edit User ID", this)),
      helpFiles_(new QComboBox(this)) {
    using namespace CameraIdentity;
    const CameraIdentity::AboutData data = ReadAboutData(context);
    const bool factoryMode = context.Get<ControlMode>().IsFactory();

    auto* contents = new QVBoxLayout;
    auto* header = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/application.png").pixmap(48, 48));
    auto* titles = new QVBoxLayout;
    auto* product = new QLabel(kProductName, this);
    product->setObjectName("1000");
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* version = new QLabel(QString("Version: %1").arg(kProgramVersion), this);
    version->setObjectName("1002");
    // Where the help files are looked for; a click opens the folder.
    auto* link = new LinkLabel(QDir::currentPath(), this);
    link->setObjectName("1081");
    link->SetLink(true);
    link->SetLinkColor(QColor(0, 0, 255));
    link->SetUnderline(true);
    link->SetLinkCursor(QCursor(Qt::PointingHandCursor));
    titles->addWidget(product);
    titles->addWidget(version);
    titles->addWidget(link);
    header->addWidget(icon, 0, Qt::AlignTop);
    header->addLayout(titles, 1);
    contents->addLayout(header);

    auto* camera = new QGroupBox("Camera Data", this);
    auto* form = new QFormLayout(camera);
    form->addRow("Model Name", ReadOnlyField(FromStd(data.modelName), "1024", "Model Name", this));
    form->addRow("Camera ID", ReadOnlyField(FromStd(data.cameraId), "1023", "Camera ID", this));
    form->addRow("Firmware Version",
                 ReadOnlyField(FromStd(data.firmwareVersion), "1022", "Firmware Version", this));
    form->addRow("FPGA Version",
                 ReadOnlyField(FromStd(data.fpgaVersion), "1082", "FPGA Version", this));

    auto* device = new QHBoxLayout;
    const char* const deviceIds[] = {"1149", "1150", "1151", "1152"};
    for (std::size_t i = 0; i < deviceVersion_.size(); ++i) {
        if (i > 0) {
            device->addWidget(new QLabel(".", this));
        }
        QLineEdit* part = new QLineEdit(FromStd(data.deviceVersion[i]), this);
        part->setObjectName(deviceIds[i]);
        part->setAccessibleName(QString("Device Version part %1").arg(i + 1));
        // Narrow, yet as wide as the part the camera told: every digit of it is shown.
        const int characters = std::max(part->fontMetrics().horizontalAdvance("000"),
                                        part->fontMetrics().horizontalAdvance(part->text() + "0"));
        part->setFixedWidth(characters + 8);
        part->setAlignment(Qt::AlignCenter);
        part->setEnabled(factoryMode);
        deviceVersion_[i] = part;
        device->addWidget(part);
    }
    auto* saveDevice = new QPushButton("Save Dev Ver", this);
    saveDevice->setObjectName("1153");
    saveDevice->setAutoDefault(false);
    saveDevice->setVisible(factoryMode);
    device->addWidget(saveDevice);
    device->addStretch(1);
    auto* deviceLabel = new QLabel("Device Version", this);
    deviceLabel->setObjectName("1185");
    deviceLabel->setBuddy(deviceVersion_[0]);
    form->addRow(deviceLabel, device);

    userId_->setObjectName("1028");
    userId_->setText(FromStd(data.userId));
    userId_->setAccessibleName("User ID");
    saveUserId_->setObjectName("1083");
    saveUserId_->setAutoDefault(false);
    auto* user = new QHBoxLayout;
    user->addWidget(userId_, 1);
    user->addWidget(saveUserId_);
    form->addRow("User ID", user);
    protect_->setObjectName("1084");
    enableEdit_->setObjectName("1085");
    auto* protection = new QHBoxLayout;
    protection->addWidget(protect_);
    protection->addWidget(enableEdit_);
    protection->addStretch(1);
    form->addRow(QString(), protection);
    contents->addWidget(camera);

    auto* help = new QGroupBox("Help", this);
    auto* helpRow = new QHBoxLayout(help);
    helpFiles_->setObjectName("1087");
    helpFiles_->setAccessibleName("Help File");
    for (const std::string& name : ListHelpFiles(QDir::currentPath().toStdString())) {
        helpFiles_->addItem(FromStd(name));
    }
    auto* view = new QPushButton("View Help File", this);
    view->setObjectName("1043");
    view->setAutoDefault(false);
    auto* helpLabel = new QLabel("Help File", this);
    helpLabel->setBuddy(helpFiles_);
    helpRow->addWidget(helpLabel);
    helpRow->addWidget(helpFiles_, 1);
    helpRow->addWidget(view);
    contents->addWidget(help);
    SetContents(contents);

    ProtectUserId(true);
    connect(protect_, &QRadioButton::clicked, this, [this] { ProtectUserId(true); });
    connect(enableEdit_, &QRadioButton::clicked, this, [this] { ProtectUserId(false); });
    connect(saveUserId_, &QPushButton::clicked, this,
            [this] { SaveUserId(Context(), userId_->text().toStdString()); });
    connect(saveDevice, &QPushButton::clicked, this, [this] {
        DeviceVersion parts;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            parts[i] = deviceVersion_[i]->text().toStdString();
        }
        SaveDeviceVersion(Context(), parts);
    });
    connect(view, &QPushButton::clicked, this, [this] {
        ViewHelpFile(Context(), QDir::currentPath().toStdString(),
                     helpFiles_->currentText().toStdString());
    });
}

void AboutDialog::ProtectUserId(bool protect) {
    userId_->setEnabled(!protect);
    saveUserId_->setEnabled(!protect);
    protect_->setChecked(protect);
    enableEdit_->setChecked(!protect);
}
