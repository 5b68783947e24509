#pragma once

#include "dialogs/StatusDialog.h"

class CharacterBoxes;

// The camera's ten-character id, a character a box; written only in factory mode.
class CameraIdDialog : public StatusDialog {
    Q_OBJECT
public:
    explicit CameraIdDialog(ProcessContext& context, QWidget* parent = nullptr);

private:
    CharacterBoxes* characters_;
};
