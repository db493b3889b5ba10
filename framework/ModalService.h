// The one service through which message boxes and modal windows are shown.
#pragma once

#include <string_view>

#include "model/GameWindow.h"

class QDialog;
class QWidget;

namespace jadeleaf {

class ModalService {
public:
    virtual ~ModalService() = default;

    virtual MessageAnswer ShowMessage(QWidget* parent, std::string_view caption, std::string_view text,
                                      MessageIcon icon, MessageButtons buttons) = 0;

    // Shows the dialog modally where it has been placed; returns its result.
    virtual int ExecDialog(QDialog& dialog) = 0;
};

// Qt's message boxes and QDialog::exec, each in a nested event loop.
class QtModalService final : public ModalService {
public:
    MessageAnswer ShowMessage(QWidget* parent, std::string_view caption, std::string_view text, MessageIcon icon,
                              MessageButtons buttons) override;
    int ExecDialog(QDialog& dialog) override;
};

}  // namespace jadeleaf
