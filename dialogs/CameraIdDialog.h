#pragma once

#include <array>

#include "dialogs/StatusDialog.h"
#include "operations/CameraIdentity.h"

class QLineEdit;

// The camera's ten-character id, a character an edit; written only in factory mode.
class CameraIdDialog : public StatusDialog {
    Q_OBJECT
public:
    explicit CameraIdDialog(ProcessContext& context, QWidget* parent = nullptr);

private:
    std::array<QLineEdit*, CameraIdentity::kCameraIdLength> characters_{};
};
