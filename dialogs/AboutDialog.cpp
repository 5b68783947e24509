#include "dialogs/AboutDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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
    : StatusDialog(context, "About This Control", parent),
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
    icon->setAccessibleName("Application icon");
    auto* titles = new QVBoxLayout;
    auto* product = new QLabel(kProductName, this);
    product->setObjectName("productName");
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* version = new QLabel(QString("Version: %1").arg(kProgramVersion), this);
    version->setObjectName("programVersion");
    // Where the help files are looked for; a click opens the folder.
    auto* link = new LinkLabel(QDir::currentPath(), this);
    link->setObjectName("makerLink");
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
    form->addRow("Model Name",
                 ReadOnlyField(FromStd(data.modelName), "modelName", "Model Name", this));
    form->addRow("Camera ID", ReadOnlyField(FromStd(data.cameraId), "cameraId", "Camera ID", this));
    form->addRow("Firmware Version", ReadOnlyField(FromStd(data.firmwareVersion), "firmwareVersion",
                                                   "Firmware Version", this));
    form->addRow("FPGA Version",
                 ReadOnlyField(FromStd(data.fpgaVersion), "fpgaVersion", "FPGA Version", this));

    auto* device = new QHBoxLayout;
    const char* const deviceIds[] = {"deviceVersion1", "deviceVersion2", "deviceVersion3",
                                     "deviceVersion4"};
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
    saveDevice->setObjectName("saveDeviceVersion");
    saveDevice->setAutoDefault(false);
    saveDevice->setVisible(factoryMode);
    saveDevice->setEnabled(factoryMode);
    device->addWidget(saveDevice);
    device->addStretch(1);
    auto* deviceLabel = new QLabel("Device Version", this);
    deviceLabel->setObjectName("deviceVersionLabel");
    deviceLabel->setBuddy(deviceVersion_[0]);
    form->addRow(deviceLabel, device);

    userId_->setObjectName("userIdEdit");
    userId_->setText(FromStd(data.userId));
    userId_->setAccessibleName("User ID");
    userId_->setToolTip(
        "Your own name for this camera, up to 16 characters; Save User ID stores it");
    saveUserId_->setObjectName("saveUserId");
    saveUserId_->setAutoDefault(false);
    auto* user = new QHBoxLayout;
    user->addWidget(userId_, 1);
    user->addWidget(saveUserId_);
    form->addRow("User ID", user);
    protect_->setObjectName("protectCheck");
    enableEdit_->setObjectName("enableEditCheck");
    auto* protection = new QHBoxLayout;
    protection->addWidget(protect_);
    protection->addWidget(enableEdit_);
    protection->addStretch(1);
    form->addRow(QString(), protection);
    contents->addWidget(camera);

    auto* help = new QGroupBox("Help", this);
    auto* helpRow = new QHBoxLayout(help);
    helpFiles_->setObjectName("helpFiles");
    helpFiles_->setAccessibleName("Help File");
    helpFiles_->setToolTip(
        "The help files beside the program; View Help File opens the chosen one");
    for (const std::string& name : ListHelpFiles(QDir::currentPath().toStdString())) {
        helpFiles_->addItem(FromStd(name));
    }
    auto* view = new QPushButton("View Help File", this);
    view->setObjectName("helpFileView");
    view->setAutoDefault(false);
    auto* helpLabel = new QLabel("Help File", this);
    helpLabel->setBuddy(helpFiles_);
    helpRow->addWidget(helpLabel);
    helpRow->addWidget(helpFiles_, 1);
    helpRow->addWidget(view);
    // Nothing to view: the button waits for a file instead of answering that none was chosen.
    view->setEnabled(helpFiles_->count() > 0);
    contents->addWidget(help);

    // The terms the program is given under, and the toolkit's own.
    auto* licence = new QGroupBox("Licence", this);
    auto* licenceColumn = new QVBoxLayout(licence);
    auto* terms = new QPlainTextEdit(this);
    terms->setObjectName("licenceText");
    terms->setAccessibleName("Licence");
    terms->setReadOnly(true);
    QFile licenceFile(":/text/LICENSE");
    if (licenceFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        terms->setPlainText(QString::fromUtf8(licenceFile.readAll()));
    }
    terms->setFixedHeight(terms->fontMetrics().lineSpacing() * 6);
    auto* aboutQt = new QPushButton("About Qt", this);
    aboutQt->setObjectName("aboutQt");
    aboutQt->setAutoDefault(false);
    connect(aboutQt, &QPushButton::clicked, this, &QApplication::aboutQt);
    licenceColumn->addWidget(terms);
    licenceColumn->addWidget(aboutQt, 0, Qt::AlignRight);
    contents->addWidget(licence);
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
